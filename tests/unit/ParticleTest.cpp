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

}  // namespace
}  // namespace vw
