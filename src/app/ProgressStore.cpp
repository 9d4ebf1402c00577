#include "app/ProgressStore.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <system_error>

namespace vw {

namespace {

constexpr std::uintmax_t kMaxProgressBytes = 4096;
constexpr const char* kKeyword = "furthest";

std::string systemError() { return std::strerror(errno); }

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

namespace {

bool writeAll(int fd, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

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
  std::string temp = file + ".XXXXXX";
  int fd = ::mkstemp(temp.data());
  if (fd < 0) {
    diagnostics.warning(file, 0, "cannot write the progress file: " + systemError());
    return false;
  }
  const std::string text = progressText(furthestPuzzle);
  bool ok = writeAll(fd, text) && ::fsync(fd) == 0;
  std::string problem = ok ? "" : systemError();
  if (::close(fd) != 0 && ok) {
    ok = false;
    problem = systemError();
  }
  if (ok && ::rename(temp.c_str(), file.c_str()) != 0) {
    ok = false;
    problem = systemError();
  }
  if (!ok) {
    ::unlink(temp.c_str());
    diagnostics.warning(file, 0, "cannot write the progress file: " + problem + "; the old one is kept");
  }
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
