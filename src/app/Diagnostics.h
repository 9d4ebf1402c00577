#pragma once
// Problems found in run-time files, collected as "FILE:LINE: message".
#include <iosfwd>
#include <string>
#include <vector>

namespace vw {

enum class Severity { Warning, Error };

struct Diagnostic {
  Severity severity = Severity::Error;
  std::string file;
  int line = 0;  // 0 when the problem is not tied to a line
  std::string message;

  std::string format() const;
};

class Diagnostics {
 public:
  void warning(const std::string& file, int line, const std::string& message);
  void error(const std::string& file, int line, const std::string& message);
  const std::vector<Diagnostic>& all() const { return items_; }
  int count(Severity severity) const;
  bool empty() const { return items_.empty(); }
  void clear() { items_.clear(); }
  // Writes every diagnostic, one per line, and forgets them.
  void flush(std::ostream& out);

 private:
  std::vector<Diagnostic> items_;
};

}  // namespace vw
