#pragma once
// Stitcher: builds the whole-strip walkthrough from the per-puzzle ones.
// Each puzzle's walkthrough is written for the puzzle played alone, with the
// player at rest at its start. The stitcher plays the strip from the title
// menu and, between puzzles, walks the player to the next puzzle's start
// (Game::puzzleStart) and lets it come to rest there, then plays that
// puzzle's walkthrough without its Start Game click. Beside the strip it
// plays the puzzle alone with the same keys and, while the button sprays,
// moves the strip's cursor so that it points at the same spot of the world
// as the lone game's: the strip's camera need not sit where a fresh
// puzzle's camera does.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace vw {

class Game;

struct StitchOptions {
  std::filesystem::path dataDir;       // holds Settings/puzzleFileNames.txt and the puzzles
  std::filesystem::path walkthroughs;  // holds NN-name.txt for every Puzzles/NN-name.txt
  std::filesystem::path scratchDir;    // where each puzzle is laid out alone
  std::uint32_t seed = 1;
};

class Stitcher {
 public:
  explicit Stitcher(StitchOptions options);

  // The whole-strip script, or nothing with `error` naming what went wrong
  // (a missing walkthrough, a puzzle its walkthrough does not get past).
  std::optional<std::string> stitch(std::string& error);
  // One line per puzzle: where the player came to rest against its start.
  const std::string& report() const { return report_; }

  struct Strip;  // the strip as played so far

 private:
  bool walkToStart(std::unique_ptr<Strip>& strip, std::size_t index, std::string& error);
  bool playAlongside(Strip& strip, std::size_t index, std::string& error);

  StitchOptions options_;
  std::string report_;
};

}  // namespace vw
