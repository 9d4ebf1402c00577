#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <set>

#include "app/Random.h"
#include "player/Particle.h"

namespace vw {
namespace {

// A particle as an emitter makes it: corners around cornerCentre, the sprite at spritePosition.
std::unique_ptr<Particle> makeParticle(Random& random, Power kind, Vec3 spritePosition, Vec3 cornerCentre,
                                       float sprayWidth = 9, float sprayLength = 160, bool distanceMode = false,
                                       float size = 15) {
  auto p = std::make_unique<Particle>(particleTextureKey(kind), sprayWidth, sprayLength, cornerCentre, size, size, kind,
                                      distanceMode, random);
  p->placeSprite(spritePosition);
  return p;
}

Vec3 cornerCentre(const Particle& p) {
  const auto& c = p.getCorners();
  return (c[0].position + c[1].position + c[2].position + c[3].position) / 4.0f;
}

TEST(Particle, CornersAreAQuadWithFixedTextureCoordinatesAndMoveWithIt) {
  Random random;
  auto p = makeParticle(random, Power::Ice, Vec3(0), Vec3(10, 20, 0), 9, 160, false, 20);
  const auto& c = p->getCorners();
  EXPECT_EQ(c[0].position, Vec3(0, 30, 0));  // top-left
  EXPECT_EQ(c[1].position, Vec3(20, 30, 0));
  EXPECT_EQ(c[2].position, Vec3(0, 10, 0));
  EXPECT_EQ(c[3].position, Vec3(20, 10, 0));
  EXPECT_EQ(c[0].texCoord, Vec2(0, 0));
  EXPECT_EQ(c[1].texCoord, Vec2(1, 0));
  EXPECT_EQ(c[2].texCoord, Vec2(0, 1));
  EXPECT_EQ(c[3].texCoord, Vec2(1, 1));

  // translate moves the sprite and every corner alike, keeping the size.
  p->translate(5, -3, 0);
  EXPECT_EQ(p->getPosition(), Vec3(5, -3, 0));
  EXPECT_EQ(cornerCentre(*p), Vec3(15, 17, 0));
  EXPECT_EQ(p->updateBounds().left, -5.0f);
  EXPECT_EQ(p->getWorldMatrix()[0][0], 20.0f);
}

TEST(Particle, SpriteTranslateIsTheFullProduct) {
  Sprite s("X", 32, 100);
  s.translate(-300, 100, 0);
  Matrix expected = multiply(s.getWorldMatrix(), translation(7.5f, -2.25f, 1));
  s.translate(7.5f, -2.25f, 1);
  EXPECT_EQ(s.getWorldMatrix(), expected);
}

TEST(Particle, LifetimesByKindAndDistance) {
  Random random(3);
  EXPECT_FLOAT_EQ(makeParticle(random, Power::Steam, Vec3(0), Vec3(0))->getLife(), 0.38f);
  EXPECT_FLOAT_EQ(makeParticle(random, Power::Water, Vec3(0), Vec3(0))->getLife(), 4.0f);
  EXPECT_FLOAT_EQ(makeParticle(random, Power::Ice, Vec3(0), Vec3(0))->getLife(), 0.6f);

  // Distance mode: rand() mod 100 + sprayLength - 60, so 240 to 339 for 300.
  std::set<float> lives;
  for (int i = 0; i < 2000; ++i) {
    lives.insert(makeParticle(random, Power::Steam, Vec3(0), Vec3(0), 100, 300, true)->getLife());
  }
  EXPECT_EQ(*lives.begin(), 240.0f);
  EXPECT_EQ(*lives.rbegin(), 339.0f);
  EXPECT_EQ(lives.size(), 100u);

  // And its age counts the distance travelled: 400 x 0.1 per update.
  auto jet = makeParticle(random, Power::Steam, Vec3(0), Vec3(0), 100, 300, true);
  jet->update(1, 0, 400, Vec3(0), true, 0.1f);
  EXPECT_FLOAT_EQ(jet->getAge(), 40.0f);
}

TEST(Particle, WaterArcsUnderGravityAndExpiresAfterFourSecondsWhenTheEmitterIsOff) {
  Random random;
  auto drop = makeParticle(random, Power::Water, Vec3(0), Vec3(0));
  drop->setVelocity(0, 700, 0);
  EXPECT_NEAR(drop->getPush(), 0.0f, 1e-6f);
  // Highest at 0.8 s (700 / 875): rising before, level in the step that reaches it, falling after.
  float previous = 0;
  for (int step = 1; step <= 9; ++step) {
    ASSERT_FALSE(drop->update(1, 0, 400, Vec3(0), false, 0.1f));
    const float y = drop->getPosition().y;
    if (step <= 7) {
      EXPECT_GT(y, previous) << step;
    }
    if (step == 8) {
      EXPECT_NEAR(drop->getVelocity().y, 0.0f, 1e-3f);
      EXPECT_NEAR(y, previous, 1e-3f);
    }
    if (step == 9) {
      EXPECT_LT(y, previous);
    }
    previous = y;
  }
  EXPECT_NEAR(cornerCentre(*drop).y, drop->getPosition().y, 1e-3f);

  // Expiry: age 4 exactly is still alive; the next update removes it without moving it.
  auto late = makeParticle(random, Power::Water, Vec3(0), Vec3(0));
  late->setVelocity(700, 0, 0);
  EXPECT_NEAR(late->getPush(), 700.0f / 60.0f, 1e-4f);
  for (int i = 0; i < 16; ++i) ASSERT_FALSE(late->update(0, 1, 400, Vec3(0), false, 0.25f)) << i;
  const Vec3 at = late->getPosition();
  EXPECT_TRUE(late->update(0, 1, 400, Vec3(0), false, 0.25f));
  EXPECT_EQ(late->getPosition(), at);
}

TEST(Particle, ExpiredWhileTheEmitterIsOnRestartsAtTheEmitter) {
  Random random;
  const Vec3 emitter(100, 50, 0);
  // Water restarts along the current aim (straight up) at 700.
  auto drop = makeParticle(random, Power::Water, Vec3(0), Vec3(0));
  drop->setVelocity(700, 0, 0);
  for (int i = 0; i < 16; ++i) drop->update(0, 1, 400, emitter, true, 0.25f);
  EXPECT_FALSE(drop->update(1, 0, 400, emitter, true, 0.25f));
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
    auto shard = makeParticle(random, Power::Ice, Vec3(0), Vec3(0));
    shard->update(0, -1, 400, emitter, true, 0.7f);  // past its 0.6 s life
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
float steamJitter(Particle& puff, float speed, float dt) {
  const Vec3 before = puff.getPosition();
  puff.update(1, 0, speed, Vec3(0), true, dt);
  const Vec3 d = puff.getPosition() - before;
  EXPECT_NEAR(d.y, speed * dt, 1e-3f);
  return -d.x / dt;
}

TEST(Particle, SteamFollowsTheCurrentAimWithADrawnSidewaysJitter) {
  Random random(11);
  // Spray width 9: draws -4.5 .. 4.5 in steps of 1, times 50.
  auto puff = makeParticle(random, Power::Steam, Vec3(0), Vec3(0));
  std::set<int> seen;
  for (int i = 0; i < 300; ++i) {  // 0.29 s, within the puff's life
    const float j = steamJitter(*puff, 300, 1.0f / 1024);
    seen.insert(static_cast<int>(std::lround(j)));
  }
  EXPECT_EQ(seen, (std::set<int>{-225, -175, -125, -75, -25, 25, 75, 125, 175, 225}));

  // Distance mode scales the draw by 20 instead.
  auto jet = makeParticle(random, Power::Steam, Vec3(0), Vec3(0), 4, 300, true);
  std::set<int> jetSeen;
  for (int i = 0; i < 200; ++i) jetSeen.insert(static_cast<int>(std::lround(steamJitter(*jet, 1, 1.0f / 1024))));
  EXPECT_EQ(jetSeen, (std::set<int>{-40, -20, 0, 20, 40}));

  // The stream bends at once when the aim turns: aimed right it moves right.
  auto turning = makeParticle(random, Power::Steam, Vec3(0), Vec3(0), 0.5f);  // m = 1: jitter -0.25 x 50
  const Vec3 before = turning->getPosition();
  turning->update(0, 1, 400, Vec3(0), true, 0.01f);
  const Vec3 d = turning->getPosition() - before;
  EXPECT_NEAR(d.x, 4.0f, 1e-4f);
  EXPECT_NEAR(d.y, -0.125f, 1e-4f);
}

TEST(Particle, NegativeOrZeroSprayWidthGivesSteamNoSidewaysJitter) {
  Random random;
  for (float width : {-1.0f, -5.0f, -1e30f, std::nanf("")}) {
    auto puff = makeParticle(random, Power::Steam, Vec3(0), Vec3(0), width);
    for (int i = 0; i < 20; ++i) EXPECT_EQ(steamJitter(*puff, 200, 0.01f), 0.0f) << width;
  }
  // A huge width is drawn without overflow.
  auto wide = makeParticle(random, Power::Steam, Vec3(0), Vec3(0), 1e12f);
  wide->update(1, 0, 100, Vec3(0), true, 0.01f);
  EXPECT_TRUE(std::isfinite(wide->getPosition().x));
}

}  // namespace
}  // namespace vw
