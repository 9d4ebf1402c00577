#pragma once
// A play-test: the edited puzzle played alone from its start with the
// game's full rules, its input recorded as an input script that replays it
// (vaporwick --headless --puzzle FILE --script RECORDING).
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "app/Game.h"
#include "app/InputScript.h"
#include "editor/Editor.h"

namespace vw {

class PlayTest {
 public:
  PlayTest(RenderContext& context, InputDevices& devices, const std::filesystem::path& dataDir, std::uint32_t seed,
           AlonePuzzle puzzle);
  // The game's start-up; false when the puzzle cannot be played (reasons in diagnostics).
  bool start(Diagnostics& diagnostics);
  // One update of dt seconds, recorded.
  void update(float dt);
  Game& game() { return game_; }
  PlayTestRecording recording() const;

 private:
  std::string puzzleText_;
  Game game_;
  InputRecorder recorder_;
};

}  // namespace vw
