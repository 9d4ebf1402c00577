// A play-test's recording, saved as the puzzle's walkthrough (only while the
// puzzle is the one played), replays headless to exactly the state the
// play-test ended in.
#include <gtest/gtest.h>

#include "ReadFile.h"

#include <sstream>

#include "app/Headless.h"
#include "app/RunOptions.h"
#include "app/StateDump.h"
#include "editor/Editor.h"
#include "editor/PlayTest.h"
#include "support/TempDataDir.h"

namespace vw {
namespace {

using test::readFile;

// A floor, a box on ice, a jet and a wheel that opens a door: randomness
// (steam) and every kind of motion take part.
const char* kPuzzle =
    "2000\n|BLOCK|1000|-50|100|2000\n|ICEBLOCK|700|25|50|200\n|MOVINGBOX|1|700|100|50|50\n"
    "|STEAMJET|2|300|100|20|60|300|100|1\n|RISINGDOOR|3|1500|100|200|50|2|2|1|1\n"
    "|WATERWHEEL|0|1200|200|100|100|3|3\n|&\n";

TEST(PlayTestRecording, IsSavedOnlyForItsPuzzleAndReplaysHeadlessToTheSameEndState) {
  test::TempDataDir dir;
  dir.write("puzzle.txt", kPuzzle);
  std::istringstream input(
      "dt 0.016\n40 D\n30 D W mouse 900 300 down\n20 2 mouse 300 700 down\n25 A\ndt 0.02\n30 SPACE\n");
  std::string error;
  std::optional<InputScript> script = parseInputScript(input, "input", error);
  ASSERT_TRUE(script) << error;
  const std::uint64_t updates = script->totalUpdates();
  ScriptInputDevices devices(*script);
  NullRenderContext context;
  PlayTest play(context, devices, VAPORWICK_SOURCE_DATA, 4242, AlonePuzzle{"puzzle.txt", kPuzzle});
  Diagnostics diagnostics;
  ASSERT_TRUE(play.start(diagnostics));
  EXPECT_EQ(play.game().gameState, GameState::Playing);
  for (std::uint64_t i = 0; i < updates; ++i) {
    devices.advance();
    play.update(devices.dt());
  }
  const std::string ended = stateDumpJson(play.game());

  Editor editor(dir.path() / "puzzle.txt");
  editor.open();
  EXPECT_FALSE(editor.saveWalkthrough());  // nothing recorded yet
  editor.lastPlayTest = play.recording();
  // The recording is only saved for the puzzle it was played on.
  editor.document.width = 2500;
  editor.commit();
  EXPECT_FALSE(editor.saveWalkthrough());
  EXPECT_FALSE(std::filesystem::exists(editor.walkthroughFile()));
  ASSERT_TRUE(editor.undo());
  ASSERT_TRUE(editor.saveWalkthrough()) << editor.status;

  RunOptions options;
  options.dataDir = VAPORWICK_SOURCE_DATA;
  options.headless = true;
  options.puzzle = dir.path() / "puzzle.txt";
  options.script = editor.walkthroughFile();
  options.dumpState = dir.path() / "state.json";
  ASSERT_EQ(runHeadless(options), 0);
  EXPECT_EQ(readFile(options.dumpState), ended);
}

}  // namespace
}  // namespace vw
