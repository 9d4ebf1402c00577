#include "app/RunFile.h"

#include <cstdio>
#include <fstream>
#include <system_error>

namespace vw {

std::optional<RunFile> readRunFile(const std::filesystem::path& path, std::uintmax_t maxBytes, std::string& problem) {
  std::error_code ec;
  const std::filesystem::file_status status = std::filesystem::status(path, ec);
  if (status.type() == std::filesystem::file_type::not_found) {
    problem = "the file does not exist";
    return std::nullopt;
  }
  if (ec) {
    problem = "the file cannot be read (" + ec.message() + ")";
    return std::nullopt;
  }
  // Directories, devices and pipes would never end or never answer.
  if (!std::filesystem::is_regular_file(status)) {
    problem = "it is not a regular file";
    return std::nullopt;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    problem = "the file cannot be opened";
    return std::nullopt;
  }
  // Read in pieces up to the bound: a file may grow while it is read.
  RunFile file;
  std::string piece(std::size_t{1} << 16, '\0');
  while (in && file.bytes.size() <= maxBytes) {
    in.read(piece.data(), static_cast<std::streamsize>(piece.size()));
    file.bytes.append(piece.data(), static_cast<std::size_t>(in.gcount()));
  }
  if (in.bad()) {
    problem = "the file cannot be read";
    return std::nullopt;
  }
  if (file.bytes.size() > maxBytes) {
    file.bytes.resize(static_cast<std::size_t>(maxBytes));
    file.cut = true;
  }
  return file;
}

std::optional<std::string> readWholeRunFile(const std::filesystem::path& path, std::uintmax_t maxBytes,
                                            std::string& problem) {
  std::optional<RunFile> file = readRunFile(path, maxBytes, problem);
  if (!file) return std::nullopt;
  if (file->cut) {
    problem = "the file is larger than " + byteCount(maxBytes);
    return std::nullopt;
  }
  return std::move(file->bytes);
}

std::string byteCount(std::uintmax_t bytes) {
  if (bytes >= (1u << 20) && bytes % (1u << 20) == 0) return std::to_string(bytes >> 20) + " MiB";
  if (bytes >= (1u << 10) && bytes % (1u << 10) == 0) return std::to_string(bytes >> 10) + " KiB";
  return std::to_string(bytes) + (bytes == 1 ? " byte" : " bytes");
}

std::string shownText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (c == '\n') {
      out += "\\n";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c < 0x20 || c > 0x7e) {
      char code[8];
      std::snprintf(code, sizeof code, "\\x%02X", c);
      out += code;
    } else {
      out.push_back(ch);
    }
  }
  return out;
}

std::string shownPath(const std::filesystem::path& path) { return shownText(path.string()); }

bool staysInside(const std::filesystem::path& relative) {
  if (relative.empty() || relative.has_root_path()) return false;
  int depth = 0;
  for (const std::filesystem::path& part : relative) {
    if (part == "..") {
      if (--depth < 0) return false;
    } else if (part != "." && !part.empty()) {
      ++depth;
    }
  }
  return true;
}

}  // namespace vw
