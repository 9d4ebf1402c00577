#pragma once
// An overview of every picture in a data directory, each labelled with its key.

#include <filesystem>
#include <string>

namespace vw::art {

// Reads dataDir's texture list and pictures, writes the overview PNG to out.
// Returns an empty string on success, else what went wrong.
std::string writeContactSheet(const std::filesystem::path& out, const std::filesystem::path& dataDir);

}  // namespace vw::art
