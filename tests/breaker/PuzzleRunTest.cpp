// The breaker plays a puzzle exactly as `vaporwick --headless --puzzle FILE
// --script FILE` does, so that the scripts it prints replay what it found.
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "PuzzleRun.h"
#include "app/Session.h"
#include "app/StateDump.h"
#include "world/PuzzleSource.h"

namespace vw {
namespace {

namespace fs = std::filesystem;

const fs::path kScenario = fs::path(VAPORWICK_TEST_DATA) / "scenarios" / "every-element";

// Sprays water at the wheel, which swings the trap door shut (it swings as
// it is drawn), and jumps under the umbrella.
constexpr const char* kScript =
    "seed 5\n25 D\n50 mouse 690 170 down\n1 W\n1\n55 W A\n30 1\n20 D mouse 600 300 down\n";

TEST(PuzzleRun, PlaysAsTheHeadlessGameDoes) {
  const fs::path puzzleFile = kScenario / "Puzzles" / "every-element.txt";
  const fs::path scriptFile = fs::temp_directory_path() / ("vaporwick-run-" + std::to_string(::getpid()) + ".txt");
  std::ofstream(scriptFile) << kScript;

  std::string error;
  std::istringstream in(kScript);
  std::optional<InputScript> script = parseInputScript(in, "script", error);
  std::optional<std::string> text = readPuzzleSource(puzzleFile, error);
  ASSERT_TRUE(script && text) << error;
  PuzzleRun run(PuzzleSetup{kScenario, AlonePuzzle{puzzleFile.string(), *text}, Needs{}, *script->seed});
  ASSERT_TRUE(run.start(error)) << error;

  RunOptions options;
  options.dataDir = kScenario;
  options.headless = true;
  options.puzzle = puzzleFile;
  options.script = scriptFile;
  NullRenderContext context;
  Session session(options, context, nullptr);
  ASSERT_EQ(session.start(), 0);
  fs::remove(scriptFile);
  // Update by update: the trap door's swing shows only while it lasts.
  int update = 0;
  for (const ScriptStep& step : script->steps) {
    for (std::uint64_t i = 0; i < step.count; ++i, ++update) {
      session.update(kDefaultStep);
      session.render();
      ScriptStep one = step;
      one.count = 1;
      run.play({one});
      ASSERT_EQ(stateDumpJson(run.game()), stateDumpJson(session.game())) << "update " << update;
    }
  }
  EXPECT_TRUE(session.done());
}

}  // namespace
}  // namespace vw
