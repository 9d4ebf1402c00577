#include "editor/PlayTest.h"

namespace vw {

PlayTest::PlayTest(RenderContext& context, InputDevices& devices, const std::filesystem::path& dataDir,
                   std::uint32_t seed, AlonePuzzle puzzle)
    : puzzleText_(puzzle.text),
      game_(context, devices, GameOptions{dataDir, seed, nullptr}, std::move(puzzle)),
      recorder_(seed) {}

bool PlayTest::start(Diagnostics& diagnostics) { return game_.startUp(diagnostics); }

void PlayTest::update(float dt) {
  // As a scripted run does it, so that the recording replays to the same state.
  game_.framesPerSecond = 1.0f / dt;
  game_.updateGame(dt);
  recorder_.record(game_.input, dt);
}

PlayTestRecording PlayTest::recording() const { return {recorder_.text(), puzzleText_}; }

}  // namespace vw
