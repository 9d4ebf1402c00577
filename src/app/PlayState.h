#pragma once
// PlayState: everything a game update changes: the screen, the player, the
// world lists, the camera, the keys, the generator and the run's counters.
// Game is a PlayState with what never changes during play beside it (the
// render context, the texture registry, the input devices, the options).
//
// A PlayState copies exactly and on its own: the world is cloned element by
// element, and the copy's links between elements, the player's arm, the
// contact lists and every emitter's generator point into the copy. So
// Game::snapshot is a copy, and Game::restore puts one back: restored and
// fed the same input, the game plays on bit for bit as it did.
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "app/Input.h"
#include "app/Random.h"
#include "player/Player.h"
#include "puzzle/PuzzleElement.h"
#include "render/Matrix.h"
#include "render/Text.h"
#include "ui/GameMenu.h"
#include "world/MapElement.h"
#include "world/PuzzleLoader.h"

namespace vw {

// Ending: the closing panel after the player has passed the win line.
enum class GameState { Menu = 0, Playing = 1, Paused = 2, Ending = 3 };

const char* gameStateName(GameState state);

// The plain values of the play state, copied as they are.
struct PlayValues {
  GameState gameState = GameState::Menu;
  KeyArray keysHeld{};
  KeyArray keysHeldPrevious{};
  float levelWidth = 0;
  float backgroundMinX = -284;
  float backgroundTravel = 0;
  Vec3 cameraEye{50, 100, -10};
  Vec3 cameraTarget{50, 100, 0};
  Vec3 cameraUp{0, 1, 0};
  Matrix viewMatrix{1.0f};
  Matrix projectionMatrix{1.0f};
  Matrix viewProj{1.0f};
  Input input;
  Random random;
  float framesPerSecond = 0;

  // Additions beyond the rules of the game.
  std::uint64_t frame = 0;     // updates run
  bool showFrameRate = false;  // F3
  bool quitRequested = false;  // Escape on the title menu

  // The run: where the player is, how far it has come, how long it took.
  std::vector<PuzzleInfo> puzzles;  // the strip's puzzles, left to right
  Font winLine;                     // "You Win!!", as the loader placed it
  int currentPuzzle = 0;            // the puzzle whose left edge the player last crossed
  std::optional<int> savedPuzzle;   // the furthest puzzle kept by the progress store
  double playTime = 0;              // seconds played since Start Game or Continue
  int retries = 0;                  // retries since Start Game or Continue
  float endingTime = 0;             // seconds the closing panel has been up
  bool leftButtonPrevious = false;  // the button at the end of the previous update
};

struct PlayState : PlayValues {
  PlayState() = default;
  PlayState(const PlayState& other);
  PlayState& operator=(const PlayState& other);
  PlayState(PlayState&& other) noexcept;
  PlayState& operator=(PlayState&& other) noexcept;
  ~PlayState();

  std::unique_ptr<Player> player;
  std::unique_ptr<Sprite> arm;
  std::unique_ptr<Sprite> background;
  std::unique_ptr<GameMenu> ui;
  MapList mapElements;
  ElementList puzzleElements;

 private:
  // Clones the world of `from` and points the copy's links into it.
  void copyWorld(const PlayState& from);
  // Points every emitter at this state's generator.
  void drawFromOwnRandom();
};

}  // namespace vw
