#include <gtest/gtest.h>

#include "app/RunOptions.h"

namespace vw {
namespace {

TEST(CommandLine, ReadsEveryOption) {
  auto parsed = parseCommandLine({"--data", "d", "--seed", "9", "--headless", "--script", "s.txt", "--frames", "120",
                                  "--dump-state", "o.json", "--verbose", "--record", "r.txt"});
  ASSERT_EQ(parsed.error, "");
  const RunOptions& o = parsed.options;
  EXPECT_EQ(o.dataDir, "d");
  EXPECT_EQ(*o.seed, 9u);
  EXPECT_TRUE(o.headless);
  EXPECT_EQ(o.script, "s.txt");
  EXPECT_EQ(*o.frames, 120u);
  EXPECT_EQ(o.dumpState, "o.json");
  EXPECT_EQ(o.record, "r.txt");
  EXPECT_TRUE(o.verbose);
}

TEST(CommandLine, UnknownOptionsAndBadValuesAreErrors) {
  for (auto args : std::vector<std::vector<std::string>>{{"--fly"},
                                                         {"--seed", "x"},
                                                         {"--seed", "-3"},
                                                         {"--frames"},
                                                         {"--frames", "12a"},
                                                         {"--data", ""},
                                                         {"--headless"}}) {
    EXPECT_NE(parseCommandLine(args).error, "") << args[0];
  }
}

}  // namespace
}  // namespace vw
