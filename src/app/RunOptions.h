#pragma once
// The command line. The game needs none: with no options it behaves as
// designed; these are additions for players, puzzle authors and tests.
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vw {

struct RunOptions {
  std::filesystem::path dataDir;          // every run-time file is relative to it
  std::optional<std::uint32_t> seed;      // else the calendar clock
  bool headless = false;                  // no window, no OpenGL, fixed steps, no pacing
  std::filesystem::path script;           // input from an input script
  std::optional<std::uint64_t> frames;    // quit after this many updates
  std::filesystem::path dumpState;        // JSON of the game state at exit
  std::filesystem::path screenshot;       // PNG of the last frame at exit (windowed)
  std::filesystem::path record;           // the session's input as an input script
  std::filesystem::path progress;         // keep progress in this file, in any run
  bool noSave = false;                    // neither read nor write progress
  std::filesystem::path puzzle;           // play this puzzle file alone, starting at once
  std::filesystem::path edit;             // open this puzzle file in the editor
  std::filesystem::path editScript;       // editor input from an editor script (tests)
  bool verbose = false;
  bool checkPuzzles = false;
  bool mute = false;
  bool help = false;
  bool version = false;
  // When main began; --verbose reports the first presented frame against it.
  std::chrono::steady_clock::time_point startedAt = std::chrono::steady_clock::now();
};

struct ParsedCommandLine {
  RunOptions options;
  std::string error;  // non-empty: print the usage and exit with status 2
};

ParsedCommandLine parseCommandLine(const std::vector<std::string>& args);
std::string usage();

// The data directory: the current directory if it holds Settings/, else the
// data folder built or installed beside the binary.
std::filesystem::path defaultDataDir(const std::filesystem::path& executable);

}  // namespace vw
