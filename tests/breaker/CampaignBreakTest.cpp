// The breaker on every shipped puzzle with a fixed budget of updates: no
// puzzle may be passed without what its requirements say a fair pass uses.
// A break is printed as the input script that replays it, and that script
// is checked to replay the break.
#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <sstream>

#include "Breaker.h"
#include "ShippedPuzzles.h"

namespace vw {
namespace {

using namespace test;

bool replaysABreak(const PuzzleSetup& setup, const std::string& text) {
  std::istringstream in(text);
  std::string error;
  std::optional<InputScript> script = parseInputScript(in, "break", error);
  PuzzleRun run(setup);
  if (!script || !run.start(error)) return false;
  run.play(script->steps);
  return run.passed() && !run.observer().allMet();
}

class CampaignBreak : public ::testing::TestWithParam<std::string> {};

TEST_P(CampaignBreak, NoPassWithoutItsRequirements) {
  const PuzzleSetup setup = shippedSetup(GetParam(), false);
  BreakerOptions options;
  options.budget = VAPORWICK_BREAKER_BUDGET;
  std::string error;
  std::optional<BreakerResult> result = findBreak(setup, options, error);
  ASSERT_TRUE(result) << error;
  std::cout << GetParam() << ": " << result->states << " states, " << result->updates << " updates, "
            << static_cast<long long>(result->updates / std::max(result->seconds, 1e-9)) << " updates/s, "
            << result->fairPasses << " fair passes\n";
  std::string unmet;
  for (const std::string& need : result->unmet) unmet += " " + need;
  EXPECT_FALSE(result->broken) << "passed without" << unmet << "; the pass, to replay with --puzzle:\n"
                               << result->script;
  if (result->broken) {
    std::cout << "passed without" << unmet << ":\n" << result->script;
    EXPECT_TRUE(replaysABreak(setup, result->script)) << result->script;
  }
}

INSTANTIATE_TEST_SUITE_P(Campaign, CampaignBreak, ::testing::ValuesIn(shippedPuzzles()), gtestName);

}  // namespace
}  // namespace vw
