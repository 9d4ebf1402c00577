// The sprite effect's contract on OpenGL: gWVP in the row-vector
// convention, v = 0 at the picture's top row, the sheet cell chosen by
// uvScale and uvOffset, dir mirroring, the texel's alpha, and spray layers
// composited the right way up.
#include <gtest/gtest.h>

#include "TestWorld.h"
#include "render/Camera.h"

namespace vw::test {
namespace {

constexpr Rgb kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlue{0, 0, 255}, kWhite{255, 255, 255};

class EffectTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    if (HasFatalFailure()) return;
    camera = buildCamera(Vec3(50, 100, -10), Vec3(50, 100, 0), Vec3(0, 1, 0));
    context->viewProj = &camera.viewProj;
    // An 8 x 8 picture in four quadrants: red, green over blue, white.
    std::vector<std::uint8_t> pixels;
    for (int y = 0; y < 8; ++y) {
      for (int x = 0; x < 8; ++x) {
        Rgb c = y < 4 ? (x < 4 ? kRed : kGreen) : (x < 4 ? kBlue : kWhite);
        for (int v : {c.r, c.g, c.b, 255}) pixels.push_back(static_cast<std::uint8_t>(v));
      }
    }
    quadrants = context->createTexture(8, 8, pixels.data());
  }

  void beginFrame() {
    context->setTarget(RenderTarget::BackBuffer);
    context->clear({0, 0.8f, 1, 1});
    context->setBlend(BlendMode::Alpha);
  }

  // A 200 x 200 sprite centred at world (x, y): scale, then translate, then the camera.
  void drawSprite(TextureId texture, float x, float y) {
    context->setWorldViewProj(multiply(multiply(scaling(200, 200, 1), translation(x, y, 0)), camera.viewProj));
    context->setTexture(texture);
    context->drawQuad();
  }

  CameraMatrices camera;
  TextureId quadrants = 0;
};

TEST_F(EffectTest, SpritesStandWhereTheirMatrixPutsThemMirroredByDirAndCutByUv) {
  beginFrame();
  drawSprite(quadrants, -150, -50);  // screen centre (300, 550)
  context->setDir(Vec2(-1, 0));
  drawSprite(quadrants, -150, 300);  // screen centre (300, 200)
  context->setDir(Vec2(1, 0));
  // The bottom-right cell of a 2 x 2 sheet.
  context->setUvScale(Vec2(0.5f, 0.5f));
  context->setUvOffset(Vec2(0.5f, 0.5f));
  drawSprite(quadrants, 250, 300);      // screen centre (700, 200)
  context->setUvOffset(Vec2(0.5f, 0));  // the top-right cell
  drawSprite(quadrants, 250, -50);      // screen centre (700, 550)
  context->present();
  Picture frame = backBuffer();
  // The right way up: 200 wide from x 200, 200 high from y 450.
  EXPECT_EQ(frame.at(250, 500), kRed);
  EXPECT_EQ(frame.at(350, 500), kGreen);
  EXPECT_EQ(frame.at(250, 600), kBlue);
  EXPECT_EQ(frame.at(350, 600), kWhite);
  EXPECT_EQ(frame.at(201, 451), kRed);
  EXPECT_EQ(frame.at(198, 448), kSky);
  EXPECT_EQ(frame.at(401, 651), kSky);
  // Mirrored.
  EXPECT_EQ(frame.at(250, 150), kGreen);
  EXPECT_EQ(frame.at(350, 150), kRed);
  // Away from the cell's edges (linear filtering blends the last half texel).
  for (int x : {650, 700, 750}) EXPECT_EQ(frame.at(x, 200), kWhite);
  for (int x : {650, 700, 750}) EXPECT_EQ(frame.at(x, 550), kGreen);
}

TEST_F(EffectTest, SprayLayerIsCompositedTheRightWayUp) {
  beginFrame();
  context->setBlend(BlendMode::Additive);
  context->setTarget(RenderTarget::SprayLayerA);
  context->clear({0, 0, 0, 0});
  // One 40 x 40 particle quad at world (-350, 400): screen (100, 100), near the top-left corner.
  Vertex* v = context->mapBatch(1);
  for (int i = 0; i < 4; ++i) v[i] = {Vec3(-370 + 40 * (i % 2), 420 - 40 * (i / 2), 0), Vec2(i % 2, i / 2)};
  context->setWorldViewProj(camera.viewProj);
  context->setTexture(context->createTexture(8, 8, solidPixels(kRed).data()));
  context->drawBatch(1);
  context->setBlend(BlendMode::Alpha);
  context->setTarget(RenderTarget::BackBuffer);
  context->setWorldViewProj(fullScreenMatrix(camera.viewProj));
  context->setTexture(context->layerTexture(RenderTarget::SprayLayerA));
  context->drawQuad();
  context->present();
  Picture frame = backBuffer();
  EXPECT_EQ(frame.at(82, 82), kRed);
  EXPECT_EQ(frame.count(kRed), 40 * 40);  // none where an upside-down layer would put it, (100, 700)
}

// 0 tells the texture registry, which names the file and key in its warning.
TEST_F(EffectTest, PicturesTooLargeForATextureAreLeftOut) {
  EXPECT_EQ(context->createTexture(1 << 20, 1, nullptr), 0);
  EXPECT_EQ(context->createTexture(0, 0, nullptr), 0);
}

}  // namespace
}  // namespace vw::test
