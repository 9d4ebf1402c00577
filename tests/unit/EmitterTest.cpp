// The spray and the steam: how many particles an emitter holds and makes,
// their speeds, and how a particle flies and expires.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <set>
#include <vector>

#include "app/Random.h"
#include "player/Particle.h"
#include "player/ParticleEmitter.h"

namespace vw {
namespace {

constexpr float kDt = 1.0f / 60.0f;
constexpr float kUp = 1.5714285f;  // a steam jet's direction

Vec3 cornerCentre(const Particle& p) {
  const auto& c = p.getCorners();
  return (c[0].position + c[1].position + c[2].position + c[3].position) / 4.0f;
}

TEST(EmitterCapacity, QuarterOfLengthTimesWidthUpToTenThousand) {
  EXPECT_EQ(emitterCapacity(9, 160), 360);
  EXPECT_EQ(emitterCapacity(0, 160), 0);
  EXPECT_EQ(emitterCapacity(200, 300), 10000);
  EXPECT_EQ(emitterCapacity(-5, 300), 10000);  // negative: the limit
  EXPECT_EQ(emitterCapacity(std::nanf(""), 300), 10000);
  EXPECT_EQ(emitterCapacity(std::numeric_limits<float>::infinity(), 300), 10000);
}

TEST(Emitter, SteamBatchesUntilCapacityThenOnlyRecycles) {
  Random random(5);
  ParticleEmitter emitter(9, 160, 0, Vec3(0), Power::Steam, random);
  ASSERT_TRUE(emitter.isEmitting());
  std::size_t previous = 0;
  for (int i = 0; i < 200; ++i) {
    emitter.update(kDt, false);
    const std::size_t n = emitter.count();
    if (previous < 360) {
      EXPECT_EQ(n, previous + 16) << i;
    } else {
      EXPECT_EQ(n, previous) << i;
    }
    EXPECT_LE(n, 375u);
    previous = n;
  }
  EXPECT_EQ(previous, 368u);  // 352 was below 360, so one more batch of 16
  // After 200 updates (3.3 s) every puff has been recycled several times, none removed.
  for (const auto& p : emitter.getParticles()) EXPECT_LT(p.getAge(), 0.39f);
}

// The spray leaves the arm two water drops or four ice shards an update, at
// 700 and 600 units a second along the aim.
TEST(Emitter, WaterAndIceBatchesAndTheirSpeeds) {
  Random random(9);
  const Vec3 at(100, 200, 0);
  ParticleEmitter water(9, 160, 0, at, Power::Water, random);
  water.update(0, false);  // dt 0: nothing moves, the batch stays as spawned
  ASSERT_EQ(water.count(), 2u);
  EXPECT_EQ(water.getParticles()[0].getPosition(), at);
  EXPECT_EQ(water.getParticles()[0].getVelocity(), Vec3(700, 0, 0));
  EXPECT_EQ(cornerCentre(water.getParticles()[1]), at + Vec3(5, 0, 0));  // its picture 5 to the right
  water.update(kDt, false);
  EXPECT_EQ(water.count(), 4u);

  ParticleEmitter ice(9, 160, kUp, at, Power::Ice, random);
  ice.update(0, false);
  ASSERT_EQ(ice.count(), 4u);
  for (const Particle& shard : ice.getParticles()) {
    EXPECT_EQ(shard.getWidth(), 20.0f);
    EXPECT_NEAR(shard.getVelocity().y, 600.0f, 1e-3f);
  }
  ice.update(kDt, false);
  EXPECT_EQ(ice.count(), 8u);
}

TEST(Emitter, SteamJetSpawnsATenthOfItsHeightInDistanceMode) {
  Random random(2);
  ParticleEmitter jet(200, 300, kUp, Vec3(50, 0, 0), Power::Steam, random);
  EXPECT_EQ(jet.getCapacity(), 10000);
  jet.update(kDt, true);
  ASSERT_EQ(jet.count(), 30u);
  for (const auto& p : jet.getParticles()) {
    // Moved up the column in the spawning update, by 0 to 799 units per second.
    // (The jitter across the column tilts that by at most 2000 x cos(11/7) per second.)
    EXPECT_GE(p.getPosition().y, -0.05f);
    EXPECT_LE(p.getPosition().y, 800 * kDt + 0.05f);
  }
  // A length beyond reason still spawns a bounded batch.
  ParticleEmitter huge(1, 1e9f, kUp, Vec3(0), Power::Steam, random);
  huge.update(kDt, true);
  EXPECT_EQ(huge.count(), 10000u);
}

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

}  // namespace
}  // namespace vw
