// What the player sees drawn: the steam jets' layer under the player's spray,
// every glyph of the font in its own cell, and the first picture a texture
// key is listed with.
#include <gtest/gtest.h>
#include <stb_image_write.h>

#include <set>
#include <string>

#include "render/Text.h"
#include "support/TestGame.h"
#include "support/TempDataDir.h"

namespace vw {
namespace {

class JetAndSprayLayers : public test::GameFixture {
 protected:
  JetAndSprayLayers() : GameFixture("scenarios/jet-lift") {}
};

TEST_F(JetAndSprayLayers, TheJetsLayerIsDrawnBeforeThePlayersSpray) {
  ASSERT_TRUE(started);
  game.gameState = GameState::Playing;
  devices.cursor = Vec2(800, 300);
  devices.button = true;
  run(5);
  context.draws.clear();
  renderFrame(game, context);
  std::vector<RenderTarget> layers;
  for (const auto& d : context.draws) {
    if (d.kind == test::RecordedDraw::Kind::Clear && d.state.target != RenderTarget::BackBuffer) {
      layers.push_back(d.state.target);
    }
  }
  EXPECT_EQ(layers, (std::vector<RenderTarget>{RenderTarget::SprayLayerB, RenderTarget::SprayLayerA}));
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
  EXPECT_EQ(glyphCell('A').row * 8 + glyphCell('A').column, 0);
  EXPECT_EQ(glyphCell('9').row * 8 + glyphCell('9').column, 61);
}

TEST(TextureList, AKeyListedTwiceKeepsItsFirstPicture) {
  test::TempDataDir dir;
  const unsigned char pixels[4 * 3 * 2] = {};
  std::filesystem::create_directories(dir.path() / "Pictures");
  ASSERT_TRUE(stbi_write_png((dir.path() / "Pictures/one.png").c_str(), 1, 1, 4, pixels, 4));
  ASSERT_TRUE(stbi_write_png((dir.path() / "Pictures/two.png").c_str(), 3, 2, 4, pixels, 12));
  dir.write("Settings/textureData.txt", "Pictures/two.png|STONE\n|Pictures/one.png|STONE\n|Pictures/one.png|DOT\n|&");
  test::RecordingRenderContext context;
  TextureRegistry textures(context, dir.path());
  Diagnostics diagnostics;
  textures.loadTextureList("Settings/textureData.txt", diagnostics, {});
  EXPECT_EQ(diagnostics.all().size(), 0u);
  const TextureId stone = textures.get("STONE");
  ASSERT_GE(stone, 1);
  ASSERT_LE(static_cast<std::size_t>(stone), context.sizes.size());
  EXPECT_EQ(context.sizes[static_cast<std::size_t>(stone) - 1], std::make_pair(3, 2));
  EXPECT_NE(textures.get("DOT"), stone);
}

}  // namespace
}  // namespace vw
