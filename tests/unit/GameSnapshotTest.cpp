// A snapshot puts the game back exactly: restored and fed the same input, it
// plays on bit for bit as it did the first time, in its own game or another.
#include <gtest/gtest.h>

#include <sstream>

#include "app/KeyCodes.h"
#include "app/StateDump.h"
#include "puzzle/Steamjet.h"
#include "puzzle/WaterWheel.h"
#include "support/TestGame.h"

namespace vw {
namespace {

using test::ScenarioGame;

// The elements of the scenario, in file order.
constexpr std::size_t kTrapDoor = 1;
constexpr std::size_t kWheel = 2;
constexpr std::size_t kDoor = 4;
constexpr std::size_t kButton = 5;

// The state dump plus what it leaves out: every particle, and the generator.
std::string fingerprint(const Game& game) {
  std::ostringstream out;
  out << stateDumpJson(game);
  auto particles = [&out](const ParticleEmitter& emitter) {
    for (const Particle& p : emitter.getParticles()) {
      out << p.getPosition().x << ',' << p.getPosition().y << ',' << p.getAge() << ';';
    }
    out << '\n';
  };
  particles(game.player->getEmitter());
  for (const auto& e : game.puzzleElements) {
    if (e->getType() == PuzzleElementType::Steamjet) particles(static_cast<const Steamjet&>(*e).getEmitter());
    out << e->getFrame() << ' ' << e->getAnimation() << ' ' << e->getBounds().top << '\n';
  }
  Random next = game.random;
  out << next.rand() << ' ' << game.cameraEye.x << ' ' << game.player->getAimAngle() << '\n';
  return out.str();
}

// Walks right and jumps with the umbrella, spraying water up at the wheel.
void playTail(ScenarioGame& s) {
  for (int i = 0; i < 90; ++i) {
    s.devices.hold(i % 45 == 0 ? std::initializer_list<int>{Key::D} : std::initializer_list<int>{Key::D, Key::W});
    s.devices.button = i % 30 < 20;
    s.aimAt(s.game.puzzleElements[kWheel]->getPosition());
    s.step();
  }
}

// Up to the snapshot: the wheel is sprayed (its trap door swings), the jet
// steams, the player floats under the umbrella in the jet, spraying.
void playHead(ScenarioGame& s) {
  s.devices.hold({Key::D});
  s.run(25);
  s.devices.hold({});
  s.aimAt(s.game.puzzleElements[kWheel]->getPosition());
  s.devices.button = true;
  s.run(50);
  s.devices.hold({Key::W});
  s.run(1);
  s.devices.hold({});
  s.run(1);
  s.devices.hold({Key::W, Key::A});
  s.run(55);
}

TEST(GameSnapshot, RestoredGamePlaysOnExactlyWithItsLinksInItsOwnWorld) {
  ScenarioGame s("every-element");
  ASSERT_TRUE(s.started);
  playHead(s);
  // Everything that must survive the copy is in motion.
  ASSERT_TRUE(s.player().isUmbrellaOpen());
  ASSERT_GT(s.player().getEmitter().count(), 0u);
  ASSERT_GT(s.game.steamParticles(), 0u);
  ASSERT_GT(s.element<WaterWheel>(kWheel).getSpinMagnitude(), 0.0f);
  // The wheel has switched the trap door, which opened at the start, and it swings shut.
  ASSERT_FALSE(s.game.puzzleElements[kTrapDoor]->isActive());
  ASSERT_GT(s.game.puzzleElements[kTrapDoor]->getFrame(), 0);

  const PlayState saved = s.game.snapshot();
  const KeyArray keys = s.devices.keys;
  playTail(s);
  const std::string first = fingerprint(s.game);

  for (int again = 0; again < 2; ++again) {  // the snapshot is not used up
    s.game.restore(saved);
    s.devices.keys = keys;
    playTail(s);
    EXPECT_EQ(fingerprint(s.game), first) << "restore " << again;
  }

  ScenarioGame other("every-element", 99);  // another game, another seed
  ASSERT_TRUE(other.started);
  other.game.restore(saved);
  // Its links point into its own world: each switch at its target and back.
  const ElementList& list = other.game.puzzleElements;
  for (auto [from, to] : {std::pair{kWheel, kTrapDoor}, std::pair{kButton, kDoor}}) {
    EXPECT_EQ(list[from]->getTarget(), list[to].get());
    EXPECT_EQ(list[to]->getController(), list[from].get());
  }
  other.devices.keys = keys;
  playTail(other);
  EXPECT_EQ(fingerprint(other.game), first);
}

}  // namespace
}  // namespace vw
