#include "world/PuzzleSource.h"

#include <fstream>
#include <sstream>
#include <system_error>

#include "world/PuzzleLoader.h"

namespace vw {

std::optional<std::string> readPuzzleSource(const std::filesystem::path& path, std::string& problem) {
  std::error_code ec;
  auto status = std::filesystem::status(path, ec);
  if (status.type() == std::filesystem::file_type::not_found) {
    problem = "the file does not exist";
    return std::nullopt;
  }
  if (!std::filesystem::is_regular_file(status)) {
    problem = "it is not a regular file";
    return std::nullopt;
  }
  if (std::filesystem::file_size(path, ec) > kMaxPuzzleFileBytes || ec) {
    problem = ec ? "the file cannot be read (" + ec.message() + ")" : "the file is larger than 4 MiB";
    return std::nullopt;
  }
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  if (!in && !in.eof()) {
    problem = "the file cannot be read";
    return std::nullopt;
  }
  std::string content = text.str();
  if (content.size() > kMaxPuzzleFileBytes) {
    problem = "the file is larger than 4 MiB";
    return std::nullopt;
  }
  return content;
}

}  // namespace vw
