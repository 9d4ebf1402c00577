#include "physics/Collision.h"

#include <algorithm>
#include <limits>

#include "puzzle/Btn.h"
#include "puzzle/MovingBlock.h"
#include "puzzle/RisingDoor.h"
#include "puzzle/Steamjet.h"
#include "puzzle/WaterWheel.h"

namespace vw {

namespace {

// Ice and steam particles are tested only at every fifth index; a hit stops
// the tested particle together with its group.
constexpr std::size_t kGroupStride = 5;

bool isGroupLeader(std::size_t j) { return j % kGroupStride == 0; }

// Spends the particles at j - 2 .. j + 2; a neighbour outside the list
// falls back to j itself.
void spendGroup(std::vector<Particle>& particles, std::size_t j) {
  const std::size_t n = particles.size();
  for (std::ptrdiff_t k = -2; k <= 2; ++k) {
    const std::ptrdiff_t index = static_cast<std::ptrdiff_t>(j) + k;
    const bool inside = index >= 0 && static_cast<std::size_t>(index) < n;
    particles[inside ? static_cast<std::size_t>(index) : j].spent = true;
  }
}

// The camera band of the player's and the spray's passes for map blocks: a
// block is near when its centre lies in the band, or when its bounds reach
// into it, so a ground block wider than the band still carries the player
// when its centre is far off screen.
bool blockNearCamera(const CollisionScene& scene, const MapElement& block, Bounds bounds) {
  if (block.isNearCamera(scene.cameraEye, scene.screenWidth)) return true;
  const float half = static_cast<float>((static_cast<unsigned>(scene.screenWidth) + 400u) / 2u);
  return bounds.right >= scene.cameraEye.x - half && bounds.left <= scene.cameraEye.x + half + 100.0f;
}

// The player walking into an active box: both take the common velocity of
// their masses; the player keeps its own vertical speed.
void shareMomentum(Player& player, MovingBlock& box) {
  const float mp = player.getMass();
  const float mb = box.getMass();
  const Vec3 pv = player.getVelocity();
  const Vec3 bv = box.getVelocity();
  const Vec3 v((pv.x * mp + bv.x * mb) / (mp + mb), (pv.y * mp + bv.y * mb) / (mp + mb), 0);
  box.setVelocity(v);
  player.setVelocity(v.x, pv.y, 0);
}

// The smallest rectangle holding every particle's bounds (a particle with no
// sensible position overlaps nothing and is left out).
Bounds boundsOfAll(const std::vector<Particle>& particles) {
  constexpr float kFar = std::numeric_limits<float>::infinity();
  Bounds all{kFar, -kFar, -kFar, kFar};
  for (const Particle& p : particles) {
    const Bounds b = p.getBounds();
    all.left = std::min(all.left, b.left);
    all.right = std::max(all.right, b.right);
    all.top = std::max(all.top, b.top);
    all.bottom = std::min(all.bottom, b.bottom);
  }
  return all;
}

void sprayOnBlock(MapElement& block, Bounds blockBounds, std::vector<Particle>& particles) {
  for (std::size_t j = 0; j < particles.size(); ++j) {
    Particle& p = particles[j];
    const Bounds pb = p.getBounds();
    switch (p.getSprayKind()) {
      case Power::Ice:
        if (isGroupLeader(j) && rectsOverlap(pb, blockBounds)) {
          spendGroup(particles, j);
          if (!block.isHeavy()) block.setState(BlockState::Frozen);
        }
        break;
      case Power::Steam:
        if (isGroupLeader(j) && rectsOverlap(pb, blockBounds)) {
          spendGroup(particles, j);
          if (block.getState() == BlockState::Frozen && !block.isHeavy()) block.setState(BlockState::Normal);
        }
        break;
      case Power::Water:
        if (rectsOverlap(pb, blockBounds)) {
          p.spent = true;
          if (block.getState() == BlockState::Normal && !block.isHeavy()) block.setState(BlockState::Wet);
        }
        break;
    }
  }
}

void sprayOnElement(PuzzleElement& element, Bounds elementBounds,
                    std::vector<Particle>& particles) {
  const PuzzleElementType type = element.getType();
  // Particles pass through buttons and steam jets.
  if (type == PuzzleElementType::Btn || type == PuzzleElementType::Steamjet) return;
  for (std::size_t j = 0; j < particles.size(); ++j) {
    Particle& p = particles[j];
    if (!rectsOverlap(p.getBounds(), elementBounds) || p.spent) continue;
    const Power kind = p.getSprayKind();
    switch (type) {
      case PuzzleElementType::MovingBlock:
        if (kind == Power::Ice) {
          if (isGroupLeader(j)) {
            spendGroup(particles, j);
            static_cast<MovingBlock&>(element).push(2 * p.getPush());
          }
        } else if (kind == Power::Water) {
          static_cast<MovingBlock&>(element).push(p.getPush());
          p.spent = true;
        } else {
          p.spent = true;
        }
        break;
      case PuzzleElementType::RisingDoor:
      case PuzzleElementType::TrapDoor:
        if (kind == Power::Ice) {
          if (isGroupLeader(j)) spendGroup(particles, j);
        } else {
          p.spent = true;
        }
        break;
      case PuzzleElementType::WaterWheel:
        if (kind == Power::Water) static_cast<WaterWheel&>(element).hit(p.getPosition(), p.getVelocity());
        p.spent = true;
        break;
      case PuzzleElementType::Btn:
      case PuzzleElementType::Steamjet:
        break;
    }
  }
}

}  // namespace

void collideAll(CollisionScene& scene) {
  collidePlayerWithBlocks(scene);
  collideSpray(scene, scene.player.getEmitter().getParticles());
  for (std::size_t i = 0; i < scene.puzzleElements.size(); ++i) {
    PuzzleElement& element = *scene.puzzleElements[i];
    if (element.getType() == PuzzleElementType::MovingBlock) {
      collideBox(scene, static_cast<MovingBlock&>(element));
    } else if (element.getType() == PuzzleElementType::Steamjet) {
      checkSteamjet(scene, static_cast<Steamjet&>(element));
    }
  }
  collidePlayerWithElements(scene);
}

void collidePlayerWithBlocks(CollisionScene& scene) {
  Player& player = scene.player;
  for (auto& block : scene.mapElements) {
    const Bounds blockBounds = block->updateBounds();
    if (!blockNearCamera(scene, *block, blockBounds)) continue;
    if (rectsOverlap(player.updateBounds(), blockBounds)) {
      player.addContact(block.get());
      player.addContactType(collisionSide(player.getBounds(), block->getBounds()));
    }
  }
}

void collidePlayerWithElements(CollisionScene& scene) {
  Player& player = scene.player;
  for (auto& owned : scene.puzzleElements) {
    PuzzleElement& element = *owned;
    // A steam jet's bounds are its steam column. Elements are near by their
    // centre alone, so a button straddling the band's edge keeps its state.
    const Bounds elementBounds = element.updateBounds();
    if (!element.isNearCamera(scene.cameraEye, scene.screenWidth)) continue;
    const PuzzleElementType type = element.getType();
    if (type == PuzzleElementType::Btn) static_cast<Btn&>(element).setPressed(false);
    if (!rectsOverlap(player.updateBounds(), elementBounds)) continue;
    CollisionType side = CollisionType::Side;
    if (type != PuzzleElementType::Steamjet && type != PuzzleElementType::Btn) {
      side = collisionSide(player.getBounds(), element.getBounds());
      player.addContact(&element);
      player.addContactType(side);
    }
    switch (type) {
      case PuzzleElementType::MovingBlock:
        if (side == CollisionType::Side && element.isActive()) {
          shareMomentum(player, static_cast<MovingBlock&>(element));
        }
        break;
      case PuzzleElementType::Steamjet: {
        // Once per pass, not scaled by the frame time.
        const Vec3 v = player.getVelocity() + static_cast<Steamjet&>(element).getLift();
        player.setVelocity(v.x, v.y, v.z);
        player.translate(0, 1, 0);
        break;
      }
      case PuzzleElementType::Btn: {
        auto& button = static_cast<Btn&>(element);
        button.setPressed(true);
        if (!button.isActive()) button.activate();
        break;
      }
      case PuzzleElementType::RisingDoor:
      case PuzzleElementType::TrapDoor:
      case PuzzleElementType::WaterWheel:
        break;
    }
  }
}

void collideBox(CollisionScene& scene, MovingBlock& box) {
  const Bounds boxBounds = box.updateBounds();
  // Every block, near the camera or not: boxes move everywhere. Blocks never
  // move, and each has its bounds from the moment it is placed.
  for (auto& block : scene.mapElements) {
    const Bounds blockBounds = block->getBounds();
    if (!rectsOverlap(boxBounds, blockBounds)) continue;
    const CollisionType side = collisionSide(boxBounds, blockBounds);
    box.addContact(block.get());
    box.addContactType(side);
    if (side == CollisionType::Top && block->getState() == BlockState::Frozen) box.activate();
  }
  // Boxes pass through boxes, steam jets and water wheels.
  for (auto& owned : scene.puzzleElements) {
    PuzzleElement& element = *owned;
    if (&element == &box) continue;
    const PuzzleElementType type = element.getType();
    if (type != PuzzleElementType::RisingDoor && type != PuzzleElementType::TrapDoor &&
        type != PuzzleElementType::Btn) {
      continue;
    }
    const Bounds elementBounds = element.updateBounds();
    if (!rectsOverlap(boxBounds, elementBounds)) continue;
    if (type == PuzzleElementType::Btn) {
      auto& button = static_cast<Btn&>(element);
      button.setPressed(true);
      if (!button.isActive()) button.activate();
      continue;
    }
    const CollisionType side = collisionSide(boxBounds, elementBounds);
    box.addContact(&element);
    box.addContactType(side);
    if (type != PuzzleElementType::RisingDoor) continue;
    if (side == CollisionType::Bottom) {
      static_cast<RisingDoor&>(element).raise();  // the box is under the door
    } else if (side == CollisionType::Side) {
      box.setVelocity(Vec3(0));
    }
  }
}

void checkSteamjet(CollisionScene& scene, Steamjet& jet) {
  const Bounds column = jet.updateBounds();
  for (auto& owned : scene.puzzleElements) {
    if (owned->getType() == PuzzleElementType::Steamjet) continue;
    if (rectsOverlap(owned->updateBounds(), column)) {
      jet.deactivate();
      return;
    }
  }
  if (jet.isActive()) return;
  const PuzzleElement* controller = jet.getController();
  if (!controller || controller->isActive()) jet.activate();
}

void collideSpray(CollisionScene& scene, std::vector<Particle>& particles) {
  if (particles.empty()) return;
  // A block or element outside the rectangle the whole spray lies in can
  // meet none of its particles: it is not walked against them.
  const Bounds spray = boundsOfAll(particles);
  for (auto& block : scene.mapElements) {
    const Bounds blockBounds = block->updateBounds();
    if (blockNearCamera(scene, *block, blockBounds) && rectsOverlap(blockBounds, spray)) {
      sprayOnBlock(*block, blockBounds, particles);
    }
  }
  for (auto& element : scene.puzzleElements) {
    const Bounds elementBounds = element->updateBounds();
    if (element->isNearCamera(scene.cameraEye, scene.screenWidth) && rectsOverlap(elementBounds, spray)) {
      sprayOnElement(*element, elementBounds, particles);
    }
  }
}

}  // namespace vw
