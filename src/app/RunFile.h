#pragma once
// The one way the game reads a run-time file (lists, puzzles, pictures, the
// shader, the icon, input scripts): regular files only, never more than a
// bound per kind, and a plain reason when it cannot be read. Pipes, devices
// and directories are refused before they are opened, so they can neither
// block the game nor feed it without end.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vw {

// What each kind of file may hold. The text files stop at their '&', so only
// what stands before it has to fit.
constexpr std::uintmax_t kMaxListFileBytes = 1u << 20;      // puzzle list, texture list
constexpr std::uintmax_t kMaxPuzzleFileBytes = 4u << 20;    // one puzzle
constexpr std::uintmax_t kMaxPictureFileBytes = 64u << 20;  // one PNG
constexpr std::uintmax_t kMaxShaderFileBytes = 1u << 20;
constexpr std::uintmax_t kMaxInputScriptBytes = 4u << 20;

struct RunFile {
  std::string bytes;  // at most the bound
  bool cut = false;   // the file goes on past the bound; bytes hold its start
};

// Reads at most maxBytes of a regular file. nullopt when it cannot be read,
// with the reason in problem ("the file does not exist", "it is not a
// regular file", ...).
std::optional<RunFile> readRunFile(const std::filesystem::path& path, std::uintmax_t maxBytes, std::string& problem);

// As readRunFile, but a file larger than maxBytes is refused too.
std::optional<std::string> readWholeRunFile(const std::filesystem::path& path, std::uintmax_t maxBytes,
                                            std::string& problem);

// "4 MiB", "64 KiB", "100 bytes".
std::string byteCount(std::uintmax_t bytes);

// Text as it can stand in a one-line message: line breaks, tabs, other
// control characters and bytes outside printable ASCII are escaped (\n, \t, \xHH).
std::string shownText(std::string_view text);
// A path as shownText shows it.
std::string shownPath(const std::filesystem::path& path);

// Whether a path written in a data file stays inside the data directory:
// relative, and never climbing above it with "..".
bool staysInside(const std::filesystem::path& relative);

}  // namespace vw
