// The puzzle authors' check: every diagnostic, the warnings beyond the
// loader's, the summary line and the exit status.
#include <gtest/gtest.h>

#include <sstream>

#include "support/LoaderFixture.h"
#include "world/PuzzleChecker.h"

namespace vw {
namespace {

struct Checked {
  std::string output;
  int status = 0;
  explicit Checked(const std::filesystem::path& dataDir) {
    std::ostringstream out;
    status = checkPuzzles(dataDir, out);
    output = out.str();
  }
  bool says(const std::string& part) const { return output.find(part) != std::string::npos; }
};

TEST(PuzzleChecker, CleanPuzzlesPassWithASummary) {
  Checked c(test::fixture("single"));
  EXPECT_EQ(c.status, 0);
  EXPECT_EQ(c.output, "1 puzzle, 3 blocks, 0 elements, 0 warnings, 0 errors\n");
}

TEST(PuzzleChecker, LoaderErrorsFailTheCheck) {
  Checked c(test::fixture("links"));
  EXPECT_EQ(c.status, 1);
  EXPECT_TRUE(c.says("links.txt:11: error: PRESSBUTTON target id 9")) << c.output;
  EXPECT_TRUE(c.says("links.txt:4: warning: RISINGDOOR id 2 is registered again")) << c.output;
  EXPECT_TRUE(c.says("1 puzzle, 0 blocks, 11 elements, 1 warning, 1 error\n")) << c.output;
}

}  // namespace
}  // namespace vw
