// The play scene drawn through OpenGL into the back buffer, and shown in a
// window of another size, where a click still lands where the player sees it.
#include <gtest/gtest.h>

#include <SDL.h>

#include "TestWorld.h"
#include "app/Session.h"
#include "gl/Letterbox.h"
#include "render/RenderPass.h"

namespace vw::test {
namespace {

using PlaySceneTest = WindowTest;

TEST_F(PlaySceneTest, BlockAndIconsStandInPlaceAndAClickInAWideWindowStillLandsOnTheIcon) {
  IdleInputDevices idle;
  Game game(*context, idle, GameOptions{world.dir, 7, nullptr});
  Diagnostics diagnostics;
  ASSERT_TRUE(game.startUp(diagnostics));
  game.gameState = GameState::Playing;
  renderFrame(game, *context);
  Picture frame = backBuffer();
  // The 100 x 100 block at world (400, 0), the camera at its start place: every pixel inside is stone.
  EXPECT_EQ(frame.at(400, 450), kStone);
  EXPECT_EQ(frame.at(499, 549), kStone);
  EXPECT_EQ(frame.count(kStone), 100 * 100);
  // The power icons: water at 40 pixels from the left edge, then steam and ice.
  EXPECT_EQ(frame.at(40, 750), kWaterIcon);
  EXPECT_EQ(frame.at(110, 750), kSteamIcon);
  EXPECT_EQ(frame.at(180, 750), kIceIcon);
  EXPECT_EQ(frame.at(75, 750), kSky);  // the gap between two icons

  window->resize({1500, 900});
  for (int i = 0; i < 200 && (window->size().width != 1500 || window->size().height != 900); ++i) {
    SDL_PumpEvents();
    SDL_Delay(5);
  }
  context->drawToWindow();
  PixelSize size;
  const Picture shown{context->readWindow(size), size.width, size.height};
  ASSERT_EQ(size.width, 1500);
  ASSERT_EQ(size.height, 900);
  // 1125 x 900 of picture between two bars of 187 and 188 pixels.
  EXPECT_EQ(shown.at(186, 10), Rgb{});
  EXPECT_EQ(shown.at(1313, 890), Rgb{});
  EXPECT_EQ(shown.at(188, 100), kSky);
  EXPECT_EQ(shown.at(1311, 100), kSky);
  // The steam icon (back-buffer centre 110, 750) where the player sees it, clicked there, selects steam.
  const Vec2 seen(187 + 110 * 1.125f, 750 * 1.125f);
  EXPECT_EQ(shown.at(static_cast<int>(seen.x), static_cast<int>(seen.y)), kSteamIcon);
  ASSERT_FALSE(game.ui->isSteamIconSelected());
  game.ui->handleHudClick(true, Vec3(windowToBackBuffer(seen, window->size()), 0));
  EXPECT_TRUE(game.ui->isSteamIconSelected());
}

}  // namespace
}  // namespace vw::test
