// Retrying a puzzle from the pause screen, the progress kept between runs,
// and the title menu's "Continue".
#include <gtest/gtest.h>

#include "puzzle/MovingBlock.h"
#include "support/TestGame.h"

namespace vw {
namespace {

using test::MemoryProgress;
using test::StripGame;

// The world x of the box puzzle c.txt places at its x = 600.
float thirdPuzzleBoxX(const StripGame& s) { return s.puzzleLeft(2) + 600; }

PuzzleElement& lastElement(Game& game) { return *game.puzzleElements.back(); }

TEST(RetryPuzzle, PutsThePlayerAtTheStartOfThePuzzleItWasInWithTheWorldRebuilt) {
  struct Case {
    const char* where;
    int puzzle;       // the puzzle the player walks to
    float fromLeft;   // how far right of its left edge
    int expected;     // the puzzle retried
  };
  const Case cases[] = {
      {"first puzzle", 0, 500, 0},
      {"second puzzle", 1, 700, 1},
      {"third puzzle", 2, 350, 2},
      {"bridge after the second: still the second", 1, 1300, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.where);
    StripGame s;
    ASSERT_TRUE(s.started);
    s.click(test::kStartGamePixel);
    ASSERT_EQ(s.game.gameState, GameState::Playing);
    s.putPlayerAt(Vec3(s.puzzleLeft(c.puzzle) + c.fromLeft, 120, 0));
    s.run(30);
    // Something goes wrong in the puzzle: the last box is shoved away.
    PuzzleElement* oldBox = &lastElement(s.game);
    oldBox->translate(-250, 0, 0);
    s.tap(Key::P);
    ASSERT_EQ(s.game.gameState, GameState::Paused);
    s.devices.press(Key::T);
    s.game.updateGame(1.0f / 60.0f);
    s.devices.release(Key::T);

    EXPECT_EQ(s.game.gameState, GameState::Playing);
    const Vec3 start = s.game.player->getPosition();
    EXPECT_FLOAT_EQ(start.x, s.puzzleLeft(c.expected) + 100);
    EXPECT_FLOAT_EQ(start.y, 100);
    EXPECT_EQ(s.game.currentPuzzle, c.expected);
    EXPECT_FLOAT_EQ(s.game.cameraEye.x, start.x);
    EXPECT_FLOAT_EQ(s.game.cameraEye.y, start.y);
    EXPECT_EQ(s.game.retries, 1);
    // Rebuilt from the files: the shoved box stands where its file puts it.
    EXPECT_FLOAT_EQ(lastElement(s.game).getPosition().x, thirdPuzzleBoxX(s));
    // And the game plays on from there: the player lands on the puzzle's floor.
    s.run(30);
    EXPECT_TRUE(s.game.player->isOnGround());
    EXPECT_EQ(s.game.currentPuzzle, c.expected);
  }
}

TEST(RetryPuzzle, RStillRestartsTheWholeGame) {
  StripGame s;
  s.click(test::kStartGamePixel);
  s.putPlayerAt(Vec3(s.puzzleLeft(2) + 300, 120, 0));
  s.run(5);
  s.tap(Key::P);
  s.tap(Key::R);
  EXPECT_EQ(s.game.gameState, GameState::Menu);
  EXPECT_FLOAT_EQ(s.game.player->getPosition().x, -300);
  EXPECT_FLOAT_EQ(s.game.cameraEye.x, 50);
  EXPECT_EQ(s.game.currentPuzzle, 0);
}

TEST(RetryPuzzle, TOnlyActsOnThePauseScreen) {
  StripGame s;
  s.tap(Key::T);
  EXPECT_EQ(s.game.gameState, GameState::Menu);
  s.click(test::kStartGamePixel);
  s.putPlayerAt(Vec3(s.puzzleLeft(1) + 300, 120, 0));
  s.run(5);
  const float x = s.game.player->getPosition().x;
  s.tap(Key::T);
  EXPECT_EQ(s.game.retries, 0);
  EXPECT_NEAR(s.game.player->getPosition().x, x, 1.0f);
}

TEST(Progress, TheFurthestPuzzleIsSavedOnceWhenReached) {
  MemoryProgress store;
  StripGame s(&store);
  s.click(test::kStartGamePixel);
  s.run(10);
  EXPECT_FALSE(store.stored) << "the first puzzle is no progress";
  s.putPlayerAt(Vec3(s.puzzleLeft(1) + 200, 120, 0));
  s.run(10);
  ASSERT_TRUE(store.stored);
  EXPECT_EQ(*store.stored, 1);
  s.putPlayerAt(Vec3(s.puzzleLeft(0) + 200, 120, 0));
  s.run(10);
  s.putPlayerAt(Vec3(s.puzzleLeft(1) + 300, 120, 0));
  s.run(10);
  EXPECT_EQ(*store.stored, 1);
  EXPECT_EQ(store.saves, 1) << "walking back and forth saves nothing new";
  s.putPlayerAt(Vec3(s.puzzleLeft(2) + 200, 120, 0));
  s.run(10);
  EXPECT_EQ(*store.stored, 2);
  EXPECT_EQ(store.saves, 2);
}

TEST(Progress, ContinueStartsAtTheSavedPuzzle) {
  struct Case {
    std::optional<int> saved;
    bool continueShown;
    int startsAt;  // -1: Continue does nothing
  };
  const Case cases[] = {
      {std::nullopt, false, -1},
      {0, false, -1},
      {1, true, 1},
      {2, true, 2},
      {9, true, 2},  // a longer strip than now: its last puzzle
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.saved ? std::to_string(*c.saved) : "none");
    MemoryProgress store;
    store.stored = c.saved;
    StripGame s(&store);
    EXPECT_EQ(s.game.ui->continueShown, c.continueShown);
    s.click(test::kContinuePixel);
    if (c.startsAt < 0) {
      EXPECT_EQ(s.game.gameState, GameState::Menu);
      continue;
    }
    EXPECT_EQ(s.game.gameState, GameState::Playing);
    EXPECT_FLOAT_EQ(s.game.player->getPosition().x, s.puzzleLeft(c.startsAt) + 100);
    EXPECT_EQ(s.game.currentPuzzle, c.startsAt);
  }
}

TEST(Progress, StartGameStillStartsAtTheBeginning) {
  MemoryProgress store;
  store.stored = 2;
  StripGame s(&store);
  s.click(test::kStartGamePixel);
  EXPECT_EQ(s.game.gameState, GameState::Playing);
  EXPECT_LT(s.game.player->getPosition().x, s.puzzleLeft(1));
  EXPECT_EQ(s.game.currentPuzzle, 0);
}

}  // namespace
}  // namespace vw
