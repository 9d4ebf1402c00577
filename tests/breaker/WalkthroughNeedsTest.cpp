// Every walkthrough is a fair pass: played alone from the title menu it gets
// past its puzzle and meets every requirement in the puzzle's .needs file.
#include <gtest/gtest.h>

#include "ShippedPuzzles.h"

namespace vw {
namespace {

using namespace test;

class WalkthroughNeeds : public ::testing::TestWithParam<std::string> {};

TEST_P(WalkthroughNeeds, PassesAndMeetsEveryRequirement) {
  PuzzleSetup setup = shippedSetup(GetParam(), true);
  std::string error;
  std::optional<InputScript> script = readInputScript(kWalkthroughs / (stem(GetParam()) + ".txt"), error);
  ASSERT_TRUE(script) << error;
  PuzzleRun run(setup);
  ASSERT_TRUE(run.start(error)) << error;
  run.play(script->steps);
  EXPECT_TRUE(run.passed()) << "the walkthrough ends at x " << run.game().player->getPosition().x << ", the goal is "
                            << run.goalX();
  std::string unmet;
  for (const std::string& need : run.observer().unmet()) unmet += "\n  " + need;
  EXPECT_TRUE(run.observer().allMet()) << "the walkthrough never meets:" << unmet;
}

INSTANTIATE_TEST_SUITE_P(Campaign, WalkthroughNeeds, ::testing::ValuesIn(shippedPuzzles()), gtestName);

}  // namespace
}  // namespace vw
