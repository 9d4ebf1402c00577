// A run through the strip of three puzzles: retrying a puzzle from the pause
// screen, the progress kept between runs, the title menu's "Continue", and
// the closing panel that comes when the player passes "You Win!!" (the run's
// time and retries over the frozen scene; a key or a click goes back to the
// title menu; only crossing the line brings it).
#include <gtest/gtest.h>

#include "support/TestGame.h"
#include "ui/GameMenu.h"

namespace vw {
namespace {

using test::MemoryProgress;
using test::StripGame;

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
    lastElement(s.game).translate(-250, 0, 0);
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
    EXPECT_FLOAT_EQ(lastElement(s.game).getPosition().x, s.puzzleLeft(2) + 600);  // c.txt's x = 600
    // And the game plays on from there: the player lands on the puzzle's floor.
    s.run(30);
    EXPECT_TRUE(s.game.player->isOnGround());
    EXPECT_EQ(s.game.currentPuzzle, c.expected);
  }
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

// "Continue" starts at the saved puzzle (the last one when the strip is now
// shorter); it is not shown without progress; "Start Game" still starts at the beginning.
TEST(Progress, ContinueStartsAtTheSavedPuzzle) {
  struct Case {
    std::optional<int> saved;
    Vec2 click;
    bool continueShown;
    int startsAt;  // -1: the click does nothing
  };
  const Case cases[] = {
      {std::nullopt, test::kContinuePixel, false, -1},
      {0, test::kContinuePixel, false, -1},
      {1, test::kContinuePixel, true, 1},
      {2, test::kContinuePixel, true, 2},
      {9, test::kContinuePixel, true, 2},
      {2, test::kStartGamePixel, true, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE((c.saved ? std::to_string(*c.saved) : "none") + (c.click == test::kContinuePixel ? " Continue" : " Start"));
    MemoryProgress store;
    store.stored = c.saved;
    StripGame s(&store);
    EXPECT_EQ(s.game.ui->continueShown, c.continueShown);
    s.click(c.click);
    if (c.startsAt < 0) {
      EXPECT_EQ(s.game.gameState, GameState::Menu);
      continue;
    }
    EXPECT_EQ(s.game.gameState, GameState::Playing);
    EXPECT_FLOAT_EQ(s.game.player->getPosition().x, c.startsAt > 0 ? s.puzzleLeft(c.startsAt) + 100 : -300);
    EXPECT_EQ(s.game.currentPuzzle, c.startsAt);
  }
}

// Starts a game and walks the player right past the win line.
void walkPastTheWinLine(StripGame& s) {
  s.click(test::kStartGamePixel);
  s.putPlayerAt(Vec3(textRightEdge(s.game.winLine) - 40, 100, 0));
  s.devices.hold({Key::D});
  for (int i = 0; i < 120 && s.game.gameState == GameState::Playing; ++i) s.run();
  s.devices.releaseAll();
}

// T retries only from the pause screen; paused time is no play time. The
// panel comes over the frozen scene and counts the run's time and retries.
// A key held from walking and presses in its first moments do not close it;
// a later key or click returns to the title menu (a click over "Start Game"
// does not also start). A player who starts beyond the line never crosses it.
TEST(Ending, ThePanelCountsTheRunOverTheFrozenSceneAndALaterKeyOrClickClosesIt) {
  StripGame s;
  s.tap(Key::T);
  ASSERT_EQ(s.game.gameState, GameState::Menu);
  s.click(test::kStartGamePixel);
  s.run(56);  // one second of play with the click's update and the taps of T and P
  s.tap(Key::T);
  EXPECT_EQ(s.game.retries, 0) << "T while playing retries nothing";
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
  const Vec3 where = s.game.player->getPosition();
  const int frame = s.game.player->getFrame();
  s.context.draws.clear();
  s.run(20);
  EXPECT_EQ(s.game.player->getPosition().x, where.x) << "the world is frozen";
  EXPECT_EQ(s.game.player->getFrame(), frame) << "its animations too";
  bool panel = false;
  bool background = false;
  for (const auto& q : s.context.quads()) {
    panel = panel || q.state.texture == s.game.textures.get("PANEL");
    background = background || q.state.texture == s.game.textures.get("BACKGROUND");
  }
  EXPECT_TRUE(panel);
  EXPECT_TRUE(background) << "the scene is drawn behind the panel";

  s.devices.hold({Key::D});
  s.run(10);
  s.devices.releaseAll();
  s.tap(Key::W);
  EXPECT_EQ(s.game.gameState, GameState::Ending) << "too soon to close";
  s.run(60);
  s.tap(Key::Space);
  EXPECT_EQ(s.game.gameState, GameState::Menu);
  EXPECT_FLOAT_EQ(s.game.cameraEye.x, 50);
  EXPECT_FLOAT_EQ(s.game.player->getPosition().x, -300);

  walkPastTheWinLine(s);  // a new run
  ASSERT_EQ(s.game.gameState, GameState::Ending);
  EXPECT_EQ(s.game.retries, 0);
  s.run(60);
  s.click(test::kStartGamePixel);
  EXPECT_EQ(s.game.gameState, GameState::Menu);

  // Only crossing the line ends the game, not walking on from beyond it.
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
