// Links between puzzle elements as the loader makes them: which element a
// button or wheel switches, which controller a switched element gets, and
// how the links toggle at play time.
#include <gtest/gtest.h>

#include "physics/Collision.h"
#include "puzzle/Btn.h"
#include "puzzle/MovingBlock.h"
#include "puzzle/RisingDoor.h"
#include "puzzle/Steamjet.h"
#include "puzzle/TrapDoor.h"
#include "puzzle/WaterWheel.h"
#include "support/LoaderFixture.h"
#include "support/TestWorld.h"

namespace vw {
namespace {

using test::fixture;
using test::Loaded;
using test::OnePuzzle;

TEST(PuzzleLinks, ButtonsAndWheelsLinkToTheLastEarlierId) {
  Loaded l(fixture("links"));
  auto& jet = l.element<Steamjet>(0);
  auto& first = l.element<Btn>(5);
  auto& second = l.element<Btn>(6);
  EXPECT_EQ(first.getTarget(), &jet);
  EXPECT_EQ(jet.getController(), &second);  // the later button links last
  // Duplicate id 2: the later door.
  EXPECT_EQ(l.element<Btn>(7).getTarget(), &l.element<RisingDoor>(2));
  EXPECT_EQ(l.element<RisingDoor>(2).getController(), &l.element<Btn>(7));
  EXPECT_EQ(l.element<RisingDoor>(1).getController(), nullptr);
  EXPECT_EQ(l.element<WaterWheel>(8).getTarget(), &l.element<TrapDoor>(3));
  EXPECT_EQ(l.element<TrapDoor>(3).getController(), &l.element<WaterWheel>(8));
  EXPECT_FALSE(l.element<Btn>(7).isMomentary());
  EXPECT_TRUE(first.isMomentary());
}

TEST(PuzzleLinks, TargetLaterInTheFileIsNotFound) {
  Loaded l(fixture("links"));
  auto& button = l.element<Btn>(9);
  EXPECT_EQ(button.getTarget(), nullptr);
  const Diagnostic* d = l.find("target id 9");
  ASSERT_NE(d, nullptr);
  EXPECT_EQ(d->severity, Severity::Error);
  EXPECT_EQ(d->line, 11);
  EXPECT_NE(d->message.find("registered later, on line 12"), std::string::npos);
  EXPECT_EQ(l.element<MovingBlock>(10).getController(), nullptr);
  button.activate();  // switches nothing, and does not crash
  button.deactivate();
  EXPECT_EQ(l.diagnostics.all().size(), 1u) << l.all();
}

TEST(PuzzleLinks, PressingToggles) {
  Loaded l(fixture("links"));
  auto& jet = l.element<Steamjet>(0);
  auto& first = l.element<Btn>(5);
  auto& second = l.element<Btn>(6);
  first.activate();  // the jet was on: pressing switches it off
  EXPECT_FALSE(jet.isActive());
  second.activate();  // both buttons flip the same jet: back where it was
  EXPECT_TRUE(jet.isActive());
  first.deactivate();
  EXPECT_FALSE(jet.isActive());
}

// A jet that is off comes back on by itself unless its controller is off:
// the loader's link is what keeps a button's jet off.
TEST(PuzzleLinks, JetFollowsTheButtonThatControlsIt) {
  test::TempDataDir dir;
  OnePuzzle l(dir,
              "1000|STEAMJET|1|100|0|20|40|300|100|0|STEAMJET|2|900|0|20|40|300|100|0"
              "|PRESSBUTTON|0|500|0|60|20|0|1|&");
  test::TestWorld w;
  w.puzzleElements = std::move(l.world.puzzleElements);
  auto& controlled = static_cast<Steamjet&>(*w.puzzleElements[0]);
  auto& free = static_cast<Steamjet&>(*w.puzzleElements[1]);
  auto& button = static_cast<Btn&>(*w.puzzleElements[2]);
  ASSERT_EQ(controlled.getController(), &button);
  CollisionScene scene = w.scene();
  checkSteamjet(scene, controlled);
  checkSteamjet(scene, free);
  EXPECT_FALSE(controlled.isActive());
  EXPECT_TRUE(free.isActive());
  button.activate();  // pressed: switches the jet on, and stays down
  checkSteamjet(scene, controlled);
  EXPECT_TRUE(controlled.isActive());
}

}  // namespace
}  // namespace vw
