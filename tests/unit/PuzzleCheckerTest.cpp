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

TEST(PuzzleChecker, NoPuzzleIsAnError) {
  test::TempDataDir dir;
  dir.list("&");
  Checked c(dir.path());
  EXPECT_EQ(c.status, 1);
  EXPECT_TRUE(c.says("Settings/puzzleFileNames.txt: error: no puzzle could be loaded")) << c.output;
  EXPECT_TRUE(c.says("0 puzzles, 0 blocks, 0 elements, 0 warnings, 1 error\n")) << c.output;
}

TEST(PuzzleChecker, AuthorWarningsDoNotFailTheCheck) {
  test::TempDataDir dir;
  dir.list("a.txt\n|b.txt\n|&");
  dir.write("a.txt",
            "1000"                                  // line 1: the width
            "\n|BLOCK|500|0|100|1000"               // fills 0..1000 exactly: fine
            "\n|BLOCK|1100|0|100|100"               // 3: beyond the right edge
            "\n|BLOCK|20|0|100|200"                 // 4: sticks out left, past the bridge gap
            "\n|MOVINGBOX|1|300|0|0|50"             // 5: no height
            "\n|STEAMJET|2|400|0|20|40|300|100|0"   // 6: off, nothing switches it
            "\n|STEAMJET|3|500|0|20|40|300|100|0"   // 7: off, and its button finds the door below
            "\n|RISINGDOOR|3|600|0|200|50|2|1|1|1"  // 8: id 3 again, and a button uses it
            "\n|MOVINGBOX|1|700|0|50|50"            // id 1 again, but nothing uses it: fine
            "\n|PRESSBUTTON|0|800|0|60|20|1|3"
            "\n|&");
  dir.write("b.txt", "0|BLOCK|5000|0|10|10|&");
  Checked c(dir.path());
  EXPECT_EQ(c.status, 0) << c.output;
  EXPECT_TRUE(c.says("a.txt:3: warning: BLOCK spans x 1050 to 1150, beyond the puzzle's 0 to 1000")) << c.output;
  EXPECT_TRUE(c.says("a.txt:4: warning: BLOCK spans x -80 to 120")) << c.output;
  EXPECT_TRUE(c.says("a.txt:5: warning: MOVINGBOX has no width or no height")) << c.output;
  EXPECT_TRUE(c.says("a.txt:6: warning: STEAMJET starts off but no button or wheel switches it")) << c.output;
  EXPECT_TRUE(c.says("a.txt:7: warning: STEAMJET starts off")) << c.output;
  EXPECT_TRUE(c.says("a.txt:8: warning: RISINGDOOR id 3 is registered again (first on line 7)")) << c.output;
  EXPECT_TRUE(c.says("b.txt:1: warning: puzzle width 0 is not positive")) << c.output;
  EXPECT_TRUE(c.says("2 puzzles, 4 blocks, 6 elements, 7 warnings, 0 errors\n")) << c.output;
}

}  // namespace
}  // namespace vw
