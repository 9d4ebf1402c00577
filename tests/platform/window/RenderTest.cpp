// The game's screens drawn through OpenGL into the back buffer.
#include <gtest/gtest.h>

#include "TestWorld.h"
#include "app/Session.h"
#include "render/Camera.h"
#include "render/RenderPass.h"

namespace vw::test {
namespace {

class ScreenTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    if (HasFatalFailure()) return;
    game = startGame(devices);
  }
  // Where a world point is on the screen with the camera at its start place.
  static Vec2 onScreen(float x, float y) { return Vec2(x - 50 + 500, 400 - (y - 100)); }

  IdleInputDevices devices;
  std::unique_ptr<Game> game;
};

TEST_F(ScreenTest, PlaySceneDrawsTheBlockWhereItsBoundsAre) {
  game->gameState = GameState::Playing;
  renderFrame(*game, *context);
  Picture frame = backBuffer();
  ASSERT_EQ(game->mapElements.size(), 1u);
  Bounds b = game->mapElements[0]->getBounds();
  Vec2 topLeft = onScreen(b.left, b.top);
  Vec2 bottomRight = onScreen(b.right, b.bottom);
  const int left = static_cast<int>(topLeft.x), top = static_cast<int>(topLeft.y);
  const int right = static_cast<int>(bottomRight.x), bottom = static_cast<int>(bottomRight.y);
  EXPECT_EQ(left, 400);
  EXPECT_EQ(top, 450);
  // Every pixel inside is stone, and nothing else is.
  EXPECT_EQ(frame.at(left, top), kStone);
  EXPECT_EQ(frame.at(right - 1, bottom - 1), kStone);
  EXPECT_EQ(frame.count(kStone), (right - left) * (bottom - top));
  // The power icons, bottom left: water at 40 pixels from the left edge.
  EXPECT_EQ(frame.at(40, 750), kWaterIcon);
  EXPECT_EQ(frame.at(110, 750), kSteamIcon);
  EXPECT_EQ(frame.at(180, 750), kIceIcon);
  EXPECT_EQ(frame.at(75, 750), kSky);  // the gap between two icons
}

}  // namespace
}  // namespace vw::test
