// Choosing a power: the number keys pick it and light its HUD icon in the
// same update; steam leaves the spray at speeds of its own.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/Random.h"
#include "player/ParticleEmitter.h"
#include "support/TestGame.h"

namespace vw {
namespace {

class PowerChoice : public test::GameFixture {};

TEST_F(PowerChoice, ANumberKeyPicksThePowerAndLightsItsIcon) {
  startPlaying();
  struct Case {
    int key;
    Power power;
    bool water, steam, ice;
  };
  for (Case c : {Case{Key::Two, Power::Steam, false, true, false}, Case{Key::Three, Power::Ice, false, false, true},
                 Case{Key::One, Power::Water, true, false, false}}) {
    devices.press(c.key);
    run();
    EXPECT_EQ(game.player->getPower(), c.power);
    EXPECT_EQ(game.ui->isWaterIconSelected(), c.water);
    EXPECT_EQ(game.ui->isSteamIconSelected(), c.steam);
    EXPECT_EQ(game.ui->isIceIconSelected(), c.ice);
    devices.release(c.key);
    run();
  }
}

TEST(SteamSpeed, EachSteamParticleMovesAtASpeedOfItsOwn) {
  Random random(3);
  ParticleEmitter jet(100, 300, 1.5714285f, Vec3(0), Power::Steam, random);
  jet.setEmitting(true);
  jet.update(0.1f, true);
  ASSERT_GT(jet.count(), 10u);
  float low = 1e9f, high = -1e9f;
  for (const Particle& p : jet.getParticles()) {
    low = std::min(low, p.getPosition().y);
    high = std::max(high, p.getPosition().y);
  }
  EXPECT_GT(high - low, 20.0f);  // speeds spread over 0 to 800 units a second
}

}  // namespace
}  // namespace vw
