// The puzzle loader: the strip layout, the keywords and their fields, the
// initial states, the token syntax, and every kind of bad input, which is
// reported while the rest of the world still loads. The links between
// elements are in PuzzleElementTest.
#include <gtest/gtest.h>

#include <cmath>

#include "puzzle/Btn.h"
#include "puzzle/MovingBlock.h"
#include "puzzle/RisingDoor.h"
#include "puzzle/Steamjet.h"
#include "puzzle/TrapDoor.h"
#include "puzzle/WaterWheel.h"
#include "support/LoaderFixture.h"
#include "world/PuzzleLoader.h"

namespace vw {
namespace {

using test::fixture;
using test::Loaded;
using test::OnePuzzle;

Vec3 at(const Sprite& s) { return s.getPosition(); }

// --- The strip -------------------------------------------------------------

TEST(PuzzleLoader, TwoPuzzlesAreJoinedByAStoneBridge) {
  Loaded l(fixture("two"));  // CR LF line ends and '\' separators
  EXPECT_TRUE(l.diagnostics.empty()) << l.all();
  EXPECT_EQ(l.world.puzzleCount, 2);
  ASSERT_EQ(l.world.mapElements.size(), 7u);
  for (int i = 0; i < 4; ++i) {
    const MapElement& stone = *l.world.mapElements[1 + i];
    EXPECT_EQ(at(stone), Vec3(1600 + 100 * i, 0, 0));
    EXPECT_EQ(stone.getTextureKey(), "STONE");
  }
  EXPECT_EQ(at(*l.world.mapElements[5]), Vec3(2000, 0, 0));  // the second puzzle's x = 0
  EXPECT_FLOAT_EQ(l.world.levelWidth, 4000);
  EXPECT_EQ(l.world.winLine.x, 3000);
  ASSERT_EQ(l.world.puzzles.size(), 2u);
  EXPECT_FLOAT_EQ(l.world.puzzles[1].offset, 2000);
}

TEST(PuzzleLoader, BlocksTakeTheirStatesAndKeys) {
  Loaded l(fixture("single"));
  MapElement& ice = *l.world.mapElements[1];
  EXPECT_EQ(ice.getState(), BlockState::Frozen);
  EXPECT_EQ(ice.getTextureKey(), "ICEBLOCK");
  MapElement& heavy = *l.world.mapElements[2];  // its first field is ignored
  EXPECT_TRUE(heavy.isHeavy());
  EXPECT_EQ(heavy.getTextureKey(), "HEAVYBOX");
  EXPECT_EQ(at(heavy), Vec3(1100, 100, 0));
  EXPECT_FLOAT_EQ(heavy.getWidth(), 60);
  EXPECT_FALSE(l.world.mapElements[0]->isHeavy());
}

TEST(PuzzleLoader, ElementsArePlacedWithTheirOffsets) {
  test::TempDataDir dir;
  OnePuzzle l(dir,
              "1000|RISINGDOOR|1|500|0|200|50|2|1|1|1|STEAMJET|2|500|0|20|40|300|100|1"
              "|TRAPDOOR|3|500|0|20|100|1|1|PRESSBUTTON|x|500|0|60|20|1|1|WATERWHEEL|x|500|0|80|90|2|3"
              "|MOVINGBOX|4|500|0|30|40|TRAPDOOR|5|500|45|150|100|1|1|&");
  EXPECT_TRUE(l.diagnostics.empty()) << l.all();
  ASSERT_EQ(l.world.puzzleElements.size(), 7u);
  EXPECT_EQ(at(l.element<RisingDoor>(0)), Vec3(100, 100, 0));
  EXPECT_EQ(at(l.element<Steamjet>(1)), Vec3(100, -100, 0));
  EXPECT_EQ(at(l.element<TrapDoor>(2)), Vec3(100, -45, 0));
  EXPECT_EQ(at(l.element<Btn>(3)), Vec3(100, -46, 0));
  EXPECT_EQ(at(l.element<WaterWheel>(4)), Vec3(100, 0, 0));
  EXPECT_EQ(at(l.element<MovingBlock>(5)), Vec3(100, 0, 0));
  // Buttons and wheels take width before height; the others height first.
  EXPECT_FLOAT_EQ(l.element<Btn>(3).getWidth(), 60);
  EXPECT_FLOAT_EQ(l.element<WaterWheel>(4).getHeight(), 90);
  EXPECT_FLOAT_EQ(l.element<MovingBlock>(5).getWidth(), 40);
  EXPECT_FLOAT_EQ(l.element<Steamjet>(1).getAreaHeight(), 300);
  EXPECT_FLOAT_EQ(l.element<Steamjet>(1).getAreaWidth(), 100);
  // A lid thicker than its picture is as the file says: closed, a slab along the top.
  const Bounds lid = l.element<TrapDoor>(6).updateBounds();
  EXPECT_FLOAT_EQ(lid.top, 50.0f);
  EXPECT_FLOAT_EQ(lid.top - lid.bottom, 150.0f);
  EXPECT_FLOAT_EQ(lid.right - lid.left, 100.0f);
}

// --- Initial states ------------------------------------------------------

TEST(PuzzleLoader, InitialStates) {
  Loaded l(fixture("links"));
  EXPECT_TRUE(l.element<Steamjet>(0).isActive());  // on 1
  RisingDoor& automatic = l.element<RisingDoor>(1);
  EXPECT_EQ(automatic.getMode(), DoorMode::Active);
  EXPECT_FALSE(automatic.isActive());  // initial 1: deactivate, the fall restarts from the top
  EXPECT_FLOAT_EQ(automatic.getProgress(), automatic.getTravelTime());
  EXPECT_EQ(l.element<RisingDoor>(2).getMode(), DoorMode::Toggle);
  TrapDoor& trap = l.element<TrapDoor>(3);
  EXPECT_TRUE(trap.isActive());  // initial 0: opening
  EXPECT_EQ(trap.getAnimation(), 1);
  EXPECT_EQ(l.debug.str(), "Type: Active\nType: Toggle\n");
}

// --- Bad input: reported, and the rest still loads --------------------------

// Each entry that is no puzzle, or lies outside the data directory, is
// reported at its line and left out; a list or a puzzle that ends before its
// '&' is warned about and still read; the rest makes one strip.
TEST(PuzzleLoaderBadInput, EntriesThatAreNoPuzzleAreLeftOutOfTheStrip) {
  test::TempDataDir dir;
  dir.list("a.txt\n|gone.txt\n|Puzzles\n|empty.txt\n|/etc/passwd\n|../outside.txt\n|c.txt\n|huge.txt\n|");
  std::filesystem::create_directories(dir.path() / "Puzzles");
  dir.write("a.txt", "2000\n|BLOCK|0|0|10|10\n|");
  dir.write("empty.txt", "");
  dir.write("c.txt", "1000\r|BLOCK|0|0|10|10");  // CR alone ends a line; the last number ends the file
  // Only what stands before the '&' counts: this one has none within the bound.
  dir.write("huge.txt", "1000|" + std::string(kMaxPuzzleFileBytes, ' ') + "&");
  Loaded l(dir.path());
  const std::string list = std::string(kPuzzleListFile) + ":";
  for (const std::string& message : {list + "2: error: cannot read puzzle file \"gone.txt\"",
                                     list + "3: error: cannot read puzzle file \"Puzzles\": it is not a regular file",
                                     std::string("empty.txt: error: the puzzle file is empty"),
                                     list + "5: error: entry \"/etc/passwd\" leaves the data directory",
                                     list + "6: error: entry \"../outside.txt\" leaves",
                                     std::string("a.txt:3: warning: the file ends before its '&'"),
                                     std::string("c.txt:2: warning: the file ends before its '&'"),
                                     list + "9: warning: the file ends before its '&'",
                                     std::string("huge.txt:1: error: no '&' within the first 4 MiB")}) {
    EXPECT_NE(l.find(message), nullptr);
  }
  EXPECT_EQ(l.diagnostics.all().size(), 10u) << l.all();  // and huge.txt's overlong token
  EXPECT_EQ(l.all().find("root"), std::string::npos) << l.all();
  EXPECT_EQ(l.world.puzzleCount, 3);
  ASSERT_EQ(l.world.mapElements.size(), 10u);  // a bridge after a.txt and one after c.txt
  EXPECT_EQ(at(*l.world.mapElements[1]), Vec3(1600, 0, 0));
  EXPECT_EQ(at(*l.world.mapElements[5]), Vec3(2000, 0, 0));
  EXPECT_FLOAT_EQ(l.world.levelWidth, 2000 + 1000 + 1000 + 1200 - 800);
}

TEST(PuzzleLoaderBadInput, FallbacksForImpossibleValues) {
  test::TempDataDir dir;
  OnePuzzle l(dir,
              "1000\n|RISINGDOOR|1|100|0|200|50|0|1|7|1"  // travelTime 0, mode 7
              "\n|RISINGDOOR|2|100|0|200|-50|-3|1|0|4"    // negative width and travelTime, initial 4
              "\n|STEAMJET|3|100|0|20|40|50000|-5|2"      // areaHeight and areaWidth out of range, on 2
              "\n|TRAPDOOR|4|100|0|0|100|1|9"             // thickness 0 (a slab of no thickness), initial 9
              "\n|PRESSBUTTON|0|100|0|60|20|5|1"          // momentary 5
              "\n|WATERWHEEL|0|100|0|80|80|2|-2"          // spinDownTime negative
              "\n|&");
  ASSERT_EQ(l.world.puzzleElements.size(), 6u) << l.all();
  EXPECT_EQ(l.diagnostics.count(Severity::Error), 0) << l.all();
  EXPECT_EQ(l.diagnostics.count(Severity::Warning), 11) << l.all();

  auto& door = l.element<RisingDoor>(0);
  EXPECT_FLOAT_EQ(door.getTravelTime(), 1);
  EXPECT_EQ(door.getMode(), DoorMode::Toggle);
  EXPECT_EQ(l.debug.str(), "Type: Toggle\nType: Active\n");
  EXPECT_NE(l.find("2: warning: RISINGDOOR mode 7"), nullptr);

  auto& second = l.element<RisingDoor>(1);
  EXPECT_FLOAT_EQ(second.getWidth(), 50);
  EXPECT_FALSE(second.isActive());  // initial 4: neither call
  EXPECT_FLOAT_EQ(second.getProgress(), 0);

  auto& jet = l.element<Steamjet>(2);
  EXPECT_FLOAT_EQ(jet.getAreaHeight(), kMaxSteamArea);
  EXPECT_FLOAT_EQ(jet.getAreaWidth(), 0);

  auto& trap = l.element<TrapDoor>(3);
  EXPECT_FLOAT_EQ(trap.getThickness(), 0);
  EXPECT_FALSE(trap.isActive());
  EXPECT_EQ(trap.getAnimation(), 0);

  auto& button = l.element<Btn>(4);
  EXPECT_FALSE(button.isMomentary());
  EXPECT_EQ(button.getTarget(), &l.element<RisingDoor>(0));

  // The wheel takes a one-second spin-down: a single hit has died away after one coasting second.
  auto& wheel = l.element<WaterWheel>(5);
  wheel.hit(wheel.getPosition() + Vec3(50, 0, 0), Vec3(0, 700, 0));
  EXPECT_TRUE(wheel.isActive());
  wheel.update(1.0f / 60);  // the frame of the hit
  wheel.update(1.0f);
  EXPECT_FALSE(wheel.isActive());
}

// Numbers far beyond any int, in every field that places or sizes something.
TEST(PuzzleLoaderBadInput, AbsurdValuesNeverGiveNaNOrInfinity) {
  Loaded l(fixture("absurd"));
  ASSERT_EQ(l.world.puzzleElements.size(), 5u) << l.all();
  auto finite = [](const Sprite& s) {
    Vec3 p = s.getPosition();
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
  };
  for (auto& block : l.world.mapElements) EXPECT_TRUE(finite(*block));
  for (auto& element : l.world.puzzleElements) {
    for (int i = 0; i < 120; ++i) element->update(1.0f / 60);
    EXPECT_TRUE(finite(*element)) << typeName(element->getType());
    Bounds b = element->updateBounds();
    EXPECT_TRUE(std::isfinite(b.left) && std::isfinite(b.right) && std::isfinite(b.top) && std::isfinite(b.bottom))
        << typeName(element->getType());
  }
  EXPECT_TRUE(std::isfinite(l.world.levelWidth));
  EXPECT_EQ(l.world.winLine.x, 2147483647 - 1400);
}

}  // namespace
}  // namespace vw
