#pragma once
// The whole of a file as the editor left it (empty when it is missing).
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace vw::test {

inline std::string readFile(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace vw::test
