// The campaign as a player meets it: each puzzle played alone with its
// walkthrough (meeting what its .needs file says a fair pass uses), and again
// with every hold of it a little longer or shorter; each puzzle after the
// first against a player who only walks right and jumps; and the whole strip
// from the title menu to the closing panel.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "ShippedPuzzles.h"
#include "render/RenderPass.h"
#include "world/PuzzleChecker.h"

namespace vw {
namespace {

using namespace test;

constexpr std::uint64_t kNaiveUpdates = 60 * 60;  // a minute of play
constexpr int kSlack = 3;  // updates a hold may be longer or shorter and still solve its puzzle

InputScript walkthrough(const std::string& puzzleFile) {
  std::string error;
  std::optional<InputScript> script = readInputScript(kWalkthroughs / (stem(puzzleFile) + ".txt"), error);
  if (!script) ADD_FAILURE() << error;
  return script.value_or(InputScript{});
}

// Clicks "Start Game", then per second either "1 D", "59 D W" (jump, then the
// umbrella while falling) or "1 D", "20 D W", "39 D" (jump, no umbrella).
InputScript naiveScript(bool umbrella) {
  std::string text = "seed 3\n1 mouse 300 400 down\n1 mouse 700 300\n";
  for (std::uint64_t second = 0; second < kNaiveUpdates / 60; ++second) {
    text += umbrella ? "1 D\n59 D W\n" : "1 D\n20 D W\n39 D\n";
  }
  std::istringstream in(text);
  std::string error;
  std::optional<InputScript> script = parseInputScript(in, "naive", error);
  if (!script) ADD_FAILURE() << error;
  return script.value_or(InputScript{});
}

// How a run of a puzzle alone, from the title menu, ended.
struct Outcome {
  bool passed = false;  // the player got past the goal, up at floor level
  int respawns = 0;
  Vec3 player{0};
  std::string unmet;  // the requirements of its .needs file the run never met
};

// Plays the script until its end or until the player is past the goal.
Outcome play(const std::string& puzzleFile, const InputScript& script) {
  PuzzleSetup setup = shippedSetup(puzzleFile, true);
  setup.seed = script.seed.value_or(1);
  PuzzleRun run(setup);
  std::string error;
  if (!run.start(error)) {
    ADD_FAILURE() << puzzleFile << ": " << error;
    return {};
  }
  run.play(script.steps);
  Outcome out{run.passed(), run.game().player->getRespawnCount(), run.game().player->getPosition(), ""};
  for (const std::string& need : run.observer().unmet()) out.unmet += " " + need;
  return out;
}

class PuzzleTest : public ::testing::TestWithParam<std::string> {};

TEST_P(PuzzleTest, WalkthroughSolvesItWithoutARespawnMeetingItsNeeds) {
  const Outcome o = play(GetParam(), walkthrough(GetParam()));
  EXPECT_TRUE(o.passed) << "the walkthrough ends at x " << o.player.x << ", y " << o.player.y;
  EXPECT_EQ(o.respawns, 0);
  EXPECT_EQ(o.unmet, "") << "the walkthrough never meets these";
}

// A hold is a script line held for more than one update. The variants of a
// walkthrough: every hold `kSlack` updates longer, every hold shorter, and
// each hold alone longer and shorter (never below one update).
std::vector<std::pair<std::string, InputScript>> slackVariants(const InputScript& script) {
  std::vector<std::size_t> holds;
  for (std::size_t i = 0; i < script.steps.size(); ++i) {
    if (script.steps[i].count > 1) holds.push_back(i);
  }
  auto varied = [&](int delta, std::optional<std::size_t> only) {
    InputScript s = script;
    for (std::size_t i : holds) {
      if (only && i != *only) continue;
      std::int64_t count = static_cast<std::int64_t>(s.steps[i].count) + delta;
      s.steps[i].count = static_cast<std::uint64_t>(std::max<std::int64_t>(1, count));
    }
    return s;
  };
  std::vector<std::pair<std::string, InputScript>> variants;
  for (int delta : {kSlack, -kSlack}) {
    const std::string sign = delta > 0 ? "+" : "-";
    variants.emplace_back("every hold " + sign + std::to_string(kSlack), varied(delta, std::nullopt));
    for (std::size_t i : holds) {
      variants.emplace_back("step " + std::to_string(i + 1) + " " + sign + std::to_string(kSlack), varied(delta, i));
    }
  }
  return variants;
}

TEST_P(PuzzleTest, WalkthroughHasTimingSlack) {
  for (const auto& [name, script] : slackVariants(walkthrough(GetParam()))) {
    const Outcome o = play(GetParam(), script);
    EXPECT_TRUE(o.passed && o.respawns == 0)
        << name << ": ends at x " << o.player.x << ", y " << o.player.y << " after " << o.respawns << " respawns";
  }
}

TEST_P(PuzzleTest, WalkingRightAndJumpingDoesNotGetPast) {
  if (GetParam() == shippedPuzzles().front()) GTEST_SKIP() << "the first puzzle teaches moving and lets anyone through";
  for (bool umbrella : {true, false}) {
    EXPECT_FALSE(play(GetParam(), naiveScript(umbrella)).passed) << (umbrella ? "with" : "without") << " the umbrella";
  }
}

INSTANTIATE_TEST_SUITE_P(Campaign, PuzzleTest, ::testing::ValuesIn(shippedPuzzles()), gtestName);

TEST(Campaign, HasTwentyPuzzles) { EXPECT_GE(shippedPuzzles().size(), 20u); }

// The strip is stitched from the single walkthroughs by vaporwick_stitch
// (docs/campaign.md); it ends on the closing panel, nothing pressed after it.
TEST(Campaign, WholeStripFromTheTitleMenuToTheClosingPanel) {
  const InputScript script = walkthrough("campaign");
  ScriptInputDevices devices(script);
  NullRenderContext context;
  Game game(context, devices, GameOptions{kSourceData, script.seed.value_or(1), nullptr});
  Diagnostics diagnostics;
  ASSERT_TRUE(game.startUp(diagnostics));
  while (devices.advance()) {
    game.updateGame(devices.dt());
    renderFrame(game, context);
  }
  EXPECT_EQ(game.gameState, GameState::Ending) << "the campaign ends at x " << game.player->getPosition().x;
  EXPECT_EQ(game.player->getRespawnCount(), 0);
}

TEST(Campaign, CheckerHasNothingToSay) {
  std::ostringstream out;
  EXPECT_EQ(checkPuzzles(kSourceData, out), 0) << out.str();
  EXPECT_NE(out.str().find(" 0 warnings, 0 errors"), std::string::npos) << out.str();
}

}  // namespace
}  // namespace vw
