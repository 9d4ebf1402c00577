// The back buffer shown in windows of other sizes, and clicks mapped back.
#include <gtest/gtest.h>

#include <SDL.h>

#include "TestWorld.h"
#include "app/Session.h"
#include "platform/DesktopInput.h"
#include "render/RenderPass.h"

namespace vw::test {
namespace {

constexpr Rgb kBar{0, 0, 0};

class WindowSizeTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    if (HasFatalFailure()) return;
    game = startGame(idle);
    game->gameState = GameState::Playing;
  }

  // Resizes and waits until SDL and the drawable agree on the new size.
  void resizeTo(PixelSize size) {
    window->resize(size);
    for (int i = 0; i < 200; ++i) {
      SDL_PumpEvents();
      PixelSize now = window->size();
      if (now.width == size.width && now.height == size.height) break;
      SDL_Delay(5);
    }
    ASSERT_EQ(window->size().width, size.width);
    ASSERT_EQ(window->size().height, size.height);
  }

  // The middle of every window pixel of one colour.
  static Vec2 centreOf(const Picture& p, Rgb c) {
    Vec2 sum(0);
    int n = 0;
    for (int y = 0; y < p.height; ++y) {
      for (int x = 0; x < p.width; ++x) {
        if (p.at(x, y) == c) {
          sum += Vec2(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f);
          ++n;
        }
      }
    }
    return n ? sum / static_cast<float>(n) : Vec2(-1);
  }

  IdleInputDevices idle;
  std::unique_ptr<Game> game;
};

TEST_F(WindowSizeTest, AWideWindowGetsBarsAndAClickStillLandsOnTheIcon) {
  resizeTo({1500, 900});
  renderFrame(*game, *context);
  context->drawToWindow();
  Picture shown = windowPixels();
  ASSERT_EQ(shown.width, 1500);
  ASSERT_EQ(shown.height, 900);
  // 1125 x 900 of picture between two bars of 187 and 188 pixels.
  EXPECT_EQ(shown.at(186, 10), kBar);
  EXPECT_EQ(shown.at(1313, 890), kBar);
  EXPECT_EQ(shown.at(188, 100), kSky);
  EXPECT_EQ(shown.at(1311, 100), kSky);
  // The steam icon (back-buffer centre 110, 750) where the player sees it...
  Vec2 seen = centreOf(shown, kSteamIcon);
  EXPECT_NEAR(seen.x, 187 + 110 * 1.125f, 2);
  EXPECT_NEAR(seen.y, 750 * 1.125f, 2);
  // ...clicked there, selects steam.
  Vec2 click = windowToBackBuffer(seen, window->size());
  EXPECT_NEAR(click.x, 110, 1.5f);
  EXPECT_NEAR(click.y, 750, 1.5f);
  ASSERT_FALSE(game->ui->isSteamIconSelected());
  game->ui->handleHudClick(true, Vec3(click, 0));
  EXPECT_TRUE(game->ui->isSteamIconSelected());
}

}  // namespace
}  // namespace vw::test
