// The game's screens and what the keys and clicks do on them: pause,
// restart, the title menu's items, the HUD icons and the number keys.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/Random.h"
#include "player/ParticleEmitter.h"
#include "support/TestGame.h"
#include "ui/GameMenu.h"

namespace vw {
namespace {

using test::GameFixture;

TEST_F(GameFixture, HoldingPPausesOnceFreezingTheWorldAndTwoPressesUnpause) {
  startPlaying();
  ASSERT_EQ(game.gameState, GameState::Playing);
  devices.press(Key::P);
  run(5);
  EXPECT_EQ(game.gameState, GameState::Paused);
  devices.hold({Key::D});
  const Vec3 before = game.player->getPosition();
  run(30);
  EXPECT_EQ(game.player->getPosition(), before) << "the paused world is frozen";
  EXPECT_EQ(game.gameState, GameState::Paused);
  devices.releaseAll();
  tap(Key::P);
  EXPECT_EQ(game.gameState, GameState::Playing);
}

// R on the pause screen (P held with it, or pressed after it) restarts to
// the title menu, whose items work again.
TEST_F(GameFixture, RestartResetsTheWorldAndTheMenuRectanglesWorkAgain) {
  for (int round = 0; round < 2; ++round) {
    click(Vec2(300, 500));  // world (-150, 0): "Instructions"
    EXPECT_TRUE(game.ui->instructionsShown);
    EXPECT_FALSE(game.ui->creditsShown);
    click(Vec2(200, 600));  // world (-250, -100): "Credits"
    EXPECT_FALSE(game.ui->instructionsShown);
    EXPECT_TRUE(game.ui->creditsShown);
    startPlaying();
    EXPECT_EQ(game.gameState, GameState::Playing);
    devices.hold({Key::D});
    run(90);  // the camera moves away from the menu's place
    devices.releaseAll();
    tap(Key::P);
    ASSERT_EQ(game.gameState, GameState::Paused);
    ASSERT_NE(game.cameraEye.x, 50);
    if (round == 0) {
      devices.hold({Key::P, Key::R});
      run();
      devices.releaseAll();
    } else {
      tap(Key::R);
    }
    ASSERT_EQ(game.gameState, GameState::Menu);
    EXPECT_EQ(game.player->getPosition(), Vec3(-300, 100, 0));
    EXPECT_EQ(game.cameraEye, Vec3(50, 100, -10));
    EXPECT_EQ(game.mapElements.size(), 1u);
    EXPECT_EQ(game.sharedText.lines.size(), 1u);
  }
}

// A number key or a click on a HUD icon picks the power and lights its icon;
// the click sprays nothing in its own update.
TEST_F(GameFixture, ANumberKeyOrAHudClickPicksThePowerAndLightsItsIcon) {
  startPlaying();
  struct Case {
    int key;
    Power power;
    bool water, steam, ice;
  };
  for (Case c : {Case{Key::Two, Power::Steam, false, true, false}, Case{Key::Three, Power::Ice, false, false, true},
                 Case{Key::One, Power::Water, true, false, false}}) {
    devices.press(c.key);
    run();
    EXPECT_EQ(game.player->getPower(), c.power);
    EXPECT_EQ(game.ui->isWaterIconSelected(), c.water);
    EXPECT_EQ(game.ui->isSteamIconSelected(), c.steam);
    EXPECT_EQ(game.ui->isIceIconSelected(), c.ice);
    devices.release(c.key);
    run();
  }
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

TEST(SteamSpeed, EachSteamParticleMovesAtASpeedOfItsOwn) {
  Random random(3);
  ParticleEmitter jet(100, 300, 1.5714285f, Vec3(0), Power::Steam, random);
  jet.setEmitting(true);
  jet.update(0.1f, true);
  ASSERT_GT(jet.count(), 10u);
  float low = 1e9f, high = -1e9f;
  for (const Particle& p : jet.getParticles()) {
    low = std::min(low, p.getPosition().y);
    high = std::max(high, p.getPosition().y);
  }
  EXPECT_GT(high - low, 20.0f);  // speeds spread over 0 to 800 units a second
}

TEST(Hud, EveryDrawnIconPixelSelectsItsIcon) {
  for (const auto& [x, power] : {std::pair{-460.0f, Power::Water}, {-390.0f, Power::Steam}, {-320.0f, Power::Ice}}) {
    for (float dx = -30; dx <= 30; dx += 1) {
      for (float dy = -30; dy <= 30; dy += 5) {
        GameMenu menu;
        menu.showPower(power == Power::Steam ? Power::Ice : Power::Steam);
        menu.handleHudClick(true, Vec3(x + dx + 500, 400 - (-350 + dy), 0));  // back-buffer pixels
        ASSERT_TRUE(menu.hudClicked) << x + dx << "," << -350 + dy;
        const bool selected[] = {menu.isSteamIconSelected(), menu.isWaterIconSelected(), menu.isIceIconSelected()};
        ASSERT_TRUE(selected[static_cast<int>(power)]) << x + dx << "," << -350 + dy;
      }
    }
  }
}

}  // namespace
}  // namespace vw
