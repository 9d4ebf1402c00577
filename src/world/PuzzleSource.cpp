#include "world/PuzzleSource.h"

#include "app/RunFile.h"

namespace vw {

std::optional<std::string> readPuzzleSource(const std::filesystem::path& path, std::string& problem) {
  std::optional<RunFile> file = readRunFile(path, kMaxPuzzleFileBytes, problem);
  if (!file) return std::nullopt;
  // Only what stands before the '&' has to fit; what follows it is never read.
  if (file->cut && file->bytes.find('&') == std::string::npos) {
    problem = "the file holds more than " + byteCount(kMaxPuzzleFileBytes) + " before its '&'";
    return std::nullopt;
  }
  return std::move(file->bytes);
}

}  // namespace vw
