#include <gtest/gtest.h>

#include "render/Camera.h"
#include "support/TestGame.h"

namespace vw {
namespace {

using test::GameFixture;
using test::RecordedDraw;

constexpr float kWorldTolerance = 1e-3f;

// The world x and y of a drawn quad's centre, undoing the camera.
Vec3 centreOf(const test::DrawState& s, const Matrix& viewProj) {
  return translationOf(multiply(s.wvp, glm::inverse(viewProj)));
}

TEST_F(GameFixture, MenuFrameIsSkyBlueBannerAndTexts) {
  context.draws.clear();
  renderFrame(game, context);
  ASSERT_GE(context.draws.size(), 3u);
  const RecordedDraw& clear = context.draws.front();
  ASSERT_EQ(clear.kind, RecordedDraw::Kind::Clear);
  EXPECT_FLOAT_EQ(clear.color.g, 0.8f);
  EXPECT_FLOAT_EQ(clear.color.b, 1.0f);
  EXPECT_EQ(context.draws.back().kind, RecordedDraw::Kind::Present);
  auto quads = context.quads();
  // The painted background, the banner, then "Vaporwick" + the three items, then the help panel.
  std::size_t titleGlyphs = 9 + 10 + 12 + 7;
  std::size_t helpGlyphs = 0;
  for (const Font& line : game.ui->instructionsText.lines) helpGlyphs += line.text.size();
  EXPECT_EQ(quads.size(), 2 + titleGlyphs + helpGlyphs);
  EXPECT_EQ(quads[0].state.texture, game.textures.get("BACKGROUND"));
  EXPECT_NEAR(centreOf(quads[1].state, game.viewProj).x, -300, kWorldTolerance);
}

TEST_F(GameFixture, PauseFrameDimsTheSceneThenDrawsThePauseLinesFromTheCamera) {
  startPlaying();
  tap(Key::P);
  context.draws.clear();
  renderFrame(game, context);
  auto quads = context.quads();
  ASSERT_GT(quads.size(), 3u);
  EXPECT_EQ(quads[0].state.texture, game.textures.get("BACKGROUND"));
  std::size_t lineGlyphs = 0;
  for (const Font& line : game.ui->pauseText.lines) lineGlyphs += line.text.size();
  ASSERT_GT(quads.size(), lineGlyphs + 1);
  const std::size_t firstGlyph = quads.size() - lineGlyphs;
  EXPECT_EQ(quads[firstGlyph - 1].state.texture, game.textures.get("SHADE"));
  Vec3 first = centreOf(quads[firstGlyph].state, game.viewProj);
  EXPECT_NEAR(first.x, static_cast<int>(game.cameraEye.x - 325), kWorldTolerance);
  EXPECT_NEAR(first.y, static_cast<int>(game.cameraEye.y + 50), kWorldTolerance);
}

TEST_F(GameFixture, PlaySceneOrderAndTheSprayLayer) {
  startPlaying();
  devices.cursor = Vec2(800, 300);
  devices.button = true;
  run(3);  // spraying water
  ASSERT_GT(game.player->getEmitter().count(), 0u);
  context.draws.clear();
  renderFrame(game, context);
  auto& d = context.draws;
  // Background, player and arm come first, each one quad.
  ASSERT_EQ(d[1].kind, RecordedDraw::Kind::Quad);
  EXPECT_EQ(d[1].state.texture, game.textures.get("BACKGROUND"));
  EXPECT_EQ(d[2].state.texture, game.textures.get("ANIMATION"));
  EXPECT_EQ(d[3].state.texture, game.textures.get("ARM"));
  // The HUD icons are the last quads before the spray layer: water, steam, ice.
  std::size_t batch = 0;
  while (batch < d.size() && d[batch].kind != RecordedDraw::Kind::Batch) ++batch;
  ASSERT_LT(batch, d.size());
  EXPECT_EQ(d[batch - 1].kind, RecordedDraw::Kind::Clear);  // the layer, to transparent
  EXPECT_EQ(d[batch - 1].state.target, RenderTarget::SprayLayerA);
  EXPECT_FLOAT_EQ(d[batch - 1].color.a, 0);
  EXPECT_EQ(d[batch - 2].state.texture, game.textures.get("ICEICON"));
  EXPECT_EQ(d[batch - 3].state.texture, game.textures.get("STEAMICON"));
  EXPECT_EQ(d[batch - 4].state.texture, game.textures.get("WATERICON"));
  const RecordedDraw& particles = d[batch];
  EXPECT_EQ(particles.state.blend, BlendMode::Additive);
  EXPECT_EQ(particles.vertices.size(), game.player->getEmitter().count() * 4);
  EXPECT_EQ(particles.state.texture, game.textures.get("WATERSPRAY"));
  EXPECT_EQ(particles.state.wvp, game.viewProj);
  // Then the composite: the whole screen, alpha blended onto the back buffer.
  const RecordedDraw& composite = d[batch + 1];
  EXPECT_EQ(composite.kind, RecordedDraw::Kind::Quad);
  EXPECT_EQ(composite.state.target, RenderTarget::BackBuffer);
  EXPECT_EQ(composite.state.blend, BlendMode::Alpha);
  EXPECT_EQ(composite.state.texture, context.layerTexture(RenderTarget::SprayLayerA));
  EXPECT_EQ(composite.state.wvp, fullScreenMatrix(game.viewProj));
  EXPECT_FLOAT_EQ(composite.state.wvp[0][0], 2.0f);  // 1000 wide over a 1000-wide view: the whole clip space
  EXPECT_FLOAT_EQ(composite.state.wvp[3][0], 0.0f);
}

TEST(Camera, DeadZoneBringsThePlayerBackToItsEdge) {
  CameraMatrices m = buildCamera({50, 100, -10}, {50, 100, 0}, {0, 1, 0});
  Matrix player = translation(50, 100, 0);
  EXPECT_EQ(cameraFollow(player, m.viewProj), Vec2(0, 0));
  player = translation(50 + 75, 100, 0);  // 0.15 right of the centre
  Vec2 d = cameraFollow(player, m.viewProj);
  EXPECT_NEAR(d.x, 25, 1e-3);
  player = translation(50, 100 - 200, 0);
  EXPECT_NEAR(cameraFollow(player, m.viewProj).y, -120, 1e-3);
}

}  // namespace
}  // namespace vw
