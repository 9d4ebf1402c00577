#pragma once
// PuzzleRun: one puzzle played alone, headless, stepped exactly as a
// scripted run of `vaporwick --headless --puzzle FILE --script FILE` steps
// it (update, then the render pass against the no-op renderer, since some
// animations advance while drawing), with the requirements watched.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "NeedsObserver.h"
#include "app/Game.h"
#include "app/InputScript.h"
#include "render/RenderContext.h"

namespace vw {

struct PuzzleSetup {
  std::filesystem::path dataDir;  // pictures and Settings/ (the puzzle list is not read)
  AlonePuzzle puzzle;
  Needs needs;
  std::uint32_t seed = 1;  // the game's generator
  bool last = false;       // the last puzzle of its list: the goal is "You Win!!", not the right edge
  // Start on the title menu, as a run of a list naming only this puzzle
  // does (scripts then start by clicking "Start Game", as the walkthroughs
  // do), instead of playing at once as --puzzle does.
  bool titleMenu = false;
};

class PuzzleRun {
 public:
  explicit PuzzleRun(const PuzzleSetup& setup);
  // Start-up; false with the reasons in error (the game cannot start, or
  // the requirements name lines that hold nothing).
  bool start(std::string& error);

  // Plays the steps update by update, stopping early once the player is
  // past the goal. Returns the updates played.
  std::uint64_t play(const std::vector<ScriptStep>& steps);
  // The player is past the goal: the puzzle's right edge, or the win text
  // for the last puzzle, still up at floor level.
  bool passed() const;
  float goalX() const { return goal_; }

  // The game and what has been met, saved and put back together.
  struct Saved {
    PlayState game;
    NeedMask met = 0;
  };
  Saved save() const { return {game_->snapshot(), observer_.met()}; }
  void restore(const Saved& saved);

  const Game& game() const { return *game_; }
  const NeedsObserver& observer() const { return observer_; }

 private:
  NullRenderContext context_;
  ScriptInputDevices devices_{InputScript{}};
  std::unique_ptr<Game> game_;
  NeedsObserver observer_;
  AlonePuzzle puzzle_;
  Needs needs_;
  float goal_ = 0;
  bool last_ = false;
  bool titleMenu_ = false;
};

}  // namespace vw
