#include "JetScene.h"

#include <algorithm>
#include <iostream>
#include <limits>

#include "puzzle/Steamjet.h"
#include "render/Camera.h"
#include "render/RenderPass.h"

namespace vw::bench {

namespace {

// The camera band of the element walk: x - 700 .. x + 800 for a 1000-wide screen.
constexpr float kBandLeft = 700;
constexpr float kBandWidth = 1500;
// Water flies 4 s and falls at most 9800 units in that time when aimed down,
// 4200 when aimed up: hovering this far above everything, no drop lands.
constexpr float kHoverHeight = 5000;
constexpr int kMaxWarmUpdates = 20000;

constexpr float kStep = 1.0f / 60.0f;

}  // namespace

float busiestJetCameraX(const ElementList& elements, int& jetCount) {
  std::vector<const Steamjet*> jets;
  for (const auto& element : elements) {
    if (element->getType() == PuzzleElementType::Steamjet) jets.push_back(static_cast<const Steamjet*>(element.get()));
  }
  jetCount = 0;
  float bestX = 0;
  long bestCapacity = -1;
  // Some best band starts at a jet, so only those bands are tried.
  for (const Steamjet* first : jets) {
    const float left = first->getPosition().x;
    int count = 0;
    long capacity = 0;
    for (const Steamjet* jet : jets) {
      const float x = jet->getPosition().x;
      if (x >= left && x <= left + kBandWidth) {
        ++count;
        capacity += jet->getEmitter().getCapacity();
      }
    }
    if (count > jetCount || (count == jetCount && capacity > bestCapacity)) {
      jetCount = count;
      bestCapacity = capacity;
      bestX = left + kBandLeft;
    }
  }
  return bestX;
}

JetScene::JetScene(const std::filesystem::path& dataDir) : game_(context_, devices_, GameOptions{dataDir, 7, nullptr}) {
  Diagnostics diagnostics;
  if (!game_.startUp(diagnostics)) {
    diagnostics.flush(std::cerr);
    error_ = dataDir.string() + ": the game does not start";
  }
}

bool JetScene::enter(Power power) {
  if (!error_.empty()) return false;
  int jetCount = 0;
  const float cameraX = busiestJetCameraX(game_.puzzleElements, jetCount);
  if (jetCount == 0) {
    error_ = "no steam jet in the strip";
    return false;
  }
  float top = 0;
  for (const auto& block : game_.mapElements) top = std::max(top, block->updateBounds().top);
  for (const auto& element : game_.puzzleElements) top = std::max(top, element->updateBounds().top);
  hover_ = Vec3(cameraX, top + kHoverHeight, 0);

  game_.gameState = GameState::Playing;
  game_.player->setPower(power);
  game_.player->setPosition(hover_.x, hover_.y);
  // The camera straight over the player, so its follow has nothing to do.
  game_.cameraEye = Vec3(hover_.x, hover_.y, game_.cameraEye.z);
  game_.cameraTarget = Vec3(hover_.x, hover_.y, game_.cameraTarget.z);
  const CameraMatrices camera = buildCamera(game_.cameraEye, game_.cameraTarget, game_.cameraUp);
  game_.viewMatrix = camera.view;
  game_.projectionMatrix = camera.projection;
  game_.viewProj = camera.viewProj;
  jets_.clear();
  for (auto& element : game_.puzzleElements) {
    if (element->getType() != PuzzleElementType::Steamjet) continue;
    if (!element->isNearCamera(game_.cameraEye, kScreenWidth)) continue;
    element->activate();
    jets_.push_back(static_cast<Steamjet*>(element.get()));
  }
  for (warmUpdates_ = 0; warmUpdates_ < kMaxWarmUpdates && !full(); ++warmUpdates_) update();
  if (game_.player->getPower() != power || game_.cameraEye.x != cameraX) {
    error_ = "the scene did not hold (power or camera changed)";
    return false;
  }
  if (!full()) {
    error_ = "the emitters did not fill in " + std::to_string(kMaxWarmUpdates) + " updates";
    return false;
  }
  frameJets();
  return true;
}

void JetScene::frameJets() {
  // The camera centred on everything the jets' steam covers.
  Bounds all{std::numeric_limits<float>::max(), std::numeric_limits<float>::lowest(),
             std::numeric_limits<float>::lowest(), std::numeric_limits<float>::max()};
  for (const Steamjet* jet : jets_) {
    const Bounds e = jet->getEmitter().getExtent();
    all = Bounds{std::min(all.left, e.left), std::max(all.right, e.right), std::max(all.top, e.top),
                 std::min(all.bottom, e.bottom)};
  }
  const Vec3 eye((all.left + all.right) / 2, (all.top + all.bottom) / 2, game_.cameraEye.z);
  const Vec3 target(eye.x, eye.y, game_.cameraTarget.z);
  jetViewProj_ = buildCamera(eye, target, game_.cameraUp).viewProj;
  const Bounds view{eye.x - kScreenWidth / 2.0f, eye.x + kScreenWidth / 2.0f, eye.y + kScreenHeight / 2.0f,
                    eye.y - kScreenHeight / 2.0f};
  jetsInView_ = 0;
  for (const Steamjet* jet : jets_) jetsInView_ += rectsOverlap(jet->getEmitter().getExtent(), view) ? 1 : 0;
}

void JetScene::update() {
  game_.player->setPosition(hover_.x, hover_.y);
  game_.player->setVelocity(0, 0, 0);
  game_.updateGame(kStep);
}

void JetScene::render() {
  const Matrix playerView = game_.viewProj;
  game_.viewProj = jetViewProj_;
  renderFrame(game_, context_);
  game_.viewProj = playerView;
}

std::size_t JetScene::jetParticles() const {
  std::size_t n = 0;
  for (const Steamjet* jet : jets_) n += jet->getEmitter().count();
  return n;
}

bool JetScene::full() const {
  for (const Steamjet* jet : jets_) {
    // A jet that something stands on stays off; its steam is gone, not full.
    if (jet->isActive() && jet->getEmitter().count() < static_cast<std::size_t>(jet->getEmitter().getCapacity())) {
      return false;
    }
  }
  const ParticleEmitter& spray = game_.player->getEmitter();
  return spray.count() >= static_cast<std::size_t>(spray.getCapacity());
}

}  // namespace vw::bench
