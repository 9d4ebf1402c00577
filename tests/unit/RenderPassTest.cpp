// What the player sees drawn: each screen's frame in order, the spray and
// jet layers, sprites' cells and mirroring, the glyph sheet and the camera's
// dead zone.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "render/Camera.h"
#include "render/Sprite.h"
#include "render/Text.h"
#include "render/TextureRegistry.h"
#include "support/RecordingRenderContext.h"
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

// The menu frame: sky blue, the painted background, then the banner. The
// pause frame dims the scene, then draws the pause lines from the camera.
TEST_F(GameFixture, MenuFrameIsSkyBlueWithItsBannerAndThePauseFrameDimsTheScene) {
  context.draws.clear();
  renderFrame(game, context);
  ASSERT_GE(context.draws.size(), 3u);
  const RecordedDraw& clear = context.draws.front();
  ASSERT_EQ(clear.kind, RecordedDraw::Kind::Clear);
  EXPECT_FLOAT_EQ(clear.color.g, 0.8f);
  EXPECT_FLOAT_EQ(clear.color.b, 1.0f);
  EXPECT_EQ(context.draws.back().kind, RecordedDraw::Kind::Present);
  auto quads = context.quads();
  EXPECT_EQ(quads[0].state.texture, game.textures.get("BACKGROUND"));
  EXPECT_NEAR(centreOf(quads[1].state, game.viewProj).x, -300, kWorldTolerance);

  startPlaying();
  tap(Key::P);
  context.draws.clear();
  renderFrame(game, context);
  quads = context.quads();
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

TEST_F(GameFixture, PlaySceneOrderAndTheSprayLayersJetsFirst) {
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
  // The HUD icons are the last quads before the jets' layer: water, steam, ice.
  std::size_t batch = 0;
  while (batch < d.size() && d[batch].kind != RecordedDraw::Kind::Batch) ++batch;
  ASSERT_LT(batch + 4, d.size());
  EXPECT_EQ(d[batch - 1].kind, RecordedDraw::Kind::Clear);  // the layer, to transparent
  EXPECT_EQ(d[batch - 1].state.target, RenderTarget::SprayLayerB);
  EXPECT_FLOAT_EQ(d[batch - 1].color.a, 0);
  EXPECT_EQ(d[batch - 2].state.texture, game.textures.get("ICEICON"));
  EXPECT_EQ(d[batch - 3].state.texture, game.textures.get("STEAMICON"));
  EXPECT_EQ(d[batch - 4].state.texture, game.textures.get("WATERICON"));
  // The jets' steam, composited, then the player's spray in a layer of its own.
  EXPECT_EQ(d[batch].state.texture, game.textures.get("STEAM"));
  EXPECT_EQ(d[batch + 1].state.texture, context.layerTexture(RenderTarget::SprayLayerB));
  EXPECT_EQ(d[batch + 2].state.target, RenderTarget::SprayLayerA);
  const RecordedDraw& particles = d[batch + 3];
  EXPECT_EQ(particles.state.blend, BlendMode::Additive);
  EXPECT_EQ(particles.vertices.size(), game.player->getEmitter().count() * 4);
  EXPECT_EQ(particles.state.texture, game.textures.get("WATERSPRAY"));
  EXPECT_EQ(particles.state.wvp, game.viewProj);
  // Then the composite: the whole screen, alpha blended onto the back buffer.
  const RecordedDraw& composite = d[batch + 4];
  EXPECT_EQ(composite.kind, RecordedDraw::Kind::Quad);
  EXPECT_EQ(composite.state.target, RenderTarget::BackBuffer);
  EXPECT_EQ(composite.state.blend, BlendMode::Alpha);
  EXPECT_EQ(composite.state.texture, context.layerTexture(RenderTarget::SprayLayerA));
  EXPECT_FLOAT_EQ(composite.state.wvp[0][0], 2.0f);  // 1000 wide over a 1000-wide view: the whole clip space
}

TEST(Camera, DeadZoneBringsThePlayerBackToItsEdge) {
  CameraMatrices m = buildCamera({50, 100, -10}, {50, 100, 0}, {0, 1, 0});
  EXPECT_EQ(cameraFollow(translation(50, 100, 0), m.viewProj), Vec2(0, 0));
  EXPECT_NEAR(cameraFollow(translation(50 + 75, 100, 0), m.viewProj).x, 25, 1e-3);  // 0.15 right of the centre
  EXPECT_NEAR(cameraFollow(translation(50, 100 - 200, 0), m.viewProj).y, -120, 1e-3);
}

TEST(Sprite, DrawSetsTheCellMirrorAndMatrixThenResetsUv) {
  test::RecordingRenderContext context;
  Matrix viewProj(1.0f);
  context.viewProj = &viewProj;
  TextureRegistry textures(context, ".");
  Sprite s("X", 32, 100);
  s.setColumns(18);
  s.setRows(2);
  s.setFrameCount(1, 18);
  s.setAnimation(1);
  s.setFacing(-1);
  s.delayCounter = 1;  // the next draw steps to frame 1
  s.draw(context, textures);
  ASSERT_EQ(context.quads().size(), 1u);
  test::DrawState st = context.quads()[0].state;
  EXPECT_FLOAT_EQ(st.uvOffset.x, 0.05555f);
  EXPECT_FLOAT_EQ(st.uvOffset.y, 0.5f);
  EXPECT_EQ(st.dir, Vec2(-1, 0));
  EXPECT_FLOAT_EQ(st.wvp[0][0], 32);
  EXPECT_FLOAT_EQ(st.wvp[1][1], 100);
}

// Every character the game writes has a cell of its own on the 8 x 10 sheet.
TEST(Glyphs, EverySignHasACellOfItsOwnOnTheSheet) {
  std::set<int> cells;
  const std::string signs = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789 !\"'()*+,-./:;=?";
  for (char c : signs) {
    const GlyphCell g = glyphCell(c);
    EXPECT_TRUE(g.column >= 0 && g.column < 8 && g.row >= 0 && g.row < 10) << c;
    cells.insert(g.row * 8 + g.column);
  }
  EXPECT_EQ(cells.size(), signs.size());
}

}  // namespace
}  // namespace vw
