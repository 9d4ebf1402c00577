#pragma once
// Reading one puzzle file whole, for the tools that work on a single puzzle
// (the editor, playing one puzzle alone).
#include <filesystem>
#include <optional>
#include <string>

namespace vw {

// The file's text; nullopt and the reason when it is missing, not a regular
// file, larger than the loader accepts, or unreadable.
std::optional<std::string> readPuzzleSource(const std::filesystem::path& path, std::string& problem);

}  // namespace vw
