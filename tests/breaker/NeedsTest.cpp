// The requirements file: what it accepts, the FILE:LINE of what it does
// not, and the observer that marks what a run has met.
#include <gtest/gtest.h>

#include <sstream>

#include "PuzzleRun.h"
#include "world/PuzzleSource.h"

namespace vw {
namespace {

const std::filesystem::path kScenario = std::filesystem::path(VAPORWICK_TEST_DATA) / "scenarios" / "every-element";

struct ParseCase {
  const char* text;
  const char* expected;  // the needs as written, one per line, or the error's start
};

TEST(Needs, ParsesRequirementsAndNamesTheBadLine) {
  const ParseCase cases[] = {
      {"sprayed Steam\n", "sprayed Steam\n"},
      {"# a comment\n\n  on 29   # trailing\r\noff 3\nwet 12\nfrozen 4\numbrella\n",
       "on 29\noff 3\nwet 12\nfrozen 4\numbrella\n"},
      {"sprayed Fire\n", "f.needs:1: "},
      {"umbrella\n\non\n", "f.needs:3: "},
      {"on 0\n", "f.needs:1: "},
      {"on 2x\n", "f.needs:1: "},
      {"on 29 30\n", "f.needs:1: "},
      {"umbrella now\n", "f.needs:1: "},
      {"Sprayed Water\n", "f.needs:1: "},
  };
  for (const ParseCase& c : cases) {
    std::istringstream in(c.text);
    std::string error;
    std::optional<Needs> needs = parseNeeds(in, "f.needs", error);
    std::string got = error;
    if (needs) {
      for (const Need& need : needs->needs) got += need.text() + "\n";
    }
    EXPECT_EQ(got.substr(0, std::string(c.expected).size()), c.expected) << c.text;
    EXPECT_EQ(needs.has_value(), error.empty()) << c.text;
  }
}

// The scenario puzzle alone, watched for the needs in text; a failure is reported.
PuzzleSetup scenario(const char* text) {
  std::istringstream in(text);
  std::string error;
  std::optional<Needs> needs = parseNeeds(in, "f.needs", error);
  std::optional<std::string> puzzle = readPuzzleSource(kScenario / "Puzzles" / "every-element.txt", error);
  if (!needs || !puzzle) ADD_FAILURE() << error;
  return PuzzleSetup{kScenario, AlonePuzzle{"every-element.txt", puzzle.value_or("")}, needs.value_or(Needs{})};
}

struct RunCase {
  const char* needs;
  const char* script;  // played at once, as --puzzle plays
  const char* unmet;   // what is still not met afterwards
};

// The scenario: ground (line 2), a jet, a trap door that opens at the start
// (line 4), a wheel, a box, a door and a button.
TEST(NeedsObserver, MarksWhatARunMet) {
  const RunCase cases[] = {
      {"sprayed Steam\n", "2 2\n30 mouse 500 500 down\n", ""},
      {"sprayed Steam\n", "30 mouse 500 500 down\n", "sprayed Steam"},  // Water, the power at start
      {"sprayed Steam\n", "2 2\n30\n", "sprayed Steam"},                // chosen, never sprayed
      {"sprayed Water\nwet 2\n", "60 mouse 500 500 down\n", ""},
      {"wet 2\nfrozen 2\n", "2 3\n60 mouse 500 500 down\n", "wet 2"},
      {"umbrella\n", "10\n1 W\n60 W\n", ""},
      {"umbrella\n", "10\n1 W\n60\n", "umbrella"},  // a jump alone
      {"on 4\noff 4\n", "10\n", "off 4"},            // the trap door swings open at the start
  };
  for (const RunCase& c : cases) {
    std::istringstream scriptIn(c.script);
    std::string error;
    std::optional<InputScript> script = parseInputScript(scriptIn, "s.txt", error);
    ASSERT_TRUE(script) << error;
    PuzzleRun run(scenario(c.needs));
    ASSERT_TRUE(run.start(error)) << error;
    run.play(script->steps);
    std::string unmet;
    for (const std::string& need : run.observer().unmet()) unmet += (unmet.empty() ? "" : ", ") + need;
    EXPECT_EQ(unmet, c.unmet) << c.needs << "played with\n" << c.script;
  }
}

TEST(NeedsObserver, ALineThatHoldsNothingToWatchIsAnError) {
  const ParseCase cases[] = {
      {"on 3\nwet 2\nfrozen 6\n", ""},     // a jet; the ground; a box freezes like a block
      {"umbrella\non 2\n", "f.needs:2: line 2 of the puzzle holds no puzzle element"},
      {"wet 99\n", "f.needs:1: line 99 of the puzzle holds no block"},
      {"off 1\n", "f.needs:1: "},  // the width line
  };
  for (const ParseCase& c : cases) {
    PuzzleRun run(scenario(c.text));
    std::string error;
    EXPECT_EQ(run.start(error), std::string(c.expected).empty()) << c.text;
    EXPECT_EQ(error.substr(0, std::string(c.expected).size()), c.expected) << c.text;
  }
}

}  // namespace
}  // namespace vw
