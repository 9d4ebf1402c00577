#include "app/Diagnostics.h"

#include <algorithm>
#include <ostream>

#include "app/RunFile.h"

namespace vw {

std::string Diagnostic::format() const {
  // A file name may hold anything; it reaches the terminal escaped.
  std::string text = shownText(file);
  if (line > 0) text += ":" + std::to_string(line);
  text += severity == Severity::Error ? ": error: " : ": warning: ";
  return text + message;
}

void Diagnostics::warning(const std::string& file, int line, const std::string& message) {
  items_.push_back({Severity::Warning, file, line, message});
}

void Diagnostics::error(const std::string& file, int line, const std::string& message) {
  items_.push_back({Severity::Error, file, line, message});
}

int Diagnostics::count(Severity severity) const {
  return static_cast<int>(std::count_if(items_.begin(), items_.end(),
                                        [&](const Diagnostic& d) { return d.severity == severity; }));
}

void Diagnostics::flush(std::ostream& out) {
  for (const Diagnostic& d : items_) out << d.format() << '\n';
  out.flush();
  items_.clear();
}

}  // namespace vw
