#include <gtest/gtest.h>

#include "support/TestGame.h"

namespace vw {
namespace {

using test::GameFixture;

TEST_F(GameFixture, HoldingPPausesOnceAndTwoPressesUnpause) {
  startPlaying();
  ASSERT_EQ(game.gameState, GameState::Playing);
  devices.press(Key::P);
  run(5);
  EXPECT_EQ(game.gameState, GameState::Paused);
  devices.release(Key::P);
  run();
  EXPECT_EQ(game.gameState, GameState::Paused);
  tap(Key::P);
  EXPECT_EQ(game.gameState, GameState::Playing);
}

TEST_F(GameFixture, PausedWorldIsFrozen) {
  startPlaying();
  devices.hold({Key::D});
  run(30);
  tap(Key::P);
  devices.hold({Key::D});
  Vec3 before = game.player->getPosition();
  run(30);
  EXPECT_EQ(game.player->getPosition(), before);
}

TEST_F(GameFixture, PAndRTogetherUnpauseThenRestartToTheMenu) {
  startPlaying();
  devices.hold({Key::D});
  run(60);
  devices.releaseAll();
  tap(Key::P);
  ASSERT_EQ(game.gameState, GameState::Paused);
  ASSERT_NE(game.cameraEye.x, 50);
  devices.hold({Key::P, Key::R});
  run();
  EXPECT_EQ(game.gameState, GameState::Menu);
  EXPECT_EQ(game.player->getPosition(), Vec3(-300, 100, 0));
  EXPECT_EQ(game.cameraEye, Vec3(50, 100, -10));
  EXPECT_EQ(game.mapElements.size(), 1u);
  EXPECT_EQ(game.sharedText.lines.size(), 1u);
}

TEST_F(GameFixture, MenuRectanglesWorkBeforeAndAfterARestart) {
  for (int round = 0; round < 2; ++round) {
    devices.cursor = Vec2(300, 500);  // world (-150, 0): "Instructions"
    devices.button = true;
    run();
    devices.button = false;
    run();
    EXPECT_TRUE(game.ui->instructionsShown);
    EXPECT_FALSE(game.ui->creditsShown);
    devices.cursor = Vec2(200, 600);  // world (-250, -100): "Credits"
    devices.button = true;
    run();
    devices.button = false;
    run();
    EXPECT_FALSE(game.ui->instructionsShown);
    EXPECT_TRUE(game.ui->creditsShown);
    startPlaying();
    EXPECT_EQ(game.gameState, GameState::Playing);
    devices.hold({Key::D});
    run(90);  // the camera moves away from the menu's place
    devices.releaseAll();
    tap(Key::P);
    tap(Key::R);
    ASSERT_EQ(game.gameState, GameState::Menu);
  }
}

TEST_F(GameFixture, HudClickChoosesAPowerWithoutSprayingThatUpdate) {
  startPlaying();
  devices.cursor = Vec2(110, 750);  // the steam icon at (-390, -350) from the centre
  devices.button = true;
  run();
  EXPECT_EQ(game.player->getPower(), Power::Steam);
  EXPECT_TRUE(game.ui->isSteamIconSelected());
  EXPECT_FALSE(game.player->getEmitter().isEmitting());
  devices.cursor = Vec2(700, 300);
  run();  // still held, now away from the icons: sprays
  EXPECT_TRUE(game.player->getEmitter().isEmitting());
}

}  // namespace
}  // namespace vw
