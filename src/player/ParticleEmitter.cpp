#include "player/ParticleEmitter.h"

#include <cmath>

#include "app/Random.h"

namespace vw {

namespace {

constexpr float kSteamSize = 15.0f;
constexpr float kWaterSize = 15.0f;
constexpr float kIceSize = 20.0f;
constexpr float kSteamLaunchSpeed = 5.0f;
constexpr float kWaterLaunchSpeed = 700.0f;
constexpr float kIceLaunchSpeed = 600.0f;
// A steam puff's speed is 400 plus a jitter of -400 to 399; other kinds fly at 400.
constexpr float kBaseSpeed = 400.0f;
constexpr int kSpeedJitterRange = 800;

}  // namespace

int emitterCapacity(float sprayWidth, float sprayLength) {
  const float product = sprayLength / 4 * sprayWidth;
  // Written to send NaN to the limit as well.
  if (!(product >= 0.0f) || product >= static_cast<float>(kMaxEmitterCapacity)) return kMaxEmitterCapacity;
  return static_cast<int>(product);
}

ParticleEmitter::ParticleEmitter(float sprayWidth, float sprayLength, float angle, Vec3 position, Power kind,
                                 Random& random)
    : random(&random),
      sprayWidth(sprayWidth),
      sprayLength(sprayLength),
      capacity(emitterCapacity(sprayWidth, sprayLength)),
      sprayKind(kind),
      spawnPoint(position) {
  setAngle(angle);
}

void ParticleEmitter::setAngle(float radians) {
  angle = radians;
  sinAngle = std::sin(radians);
  cosAngle = std::cos(radians);
}

void ParticleEmitter::add(float size, Vec3 cornerCentre, bool distanceMode, float launchSpeed) {
  particles.push_back(std::make_unique<Particle>(particleTextureKey(sprayKind), sprayWidth, sprayLength, cornerCentre,
                                                 size, size, sprayKind, distanceMode, *random));
  Particle& particle = *particles.back();
  particle.placeSprite(spawnPoint);
  particle.setVelocity(cosAngle * launchSpeed, sinAngle * launchSpeed, 0);
}

void ParticleEmitter::spawn(bool distanceMode) {
  const Vec3 p = spawnPoint;
  switch (sprayKind) {
    case Power::Steam:
      // sprayLength / 10 puffs per update; the loop bound also keeps an
      // absurd length from spawning without end.
      for (int i = 0; i < kMaxEmitterCapacity && static_cast<float>(i) < sprayLength / 10; ++i) {
        add(kSteamSize, p, distanceMode, kSteamLaunchSpeed);
      }
      break;
    case Power::Water: {
      const float f = (static_cast<float>(random->mod(10)) * 0.15f + 1.0f) / 1.3f;
      add(kWaterSize * f, p, false, kWaterLaunchSpeed);
      add(kWaterSize * f, p + Vec3(5, 0, 0), false, kWaterLaunchSpeed);
      break;
    }
    case Power::Ice:
      // Offsets in world axes, not turned with the aim.
      add(kIceSize, p, false, kIceLaunchSpeed);
      add(kIceSize, p + Vec3(10, static_cast<float>(random->mod(15)) - 7.5f, 0), false, kIceLaunchSpeed);
      add(kIceSize, p + Vec3(10, static_cast<float>(random->mod(25)) - 12.5f, 0), false, kIceLaunchSpeed);
      add(kIceSize, p + Vec3(10, static_cast<float>(random->mod(25)) - 12.5f, 0), false, kIceLaunchSpeed);
      break;
  }
}

void ParticleEmitter::update(float dt, bool distanceMode) {
  // The capacity is tested once per batch, so a batch may overshoot it.
  if (emitting && particles.size() < static_cast<std::size_t>(capacity)) spawn(distanceMode);

  // One pass that moves every particle and closes the gaps of the removed
  // ones in place, keeping the spawn order.
  std::size_t kept = 0;
  for (std::size_t i = 0; i < particles.size(); ++i) {
    Particle& particle = *particles[i];
    bool remove = particle.spent;
    if (!remove) {
      float speed = kBaseSpeed;
      if (particle.getSprayKind() == Power::Steam) speed += static_cast<float>(random->mod(kSpeedJitterRange) - 400);
      remove = particle.update(sinAngle, cosAngle, speed, spawnPoint, emitting, dt);
      if (!remove) particle.updateBounds();
    }
    if (remove) {
      particles[i].reset();
    } else {
      if (kept != i) particles[kept] = std::move(particles[i]);
      ++kept;
    }
  }
  particles.resize(kept);
}

}  // namespace vw
