// Runs a hostile data pack or command line could ask for: steps that would
// throw the player to infinity, one file named by two outputs, and more steam
// than any frame can carry. (Scripts that are no files: RunFileTest.)
#include <gtest/gtest.h>

#include <sstream>

#include "app/InputScript.h"
#include "app/RunOptions.h"
#include "support/TestGame.h"

namespace vw {
namespace {

// A bad script line is an error naming the file and the line; a step must lie
// between 0 and 1 second.
TEST(HostileRun, AMalformedScriptLineIsAnErrorAtItsLine) {
  const std::pair<const char*, bool> cases[] = {
      {"dt 0", true},     {"dt 1", true},     {"dt 0.0166667", true}, {"dt 1.5", false},  {"dt 1e36", false},
      {"dt -1", false},   {"dt inf", false},  {"dt nan", false},      {"dt fast", false}, {"3 JUMP", false},
      {"x D", false},     {"2 mouse 10", false}, {"-2 D", false},     {"seed 4", false},  {"seed", false},
  };
  for (const auto& [line, fine] : cases) {
    std::istringstream in(std::string("10 D\n") + line + "\n1\n");
    std::string error;
    EXPECT_EQ(parseInputScript(in, "s.txt", error).has_value(), fine) << line;
    if (!fine) {
      EXPECT_EQ(error.rfind("s.txt:2: ", 0), 0u) << line << ": " << error;
    }
  }
}

TEST(HostileRun, UnknownOptionsBadValuesAndOneFileForTwoOutputsAreUsageErrors) {
  const std::vector<std::string> cases[] = {
      {"--fly"}, {"--seed", "x"}, {"--seed", "-3"}, {"--frames"}, {"--frames", "12a"}, {"--data", ""}, {"--headless"},
      {"--dump-state", "x", "--record", "x"},
      {"--record", "out/x", "--screenshot", "out/./x"},
      {"--dump-state", "a/../x", "--screenshot", "x"},
  };
  for (const auto& args : cases) EXPECT_NE(parseCommandLine(args).error, "") << args[0] << " " << args.back();
  EXPECT_NE(parseCommandLine(cases[7]).error.find("name the same file"), std::string::npos);
  EXPECT_EQ(parseCommandLine({"--dump-state", "x", "--record", "y"}).error, "");
}

// Forty jets (tests/data/scenarios/steam-flood) whose columns each hold up to
// 10000 puffs, all beside the player.
TEST(HostileRun, TheSteamOfAllJetsStaysWithinItsBound) {
  test::ScenarioGame s("steam-flood", 3);
  ASSERT_TRUE(s.started);
  std::size_t most = 0;
  for (int i = 0; i < 120; ++i) {
    s.step(kDefaultStep);
    most = std::max(most, s.game.steamParticles());
  }
  EXPECT_EQ(most, kMaxSteamParticles);
}

}  // namespace
}  // namespace vw
