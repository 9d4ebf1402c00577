#include "render/RenderPass.h"

#include <algorithm>

#include "app/Game.h"
#include "puzzle/Steamjet.h"
#include "render/Camera.h"

namespace vw {

namespace {

constexpr Color kSkyBlue{0.0f, 0.8f, 1.0f, 1.0f};
constexpr Color kTransparent{0, 0, 0, 0};

// True when a world rectangle reaches into the view of viewProj (a view
// that looks straight along z, as the camera's does).
bool inView(Bounds b, const Matrix& viewProj) {
  const Vec3 a = transformCoord(Vec3(b.left, b.bottom, 0), viewProj);
  const Vec3 c = transformCoord(Vec3(b.right, b.top, 0), viewProj);
  return std::max(a.x, c.x) >= -1 && std::min(a.x, c.x) <= 1 && std::max(a.y, c.y) >= -1 &&
         std::min(a.y, c.y) <= 1;
}

// Writes the emitter's particle corners into the batch buffer and draws them,
// in batches of at most kBatchQuads. A spray wholly off screen is skipped.
void drawParticles(RenderContext& context, const TextureRegistry& textures, const ParticleEmitter& emitter) {
  const auto& particles = emitter.getParticles();
  if (particles.empty() || context.drawsNothing() || !inView(emitter.getExtent(), *context.viewProj)) return;
  context.setTexture(textures.get(emitter.getTextureKey()));
  context.setWorldViewProj(*context.viewProj);
  for (std::size_t first = 0; first < particles.size(); first += kBatchQuads) {
    std::size_t count = std::min(kBatchQuads, particles.size() - first);
    Vertex* out = context.mapBatch(count);
    for (std::size_t i = 0; i < count; ++i) particles[first + i].writeCorners(out + i * 4);
    context.drawBatch(count);
  }
}

void compositeLayer(RenderContext& context, RenderTarget layer) {
  context.setBlend(BlendMode::Alpha);
  context.setTarget(RenderTarget::BackBuffer);
  context.setWorldViewProj(fullScreenMatrix(*context.viewProj));
  context.setTexture(context.layerTexture(layer));
  context.drawQuad();
}

void beginLayer(RenderContext& context, RenderTarget layer) {
  context.setBlend(BlendMode::Additive);
  context.setTarget(layer);
  context.clear(kTransparent);
}

// Where an element's link marker stands: fitted just inside the top of a
// tall picture (a door, a box, a wheel), above a flat one (a button), and
// beside a jet's vent (above it is the steam).
Vec2 linkMarkerPlace(const PuzzleElement& element) {
  const Vec3 p = element.getPosition();
  const float half = kLinkMarkerSize / 2;
  const float top = p.y + element.getHeight() / 2;
  if (element.getType() == PuzzleElementType::Steamjet) return Vec2(p.x + element.getWidth() / 2 + half + 4, p.y);
  if (element.getHeight() >= 3 * kLinkMarkerSize) return Vec2(p.x, top - half - 6);
  return Vec2(p.x, top + half + 4);
}

void drawLinkMarkers(Game& game, RenderContext& context) {
  for (auto& element : game.puzzleElements) {
    if (element->getLinkColor() == kNoLinkColor) continue;
    game.linkMarker.drawAt(context, game.textures, linkMarkerPlace(*element), element->getLinkColor(),
                           element->isLinkLit());
  }
}

void drawPlayScene(Game& game, RenderContext& context) {
  const TextureRegistry& textures = game.textures;
  context.setBlend(BlendMode::Alpha);
  game.background->draw(context, textures);
  game.player->draw(context, textures);
  game.arm->draw(context, textures);
  game.sharedText.drawFrameRate(context, textures, game.framesPerSecond, game.showFrameRate);
  game.sharedText.draw(context, textures);
  for (auto& block : game.mapElements) {
    if (block->visible) block->draw(context, textures);
  }
  // A jet draws its vent here; its steam goes into a layer of its own below.
  bool anyJet = false;
  for (auto& element : game.puzzleElements) {
    if (element->getType() == PuzzleElementType::Steamjet) anyJet = true;
    element->draw(context, textures);
  }
  drawLinkMarkers(game, context);
  game.ui->drawHud(context, textures);
  if (anyJet) {
    beginLayer(context, RenderTarget::SprayLayerB);
    for (auto& element : game.puzzleElements) {
      if (element->getType() != PuzzleElementType::Steamjet) continue;
      drawParticles(context, textures, static_cast<const Steamjet&>(*element).getEmitter());
    }
    compositeLayer(context, RenderTarget::SprayLayerB);
  }
  if (game.player->getEmitter().count() > 0) {
    beginLayer(context, RenderTarget::SprayLayerA);
    drawParticles(context, textures, game.player->getEmitter());
    compositeLayer(context, RenderTarget::SprayLayerA);
  }
}

}  // namespace

void renderFrame(Game& game, RenderContext& context) {
  // Past the title menu every picture may show: wait for any still decoding.
  if (game.gameState != GameState::Menu) game.textures.finishLoading(game.diagnostics);
  context.setTarget(RenderTarget::BackBuffer);
  context.clear(kSkyBlue);
  switch (game.gameState) {
    case GameState::Menu:
      context.setBlend(BlendMode::Alpha);
      game.background->draw(context, game.textures);
      game.ui->drawMenu(context, game.textures);
      break;
    case GameState::Paused:
      // The scene as it froze, dimmed, behind the pause lines.
      context.holdAnimations = true;
      drawPlayScene(game, context);
      game.ui->drawPause(context, game.textures, game.cameraEye);
      context.holdAnimations = false;
      break;
    case GameState::Ending:
      context.holdAnimations = true;
      drawPlayScene(game, context);
      game.ui->drawEnding(context, game.textures, game.cameraEye, game.playTime, game.retries);
      context.holdAnimations = false;
      break;
    case GameState::Playing:
      drawPlayScene(game, context);
      break;
  }
  context.present();
}

}  // namespace vw
