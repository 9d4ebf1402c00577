// The page's URL options become command-line arguments; anything that could
// reach outside the packed scripts, or is not a plain number, is left out.
#include <gtest/gtest.h>

#include "app/RunOptions.h"
#include "web/PageOptions.h"

namespace vw {
namespace {

struct Case {
  const char* query;
  std::vector<std::string> arguments;
  int speed;
  std::size_t warnings;
};

TEST(PageOptions, QueriesBecomeArgumentsOrWarnings) {
  const Case cases[] = {
      {"", {}, 1, 0},
      {"?seed=42", {"--seed", "42"}, 1, 0},
      {"seed=7&mute", {"--seed", "7", "--mute"}, 1, 0},
      {"?script=campaign.txt&speed=100", {"--script", "/scripts/campaign.txt"}, 100, 0},
      {"?script=01-first%2Dsteps.txt", {"--script", "/scripts/01-first-steps.txt"}, 1, 0},
      {"?verbose&&", {"--verbose"}, 1, 0},
      // Folders, parent folders and escapes that make them stay out.
      {"?script=../data/Settings/puzzleFileNames.txt", {}, 1, 1},
      {"?script=%2E%2E%2Fsecret", {}, 1, 1},
      {"?script=a/b.txt", {}, 1, 1},
      {"?script=", {}, 1, 1},
      // Numbers: digits only, speed within 1..1000.
      {"?seed=12abc", {}, 1, 1},
      {"?seed=99999999999", {}, 1, 1},
      {"?speed=0", {}, 1, 1},
      {"?speed=1001", {}, 1, 1},
      {"?speed=1000", {}, 1000, 0},
      // Unknown options, and flags given a value.
      {"?frames=10", {}, 1, 1},
      {"?mute=1", {}, 1, 1},
      {"?seed=%", {}, 1, 1},
  };
  for (const Case& c : cases) {
    PageOptions options = parsePageOptions(c.query, "/scripts");
    EXPECT_EQ(options.arguments, c.arguments) << c.query;
    EXPECT_EQ(options.speed, c.speed) << c.query;
    EXPECT_EQ(options.warnings.size(), c.warnings) << c.query;
  }
}

TEST(PageOptions, EveryAcceptedQueryParsesAsACommandLine) {
  for (const char* query : {"?seed=4294967295", "?script=x.txt&seed=0&mute&verbose"}) {
    ParsedCommandLine parsed = parseCommandLine(parsePageOptions(query, "/scripts").arguments);
    EXPECT_TRUE(parsed.error.empty()) << query << ": " << parsed.error;
  }
}

}  // namespace
}  // namespace vw
