// The editor window driven as an author would drive it: a new puzzle gets a
// floor, a door and a button, the button is linked to the door, the puzzle
// is saved, and the file holds exactly that.
#include <gtest/gtest.h>

#include "ReadFile.h"

#include <cstdlib>

#include "editor/PuzzleDocument.h"
#include "support/TempDataDir.h"

namespace vw {
namespace {

using test::readFile;

// Window pixels of a puzzle point in the 1280 x 860 editor window at its
// starting view (centre 550, 200; the 1000 x 800 view scaled by 1.075 from x 102).
std::string at(float x, float y) {
  const float wx = 102 + (500 + (x - 550)) * 1.075f;
  const float wy = (400 - (y - 200)) * 1.075f;
  return std::to_string(static_cast<int>(wx)) + " " + std::to_string(static_cast<int>(wy));
}

int run(const test::TempDataDir& dir, const std::string& script) {
  dir.write("script.txt", script);
  const std::string command = std::string(VAPORWICK_GAME) + " --data " + VAPORWICK_BUILT_DATA + " --edit " +
                              (dir.path() / "new.txt").string() + " --edit-script " +
                              (dir.path() / "script.txt").string() + " 2>" + (dir.path() / "stderr.txt").string();
  return std::system(command.c_str());
}

TEST(EditorWindow, BuildsLinksAndSavesANewPuzzle) {
  test::TempDataDir dir;
  const std::string script = "wait 3\n"
                             "key 1\nclick " + at(500, 100) + "\n"   // a BLOCK
                             "key 5\nclick " + at(700, 200) + "\n"   // a RISINGDOOR
                             "key 8\nclick " + at(300, 50) + "\n"    // a PRESSBUTTON, selected once placed
                             "key Escape\n"                          // back to selecting; the button stays selected
                             "key L\nclick " + at(700, 250) + "\n"   // link it: pick the door
                             "key ctrl+S\nwait 3\n";
  ASSERT_EQ(run(dir, script), 0) << readFile(dir.path() / "stderr.txt");
  const std::string saved = readFile(dir.path() / "new.txt");
  std::vector<DroppedText> dropped;
  PuzzleDocument doc = PuzzleDocument::parse(saved, dropped);
  ASSERT_EQ(doc.elements.size(), 3u) << saved;
  EXPECT_STREQ(doc.elements[0].layout().keyword, "BLOCK");
  EXPECT_EQ(doc.elements[0].get(FieldRole::X), 500);
  EXPECT_EQ(doc.elements[0].get(FieldRole::Y), 100);
  EXPECT_STREQ(doc.elements[1].layout().keyword, "RISINGDOOR");
  EXPECT_EQ(doc.elements[1].get(FieldRole::Y), 100);  // its picture stands 100 above the file's y
  EXPECT_STREQ(doc.elements[2].layout().keyword, "PRESSBUTTON");
  EXPECT_EQ(doc.targetOf(2), std::optional<std::size_t>(1)) << saved;
}

TEST(EditorWindow, OpensABrokenFileAndClosesWithoutTouchingIt) {
  test::TempDataDir dir;
  std::string junk(100000, '\0');
  for (std::size_t i = 0; i < junk.size(); ++i) junk[i] = static_cast<char>((i * 7919) % 251);
  dir.write("new.txt", junk);
  ASSERT_EQ(run(dir, "wait 5\nclick " + at(500, 100) + "\n"), 0) << readFile(dir.path() / "stderr.txt");
  EXPECT_EQ(readFile(dir.path() / "new.txt"), junk);
}

}  // namespace
}  // namespace vw
