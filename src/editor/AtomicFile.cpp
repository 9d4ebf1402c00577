#include "editor/AtomicFile.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>

namespace vw {

namespace {

// Writes and flushes text to the disk; false with errno's reason.
bool writeDurably(const std::filesystem::path& path, const std::string& text, std::string& reason) {
  std::FILE* out = std::fopen(path.c_str(), "wb");
  if (!out) {
    reason = std::strerror(errno);
    return false;
  }
  bool ok = std::fwrite(text.data(), 1, text.size(), out) == text.size() && std::fflush(out) == 0 &&
            ::fsync(fileno(out)) == 0;
  if (!ok) reason = std::strerror(errno ? errno : EIO);
  if (std::fclose(out) != 0 && ok) {
    ok = false;
    reason = std::strerror(errno);
  }
  return ok;
}

std::filesystem::path siblingPath(const std::filesystem::path& file, const std::string& suffix) {
  std::filesystem::path p = file;
  p += suffix;
  return p;
}

}  // namespace

std::filesystem::path backupPath(const std::filesystem::path& file) { return siblingPath(file, ".bak"); }

bool saveWithBackup(const std::filesystem::path& file, const std::string& text, std::string& error) {
  const std::filesystem::path temp = siblingPath(file, ".saving-" + std::to_string(::getpid()));
  std::string reason;
  if (!writeDurably(temp, text, reason)) {
    std::error_code ignored;
    std::filesystem::remove(temp, ignored);
    error = file.string() + ": cannot save (" + reason + "); the file is unchanged";
    return false;
  }
  std::error_code ec;
  if (std::filesystem::exists(file, ec)) {
    std::filesystem::copy_file(file, backupPath(file), std::filesystem::copy_options::overwrite_existing, ec);
    if (ec) {
      std::error_code ignored;
      std::filesystem::remove(temp, ignored);
      error = file.string() + ": cannot keep the previous version as " + backupPath(file).string() + " (" +
              ec.message() + "); the file is unchanged";
      return false;
    }
  }
  std::filesystem::rename(temp, file, ec);
  if (ec) {
    std::error_code ignored;
    std::filesystem::remove(temp, ignored);
    error = file.string() + ": cannot save (" + ec.message() + "); the file is unchanged";
    return false;
  }
  return true;
}

}  // namespace vw
