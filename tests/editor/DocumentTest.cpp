// Reading and writing puzzles: every shipped puzzle survives an open and a
// save as the same world, and bad files open without harm.
#include <gtest/gtest.h>

#include "ReadFile.h"

#include <cstdint>
#include <filesystem>
#include <sstream>

#include "app/Random.h"
#include "editor/PuzzleDocument.h"
#include "world/PuzzleLoader.h"

namespace vw {
namespace {

using test::readFile;

// One line per block and element: what the game builds from them, links as list indices.
std::vector<std::string> describeWorld(const std::string& text) {
  Random random(3);
  Diagnostics diagnostics;
  LoadedWorld world = loadPuzzleText("p.txt", text, random, diagnostics, nullptr);
  std::vector<std::string> out;
  auto sprite = [](const Sprite& s) {
    std::ostringstream d;
    d << s.getTextureKey() << " " << s.getPosition().x << "," << s.getPosition().y << " " << s.getWidth() << "x"
      << s.getHeight();
    return d.str();
  };
  for (const auto& b : world.mapElements) out.push_back(sprite(*b) + " heavy " + std::to_string(b->isHeavy()) + " state " + std::to_string(static_cast<int>(b->getState())));
  for (const auto& e : world.puzzleElements) {
    std::string link = "-";
    for (std::size_t i = 0; i < world.puzzleElements.size(); ++i) {
      if (world.puzzleElements[i].get() == e->getTarget()) link = std::to_string(i);
    }
    out.push_back(sprite(*e) + " type " + std::to_string(static_cast<int>(e->getType())) + " active " +
                  std::to_string(e->isActive()) + " target " + link);
  }
  out.push_back("width " + std::to_string(world.levelWidth));
  return out;
}

TEST(DocumentRoundTrip, EveryShippedPuzzleSavesToTheSameWorld) {
  int puzzles = 0;
  for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(VAPORWICK_SOURCE_DATA) / "Puzzles")) {
    SCOPED_TRACE(entry.path().string());
    const std::string original = readFile(entry.path());
    std::vector<DroppedText> dropped;
    PuzzleDocument doc = PuzzleDocument::parse(original, dropped);
    EXPECT_TRUE(dropped.empty());
    const std::string saved = doc.text();
    EXPECT_EQ(describeWorld(saved), describeWorld(original));
    // Opening the saved file gives the same document again.
    EXPECT_EQ(PuzzleDocument::parse(saved, dropped), doc);
    ++puzzles;
  }
  EXPECT_GE(puzzles, 10);
}

TEST(DocumentRoundTrip, EveryKeywordWithEveryFieldKeepsItsMeaning) {
  const std::string text =
      "1500\n|BLOCK|10|-20|30|40\n|ICEBLOCK|1|2|3|4\n|HEAVYBOX|junk|5|6|7|8\n|MOVINGBOX|3|9|10|11|12\n"
      "|RISINGDOOR|4|13|14|15|16|2|3|0|1\n|STEAMJET|5|17|18|19|20|300|100|0\n|TRAPDOOR|6|21|22|20|100|-1|0\n"
      "|PRESSBUTTON|x|23|24|80|20|1|4\n|WATERWHEEL|y|25|26|100|100|5|8\n|&";
  std::vector<DroppedText> dropped;
  PuzzleDocument doc = PuzzleDocument::parse(text, dropped);
  EXPECT_EQ(describeWorld(doc.text()), describeWorld(text));
}

struct BadFile {
  const char* name;
  std::string text;
  std::size_t elements;  // what can still be edited
  std::size_t dropped;  // kAny: however many
};

constexpr std::size_t kAny = SIZE_MAX;

TEST(DocumentBadInput, ReadsWhatItCanAndListsTheRest) {
  std::string binary;
  for (int i = 0; i < 5000; ++i) binary.push_back(static_cast<char>((i * 131) % 256));
  const BadFile cases[] = {
      {"empty", "", 0, 0},
      {"unknown keyword", "800\n|BLOCK|0|0|10|10\n|LADDER|1|2\n|BLOCK|5|5|10|10\n|&", 2, 3},
      {"cut short", "800\n|BLOCK|0|0|10|10\n|RISINGDOOR|1|2|3", 1, 1},
      {"no end mark", "800\n|BLOCK|0|0|10|10\n", 1, 0},
      {"keyword after a line break", "800\n|BLOCK|0|0|10|10|\nBLOCK|1|1|1|1|&", 1, 5},
      {"binary", binary, 0, kAny},
  };
  for (const BadFile& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<DroppedText> dropped;
    PuzzleDocument doc = PuzzleDocument::parse(c.text, dropped);
    EXPECT_EQ(doc.elements.size(), c.elements);
    if (c.dropped != kAny) {
      EXPECT_EQ(dropped.size(), c.dropped);
    }
    // Whatever was read writes out as a file the loader reads without complaint.
    Random random(1);
    Diagnostics diagnostics;
    loadPuzzleText("p.txt", doc.text(), random, diagnostics, nullptr);
    EXPECT_EQ(diagnostics.count(Severity::Error), 0) << doc.text();
  }
}

}  // namespace
}  // namespace vw
