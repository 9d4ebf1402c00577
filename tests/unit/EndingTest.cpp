// The closing panel: it comes when the player passes "You Win!!", shows the
// run's time and retries over the frozen scene, and a key or a click goes
// back to the title menu.
#include <gtest/gtest.h>

#include "support/TestGame.h"
#include "ui/GameMenu.h"

namespace vw {
namespace {

using test::StripGame;

// Starts a game and walks the player right past the win line.
void walkPastTheWinLine(StripGame& s) {
  s.click(test::kStartGamePixel);
  s.putPlayerAt(Vec3(textRightEdge(s.game.winLine) - 40, 100, 0));
  s.devices.hold({Key::D});
  for (int i = 0; i < 120 && s.game.gameState == GameState::Playing; ++i) s.run();
  s.devices.releaseAll();
}

TEST(Ending, PassingTheWinLineShowsThePanelOverTheFrozenScene) {
  StripGame s;
  walkPastTheWinLine(s);
  ASSERT_EQ(s.game.gameState, GameState::Ending);
  const Vec3 where = s.game.player->getPosition();
  const int frame = s.game.player->getFrame();
  s.context.draws.clear();
  s.run(20);
  EXPECT_EQ(s.game.player->getPosition().x, where.x) << "the world is frozen";
  EXPECT_EQ(s.game.player->getFrame(), frame) << "its animations too";
  auto quads = s.context.quads();
  bool panel = false;
  bool background = false;
  for (const auto& q : quads) {
    panel = panel || q.state.texture == s.game.textures.get("PANEL");
    background = background || q.state.texture == s.game.textures.get("BACKGROUND");
  }
  EXPECT_TRUE(panel);
  EXPECT_TRUE(background) << "the scene is drawn behind the panel";
  EXPECT_EQ(s.game.ui->endingText.lines[2].text, "Retries 0");
}

TEST(Ending, ThePanelCountsTheRunsTimeAndRetries) {
  StripGame s;
  s.click(test::kStartGamePixel);
  s.run(58);  // one second of play with the click's update
  s.tap(Key::P);
  s.run(600);  // paused time does not count
  s.tap(Key::T);
  s.tap(Key::P);
  s.tap(Key::T);
  walkPastTheWinLine(s);
  ASSERT_EQ(s.game.gameState, GameState::Ending);
  EXPECT_EQ(s.game.retries, 2);
  EXPECT_GT(s.game.playTime, 1.0);
  EXPECT_LT(s.game.playTime, 4.0);
  EXPECT_EQ(s.game.ui->endingText.lines[1].text, "Time " + formatPlayTime(s.game.playTime));
  EXPECT_EQ(s.game.ui->endingText.lines[2].text, "Retries 2");
}

TEST(Ending, AKeyOrAClickReturnsToTheTitleMenu) {
  enum class Input { Key, Click };
  for (Input input : {Input::Key, Input::Click}) {
    SCOPED_TRACE(input == Input::Key ? "key" : "click");
    StripGame s;
    walkPastTheWinLine(s);
    ASSERT_EQ(s.game.gameState, GameState::Ending);
    // A key held from walking and presses in the first moments do not close it.
    s.devices.hold({Key::D});
    s.run(10);
    s.devices.releaseAll();
    s.tap(Key::W);
    EXPECT_EQ(s.game.gameState, GameState::Ending);
    s.run(60);
    if (input == Input::Key) {
      s.tap(Key::Space);
    } else {
      s.click(test::kStartGamePixel);  // over "Start Game": closes the panel, does not start
    }
    EXPECT_EQ(s.game.gameState, GameState::Menu);
    EXPECT_FLOAT_EQ(s.game.cameraEye.x, 50);
    EXPECT_FLOAT_EQ(s.game.player->getPosition().x, -300);
  }
}

TEST(Ending, APlayerStartingPastTheWinLineDoesNotEndTheGame) {
  StripGame s;
  s.click(test::kStartGamePixel);
  s.putPlayerAt(Vec3(textRightEdge(s.game.winLine) + 200, 100, 0));
  s.devices.hold({Key::D});
  s.run(30);
  EXPECT_EQ(s.game.gameState, GameState::Playing);
}

TEST(Ending, PlayTimeReads) {
  const std::pair<double, const char*> cases[] = {
      {0, "0:00"}, {59.99, "0:59"}, {61, "1:01"}, {3599, "59:59"}, {3600, "1:00:00"}, {-5, "0:00"}, {1e12, "99:59:59"},
  };
  for (const auto& [seconds, text] : cases) EXPECT_EQ(formatPlayTime(seconds), text) << seconds;
}

}  // namespace
}  // namespace vw
