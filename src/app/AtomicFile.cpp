#include "app/AtomicFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <system_error>

namespace vw {

namespace {

bool writeAll(int fd, std::string_view bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

std::string systemReason() { return std::strerror(errno ? errno : EIO); }

// The permissions the file ends with: an existing file keeps its own, a new
// one gets what creating it plainly would (mkstemp makes it private).
mode_t permissionsFor(const std::filesystem::path& file) {
  struct stat info {};
  if (::stat(file.c_str(), &info) == 0) return info.st_mode & 07777;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

bool writeAtomically(const std::filesystem::path& file, std::string_view bytes, std::string& reason) {
  std::string temp = file.string() + ".XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) {
    reason = systemReason();
    return false;
  }
  errno = 0;
  bool ok = ::fchmod(fd, permissionsFor(file)) == 0 && writeAll(fd, bytes) && ::fsync(fd) == 0;
  if (!ok) reason = systemReason();
  if (::close(fd) != 0 && ok) {
    ok = false;
    reason = systemReason();
  }
  if (ok && ::rename(temp.c_str(), file.c_str()) != 0) {
    ok = false;
    reason = systemReason();
  }
  if (!ok) ::unlink(temp.c_str());
  return ok;
}

std::filesystem::path backupPath(const std::filesystem::path& file) {
  std::filesystem::path p = file;
  p += ".bak";
  return p;
}

bool saveWithBackup(const std::filesystem::path& file, const std::string& text, std::string& error) {
  std::error_code ec;
  if (std::filesystem::exists(file, ec)) {
    std::filesystem::copy_file(file, backupPath(file), std::filesystem::copy_options::overwrite_existing, ec);
    if (ec) {
      error = file.string() + ": cannot keep the previous version as " + backupPath(file).string() + " (" +
              ec.message() + "); the file is unchanged";
      return false;
    }
  }
  std::string reason;
  if (!writeAtomically(file, text, reason)) {
    error = file.string() + ": cannot save (" + reason + "); the file is unchanged";
    return false;
  }
  return true;
}

}  // namespace vw
