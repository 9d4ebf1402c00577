// What the loader makes of the values puzzle authors write at the edges of
// their ranges: a jet loaded off, a wheel that stops at once, a lid of no
// thickness or one thicker than its picture.
#include <gtest/gtest.h>

#include "puzzle/Steamjet.h"
#include "puzzle/TrapDoor.h"
#include "puzzle/WaterWheel.h"
#include "support/LoaderFixture.h"

namespace vw {
namespace {

using test::OnePuzzle;

constexpr float kDt = 1.0f / 60.0f;

TEST(LoadedSteamjet, OnOrOffAsTheFileSays) {
  for (int on : {0, 1}) {
    test::TempDataDir dir;
    OnePuzzle l(dir, "1000\n|STEAMJET|1|100|150|20|50|300|100|" + std::to_string(on) + "\n|&");
    ASSERT_EQ(l.world.puzzleElements.size(), 1u) << l.all();
    auto& jet = l.element<Steamjet>(0);
    EXPECT_EQ(jet.isActive(), on == 1);
    EXPECT_EQ(jet.getEmitter().isEmitting(), on == 1);
    EXPECT_EQ(jet.getLift(), on == 1 ? Vec3(0, 30, 0) : Vec3(0));
  }
}

TEST(LoadedWaterWheel, SpinDownZeroStopsInTheUpdateAfterTheWaterStops) {
  struct Case {
    int spinDown;
    int warnings;
    int updatesTurning;  // after the update of the hit
  };
  for (Case c : {Case{0, 0, 0}, Case{-1, 1, 40}}) {
    SCOPED_TRACE(c.spinDown);
    test::TempDataDir dir;
    OnePuzzle l(dir, "1000\n|WATERWHEEL|0|100|150|100|100|0|" + std::to_string(c.spinDown) + "\n|&");
    ASSERT_EQ(l.world.puzzleElements.size(), 1u) << l.all();
    EXPECT_EQ(l.diagnostics.count(Severity::Warning), c.warnings) << l.all();
    auto& wheel = l.element<WaterWheel>(0);
    wheel.hit(wheel.getPosition() + Vec3(50, 0, 0), Vec3(0, 700, 0));
    wheel.update(kDt);  // the update of the hit: no decay yet
    int turning = 0;
    while (wheel.isActive() && turning < 1000) {
      wheel.update(kDt);
      if (wheel.isActive()) ++turning;
    }
    EXPECT_EQ(turning, c.updatesTurning);
  }
}

TEST(LoadedTrapDoor, TheClosedSlabIsAsThickAsTheFileSays) {
  struct Case {
    int size, thickness;
  };
  for (Case c : {Case{100, 0}, Case{100, 20}, Case{100, 150}}) {
    SCOPED_TRACE(c.thickness);
    test::TempDataDir dir;
    OnePuzzle l(dir, "1000\n|TRAPDOOR|1|500|45|" + std::to_string(c.thickness) + "|" + std::to_string(c.size) +
                         "|1|1\n|&");
    ASSERT_EQ(l.world.puzzleElements.size(), 1u) << l.all();
    EXPECT_EQ(l.diagnostics.count(Severity::Warning), 0) << l.all();
    const Bounds b = l.element<TrapDoor>(0).updateBounds();
    EXPECT_FLOAT_EQ(b.top, 50.0f);
    EXPECT_FLOAT_EQ(b.top - b.bottom, static_cast<float>(c.thickness));
    EXPECT_FLOAT_EQ(b.right - b.left, static_cast<float>(c.size));
  }
}

}  // namespace
}  // namespace vw
