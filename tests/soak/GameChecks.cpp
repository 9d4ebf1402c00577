#include "GameChecks.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>

#include "puzzle/MovingBlock.h"
#include "puzzle/Steamjet.h"

namespace vw::soak {

namespace {

// The player's spray: 9 wide, 160 long.
constexpr float kPlayerSprayLength = 160;

bool finite(Vec3 v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

std::string describe(const std::string& what, Vec3 v) {
  std::ostringstream out;
  out << what << " is (" << v.x << ", " << v.y << ", " << v.z << ")";
  return out.str();
}

std::string checkParticles(const std::string& owner, const ParticleEmitter& emitter) {
  const auto& particles = emitter.getParticles();
  for (std::size_t i = 0; i < particles.size(); ++i) {
    const Particle& p = particles[i];
    if (!finite(p.getPosition())) return describe(owner + " particle " + std::to_string(i) + " position", p.getPosition());
    if (!finite(p.getVelocity())) return describe(owner + " particle " + std::to_string(i) + " velocity", p.getVelocity());
  }
  return {};
}

std::string checkCount(const std::string& owner, const ParticleEmitter& emitter, std::size_t batch) {
  const std::size_t count = emitter.count();
  const auto capacity = static_cast<std::size_t>(emitter.getCapacity());
  // Capacity is tested once per batch, so a batch may overshoot it by all but one.
  const std::size_t limit = std::min(capacity + batch - (batch > 0 ? 1 : 0),
                                     static_cast<std::size_t>(kMaxEmitterCapacity) + batch);
  if (count <= limit) return {};
  return owner + " holds " + std::to_string(count) + " particles; capacity " + std::to_string(capacity) +
         ", batch " + std::to_string(batch);
}

}  // namespace

std::size_t batchSize(Power kind, float sprayLength) {
  switch (kind) {
    case Power::Water: return 2;
    case Power::Ice: return 4;
    case Power::Steam: {
      std::size_t n = 0;
      while (n < static_cast<std::size_t>(kMaxEmitterCapacity) && static_cast<float>(n) < sprayLength / 10) ++n;
      return n;
    }
  }
  return 0;
}

std::string checkFinite(const Game& game) {
  const Player& player = *game.player;
  if (!finite(player.getPosition())) return describe("player position", player.getPosition());
  if (!finite(player.getVelocity())) return describe("player velocity", player.getVelocity());
  if (std::string problem = checkParticles("spray", player.getEmitter()); !problem.empty()) return problem;
  for (std::size_t i = 0; i < game.puzzleElements.size(); ++i) {
    const PuzzleElement& element = *game.puzzleElements[i];
    const std::string name = "element " + std::to_string(i);
    if (!finite(element.getPosition())) return describe(name + " position", element.getPosition());
    if (element.getType() == PuzzleElementType::MovingBlock) {
      const Vec3 v = static_cast<const MovingBlock&>(element).getVelocity();
      if (!finite(v)) return describe(name + " (box) velocity", v);
    } else if (element.getType() == PuzzleElementType::Steamjet) {
      std::string problem = checkParticles(name + " (jet)", static_cast<const Steamjet&>(element).getEmitter());
      if (!problem.empty()) return problem;
    }
  }
  return {};
}

std::string checkEmitters(const Game& game) {
  // The player's spray changes kind; its largest batch is steam's.
  std::size_t sprayBatch = 0;
  for (Power kind : {Power::Water, Power::Steam, Power::Ice}) {
    sprayBatch = std::max(sprayBatch, batchSize(kind, kPlayerSprayLength));
  }
  if (std::string problem = checkCount("spray", game.player->getEmitter(), sprayBatch); !problem.empty()) {
    return problem;
  }
  for (std::size_t i = 0; i < game.puzzleElements.size(); ++i) {
    const PuzzleElement& element = *game.puzzleElements[i];
    if (element.getType() != PuzzleElementType::Steamjet) continue;
    const auto& jet = static_cast<const Steamjet&>(element);
    std::string problem = checkCount("element " + std::to_string(i) + " (jet)", jet.getEmitter(),
                                     batchSize(Power::Steam, jet.getAreaHeight()));
    if (!problem.empty()) return problem;
  }
  return {};
}

std::size_t liveParticles(const Game& game) {
  std::size_t n = game.player->getEmitter().count();
  for (const auto& element : game.puzzleElements) {
    if (element->getType() == PuzzleElementType::Steamjet) {
      n += static_cast<const Steamjet&>(*element).getEmitter().count();
    }
  }
  return n;
}

std::size_t residentBytes() {
  std::ifstream statm("/proc/self/statm");
  std::size_t pages = 0, resident = 0;
  statm >> pages >> resident;
  return resident * static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}

}  // namespace vw::soak
