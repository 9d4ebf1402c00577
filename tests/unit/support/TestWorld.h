#pragma once
// A small hand-built world for the collision and puzzle tests: a player,
// both element lists and the camera, with helpers that place blocks,
// elements and particles the way the loader and the emitters would.
#include <memory>
#include <utility>
#include <vector>

#include "app/Random.h"
#include "physics/Collision.h"
#include "player/Particle.h"
#include "player/Player.h"
#include "puzzle/PuzzleElement.h"
#include "world/MapElement.h"

namespace vw::test {

using ParticleList = std::vector<Particle>;

// Puts a sprite's centre at (x, y) with a move from where it stands, as the
// loader does, so overrides of translate see it.
inline void moveTo(Sprite& sprite, float x, float y) {
  Vec3 p = sprite.getPosition();
  sprite.translate(x - p.x, y - p.y, 0);
  sprite.updateBounds();
}

struct TestWorld {
  Random random{7};
  Player player{"ANIMATION", 32, 100, random};
  MapList mapElements;
  ElementList puzzleElements;
  Vec3 cameraEye{0, 0, -10};

  CollisionScene scene() { return CollisionScene{player, mapElements, puzzleElements, cameraEye}; }

  MapElement& addBlock(float x, float y, float width, float height, BlockState state = BlockState::Normal,
                       bool heavy = false) {
    auto block = std::make_unique<MapElement>(heavy ? "HEAVYBOX" : "STONE", heavy, width, height);
    moveTo(*block, x, y);
    if (state != BlockState::Normal) block->setState(state);
    mapElements.push_back(std::move(block));
    return *mapElements.back();
  }

  template <typename T, typename... Args>
  T& add(float x, float y, Args&&... args) {
    auto element = std::make_unique<T>(std::forward<Args>(args)...);
    moveTo(*element, x, y);
    T& ref = *element;
    puzzleElements.push_back(std::move(element));
    return ref;
  }

  void placePlayer(float x, float y) { moveTo(player, x, y); }

  // A particle of the given kind and size centred at (x, y), flying with (vx, vy).
  Particle particle(Power kind, float x, float y, float vx = 0, float vy = 0, float size = 15) {
    return Particle(kind, size, particleLife(kind), false, Vec3(x, y, 0), Vec3(x, y, 0), Vec3(vx, vy, 0));
  }

  // count particles of one kind, all far away from everything.
  ParticleList farParticles(Power kind, int count) {
    ParticleList list;
    for (int i = 0; i < count; ++i) list.push_back(particle(kind, 100000, 100000));
    return list;
  }
};

}  // namespace vw::test
