#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <set>

#include "app/Random.h"
#include "player/Particle.h"

namespace vw {
namespace {

// A particle as an emitter makes it: corners around cornerCentre, the sprite at spritePosition.
std::unique_ptr<Particle> makeParticle(Power kind, Vec3 spritePosition, Vec3 cornerCentre, float size = 15,
                                       float life = -1) {
  return std::make_unique<Particle>(kind, size, life < 0 ? particleLife(kind) : life, life >= 0, spritePosition,
                                    cornerCentre, Vec3(0));
}

// One update of a particle whose emitter sits at emitter, aimed along (cos, sin).
bool step(Particle& p, Random& random, float sin, float cos, float speed, Vec3 emitter, bool on, float dt,
          float sprayWidth = 9) {
  return p.update(makeEmitterStep(sin, cos, emitter, on, dt, sprayWidth, random), speed);
}

Vec3 cornerCentre(const Particle& p) {
  const auto& c = p.getCorners();
  return (c[0].position + c[1].position + c[2].position + c[3].position) / 4.0f;
}

TEST(Particle, WaterArcsUnderGravityAndExpiresAfterFourSecondsWhenTheEmitterIsOff) {
  Random random;
  auto drop = makeParticle(Power::Water, Vec3(0), Vec3(0));
  drop->setVelocity(0, 700, 0);
  EXPECT_NEAR(drop->getPush(), 0.0f, 1e-6f);
  // Highest at 0.8 s (700 / 875): rising before, level in the step that reaches it, falling after.
  float previous = 0;
  for (int i = 1; i <= 9; ++i) {
    ASSERT_FALSE(step(*drop, random, 1, 0, 400, Vec3(0), false, 0.1f));
    const float y = drop->getPosition().y;
    if (i <= 7) {
      EXPECT_GT(y, previous) << i;
    }
    if (i == 8) {
      EXPECT_NEAR(drop->getVelocity().y, 0.0f, 1e-3f);
      EXPECT_NEAR(y, previous, 1e-3f);
    }
    if (i == 9) {
      EXPECT_LT(y, previous);
    }
    previous = y;
  }
  EXPECT_NEAR(cornerCentre(*drop).y, drop->getPosition().y, 1e-3f);

  // Expiry: age 4 exactly is still alive; the next update removes it without moving it.
  auto late = makeParticle(Power::Water, Vec3(0), Vec3(0));
  late->setVelocity(700, 0, 0);
  EXPECT_NEAR(late->getPush(), 700.0f / 60.0f, 1e-4f);
  for (int i = 0; i < 16; ++i) ASSERT_FALSE(step(*late, random, 0, 1, 400, Vec3(0), false, 0.25f)) << i;
  const Vec3 at = late->getPosition();
  EXPECT_TRUE(step(*late, random, 0, 1, 400, Vec3(0), false, 0.25f));
  EXPECT_EQ(late->getPosition(), at);
}

TEST(Particle, ExpiredWhileTheEmitterIsOnRestartsAtTheEmitter) {
  Random random;
  const Vec3 emitter(100, 50, 0);
  // Water restarts along the current aim (straight up) at 700.
  auto drop = makeParticle(Power::Water, Vec3(0), Vec3(0));
  drop->setVelocity(700, 0, 0);
  for (int i = 0; i < 16; ++i) step(*drop, random, 0, 1, 400, emitter, true, 0.25f);
  EXPECT_FALSE(step(*drop, random, 1, 0, 400, emitter, true, 0.25f));
  EXPECT_NEAR(drop->getAge(), 0.0f, 1e-6f);
  const float vy = 700 - 875 * 0.25f;
  EXPECT_NEAR(drop->getVelocity().x, 0.0f, 1e-3f);
  EXPECT_NEAR(drop->getVelocity().y, vy, 1e-3f);
  EXPECT_NEAR(drop->getPosition().x, 100.0f, 1e-3f);
  EXPECT_NEAR(drop->getPosition().y, 50 + vy * 0.25f, 1e-3f);
  EXPECT_NEAR(cornerCentre(*drop).y, drop->getPosition().y, 1e-3f);

  // Ice pointed straight left still gets its offset to the right: offsets are not turned with the aim.
  std::set<float> xOffsets;
  for (int i = 0; i < 200; ++i) {
    auto shard = makeParticle(Power::Ice, Vec3(0), Vec3(0));
    step(*shard, random, 0, -1, 400, emitter, true, 0.7f);  // past its 0.6 s life
    const Vec3 offset = shard->getPosition() - emitter - Vec3(-600 * 0.7f, 0, 0);
    xOffsets.insert(std::round(offset.x));
    EXPECT_GE(offset.y, -12.5f);
    EXPECT_LE(offset.y, 11.5f);
    EXPECT_NEAR(shard->getVelocity().x, -600.0f, 1e-3f);
    const Vec3 centre = cornerCentre(*shard);
    EXPECT_NEAR(centre.x, shard->getPosition().x, 1e-3f);
    EXPECT_NEAR(centre.y, shard->getPosition().y, 1e-3f);
  }
  EXPECT_EQ(xOffsets, (std::set<float>{10, 15}));
}

// The sideways jitter of one steam step, from its displacement with the aim straight up.
float steamJitter(Particle& puff, Random& random, float speed, float dt, float sprayWidth = 9) {
  const Vec3 before = puff.getPosition();
  step(puff, random, 1, 0, speed, Vec3(0), true, dt, sprayWidth);
  const Vec3 d = puff.getPosition() - before;
  EXPECT_NEAR(d.y, speed * dt, 1e-3f);
  return -d.x / dt;
}

TEST(Particle, SteamFollowsTheCurrentAimWithADrawnSidewaysJitter) {
  Random random(11);
  // Spray width 9: draws -4.5 .. 4.5 in steps of 1, times 50.
  auto puff = makeParticle(Power::Steam, Vec3(0), Vec3(0));
  std::set<int> seen;
  for (int i = 0; i < 300; ++i) {  // 0.29 s, within the puff's life
    seen.insert(static_cast<int>(std::lround(steamJitter(*puff, random, 300, 1.0f / 1024))));
  }
  EXPECT_EQ(seen, (std::set<int>{-225, -175, -125, -75, -25, 25, 75, 125, 175, 225}));

  // Distance mode scales the draw by 20 instead.
  auto jet = makeParticle(Power::Steam, Vec3(0), Vec3(0), 15, 300);
  std::set<int> jetSeen;
  for (int i = 0; i < 200; ++i) {
    jetSeen.insert(static_cast<int>(std::lround(steamJitter(*jet, random, 1, 1.0f / 1024, 4))));
  }
  EXPECT_EQ(jetSeen, (std::set<int>{-40, -20, 0, 20, 40}));

  // The stream bends at once when the aim turns: aimed right it moves right.
  auto turning = makeParticle(Power::Steam, Vec3(0), Vec3(0));
  step(*turning, random, 0, 1, 400, Vec3(0), true, 0.01f, 0.5f);  // m = 1: jitter -0.25 x 50
  const Vec3 d = turning->getPosition();
  EXPECT_NEAR(d.x, 4.0f, 1e-4f);
  EXPECT_NEAR(d.y, -0.125f, 1e-4f);
}

}  // namespace
}  // namespace vw
