#pragma once
// ParticleEmitter: a point with a direction that, while on, spawns particles
// of one kind every update up to its capacity, moves them, recycles the
// expired ones at the emitter and removes the spent ones.
#include <vector>

#include "player/Particle.h"

namespace vw {

class Random;

constexpr int kMaxEmitterCapacity = 10000;
// No emitter spawns beyond the room it is given: that is how the steam of
// all jets together stays within one bound (Game::updateElements).
constexpr std::size_t kUnlimitedRoom = static_cast<std::size_t>(-1);

// The capacity of an emitter: trunc(sprayLength / 4 x sprayWidth), and
// kMaxEmitterCapacity for a product that is negative or above it.
int emitterCapacity(float sprayWidth, float sprayLength);

class ParticleEmitter {
 public:
  ParticleEmitter(float sprayWidth, float sprayLength, float angle, Vec3 position, Power kind, Random& random);

  // The generator it draws from (not owned); a copied emitter is pointed at its new game's.
  void setRandom(Random& generator) { random = &generator; }
  void setEmitting(bool on) { emitting = on; }
  bool isEmitting() const { return emitting; }
  // Changes the kind of future particles and the texture they are all drawn with.
  void setSprayKind(Power kind) { sprayKind = kind; }
  Power getSprayKind() const { return sprayKind; }
  void setAngle(float radians);
  float getAngle() const { return angle; }
  void setSpawnPoint(float x, float y, float z) { spawnPoint = Vec3(x, y, z); }
  Vec3 getSpawnPoint() const { return spawnPoint; }
  // Spawns a batch (when on and below capacity, and at most `room`
  // particles), then moves, recycles and removes particles.
  void update(float dt, bool distanceMode, std::size_t room = kUnlimitedRoom);
  // The live particles in spawn order; the collision pass marks hits through the mutable one.
  const std::vector<Particle>& getParticles() const { return particles; }
  std::vector<Particle>& getParticles() { return particles; }
  std::size_t count() const { return particles.size(); }
  // A rectangle holding every particle's drawn quad as the last update left
  // them (empty when there are none), so a spray off screen need not be drawn.
  Bounds getExtent() const { return extent; }
  int getCapacity() const { return capacity; }
  const char* getTextureKey() const { return particleTextureKey(sprayKind); }

 private:
  void spawn(bool distanceMode, std::size_t room);
  // Appends one particle of the current kind at the spawn point, its corners around cornerCentre.
  void add(float size, Vec3 cornerCentre, bool distanceMode, float launchSpeed);

  Random* random;
  float sprayWidth = 0;
  float sprayLength = 0;
  float angle = 0;
  int capacity = 0;
  Power sprayKind = Power::Water;
  std::vector<Particle> particles;
  Vec3 spawnPoint{0};
  bool emitting = true;
  float sinAngle = 0;
  float cosAngle = 1;
  Bounds extent;
};

}  // namespace vw
