#include "app/ProgressStore.h"

#include "app/AtomicFile.h"

#include <charconv>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <system_error>

namespace vw {

namespace {

constexpr std::uintmax_t kMaxProgressBytes = 4096;
constexpr const char* kKeyword = "furthest";

}  // namespace

std::optional<int> parseProgress(const std::string& text) {
  std::istringstream in(text);
  std::string word;
  std::string number;
  std::string extra;
  if (!(in >> word >> number) || word != kKeyword || (in >> extra)) return std::nullopt;
  int value = 0;
  auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (ec != std::errc() || end != number.data() + number.size() || value < 0) return std::nullopt;
  return value;
}

std::string progressText(int furthestPuzzle) { return std::string(kKeyword) + " " + std::to_string(furthestPuzzle) + "\n"; }

std::optional<int> ProgressFile::load(Diagnostics& diagnostics) {
  std::error_code ec;
  if (!std::filesystem::exists(path_, ec)) return std::nullopt;
  const std::string file = path_.string();
  const std::uintmax_t size = std::filesystem::file_size(path_, ec);
  if (ec || size > kMaxProgressBytes) {
    diagnostics.warning(file, 0, "the progress file cannot be read or is too large; it is ignored");
    return std::nullopt;
  }
  std::ifstream in(path_, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  if (!in && !in.eof()) {
    diagnostics.warning(file, 0, "the progress file cannot be read; it is ignored");
    return std::nullopt;
  }
  std::optional<int> furthest = parseProgress(text.str());
  if (!furthest) diagnostics.warning(file, 1, "the progress file is not \"furthest N\"; it is ignored");
  return furthest;
}

bool ProgressFile::save(int furthestPuzzle, Diagnostics& diagnostics) {
  const std::string file = path_.string();
  std::error_code ec;
  if (path_.has_parent_path()) std::filesystem::create_directories(path_.parent_path(), ec);
  if (ec) {
    diagnostics.warning(file, 0, "cannot create the folder for the progress file (" + ec.message() + ")");
    return false;
  }
  std::string reason;
  const bool ok = writeAtomically(path_, progressText(furthestPuzzle), reason);
  if (!ok) diagnostics.warning(file, 0, "cannot write the progress file: " + reason + "; the old one is kept");
  return ok;
}

std::filesystem::path defaultProgressPath() {
  const char* dataHome = std::getenv("XDG_DATA_HOME");
  if (dataHome && *dataHome == '/') return std::filesystem::path(dataHome) / "vaporwick" / "progress.txt";
  const char* home = std::getenv("HOME");
  if (home && *home) return std::filesystem::path(home) / ".local" / "share" / "vaporwick" / "progress.txt";
  return {};
}

}  // namespace vw
