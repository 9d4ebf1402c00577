#include "player/ParticleEmitter.h"

#include <cmath>
#include <limits>

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
// How far a drawn quad reaches from its particle's position: half the
// largest particle (27.1 for water) plus the largest offset of a shard's
// picture (10 across, 12.5 up or down), rounded up.
constexpr float kQuadReach = 40.0f;

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
  // Distance-mode steam lives for a drawn distance; the rest for their kind's time.
  const float life =
      distanceMode ? static_cast<float>(random->mod(100)) + sprayLength - 60.0f : particleLife(sprayKind);
  particles.emplace_back(sprayKind, size, life, distanceMode, spawnPoint, cornerCentre,
                         Vec3(cosAngle * launchSpeed, sinAngle * launchSpeed, 0));
}

void ParticleEmitter::spawn(bool distanceMode, std::size_t room) {
  const Vec3 p = spawnPoint;
  switch (sprayKind) {
    case Power::Steam:
      // sprayLength / 10 puffs per update; the loop bound also keeps an
      // absurd length from spawning without end.
      for (int i = 0; i < kMaxEmitterCapacity && static_cast<std::size_t>(i) < room &&
                      static_cast<float>(i) < sprayLength / 10;
           ++i) {
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

void ParticleEmitter::update(float dt, bool distanceMode, std::size_t room) {
  // The capacity is tested once per batch, so a batch may overshoot it.
  if (emitting && room > 0 && particles.size() < static_cast<std::size_t>(capacity)) spawn(distanceMode, room);

  // One pass that moves every particle and closes the gaps of the removed
  // ones in place, keeping the spawn order.
  const EmitterStep step = makeEmitterStep(sinAngle, cosAngle, spawnPoint, emitting, dt, sprayWidth, *random);
  Vec2 low(std::numeric_limits<float>::infinity());
  Vec2 high(-std::numeric_limits<float>::infinity());
  std::size_t kept = 0;
  for (std::size_t i = 0; i < particles.size(); ++i) {
    Particle& particle = particles[i];
    // The speed jitter is drawn for every particle, spent or not, whatever its kind.
    const int jitter = random->mod(kSpeedJitterRange) - 400;
    bool remove = particle.spent;
    if (!remove) {
      const float speed = particle.getSprayKind() == Power::Steam ? kBaseSpeed + static_cast<float>(jitter) : kBaseSpeed;
      remove = particle.update(step, speed);
    }
    if (!remove) {
      const Vec3 at = particle.getPosition();
      low = glm::min(low, Vec2(at));
      high = glm::max(high, Vec2(at));
      if (kept != i) particles[kept] = particle;
      ++kept;
    }
  }
  extent = kept == 0 ? Bounds{} : Bounds{low.x - kQuadReach, high.x + kQuadReach, high.y + kQuadReach, low.y - kQuadReach};
  particles.erase(particles.begin() + static_cast<std::ptrdiff_t>(kept), particles.end());
}

}  // namespace vw
