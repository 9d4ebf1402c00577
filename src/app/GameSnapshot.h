#pragma once
// GameSnapshot: everything an update changes, copied out of a Game so that
// the game can be put back exactly where it was (Game::snapshot and
// Game::restore). Restoring and then playing the same input gives the same
// game, bit for bit. What never changes during play stays shared and is not
// copied: the render context, the texture registry, the input devices, the
// options and the puzzle played alone.
//
// The world is cloned element by element; the links between elements, the
// player's arm and the contact lists point into the copy's own lists, and
// every emitter draws from the copy's own generator.
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

enum class GameState;

struct GameSnapshot {
  GameState gameState{};
  std::unique_ptr<Player> player;
  std::unique_ptr<Sprite> arm;
  std::unique_ptr<Sprite> background;
  std::unique_ptr<GameMenu> ui;
  MapList mapElements;
  ElementList puzzleElements;
  KeyArray keysHeld{};
  KeyArray keysHeldPrevious{};
  float levelWidth = 0;
  float backgroundMinX = 0;
  float backgroundTravel = 0;
  Vec3 cameraEye{0};
  Vec3 cameraTarget{0};
  Vec3 cameraUp{0};
  Matrix viewMatrix{1.0f};
  Matrix projectionMatrix{1.0f};
  Matrix viewProj{1.0f};
  Input input;  // its devices are the game's, not the snapshot's
  Random random;
  Text sharedText;
  float framesPerSecond = 0;
  std::uint64_t frame = 0;
  bool showFrameRate = false;
  bool quitRequested = false;
  std::vector<PuzzleInfo> puzzles;
  Font winLine;
  int currentPuzzle = 0;
  std::optional<int> savedPuzzle;
  double playTime = 0;
  int retries = 0;
  float endingTime = 0;
  bool leftButtonPrevious = false;
};

}  // namespace vw
