#pragma once
// The game state: the screen the game is on, the player, the world lists,
// the camera and the key arrays, with the per-update step `updateGame` and
// the restart `resetWorld`. One object, so a test can build a fresh game.
#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

#include "app/Diagnostics.h"
#include "app/Input.h"
#include "app/Random.h"
#include "player/Player.h"
#include "puzzle/PuzzleElement.h"
#include "render/RenderContext.h"
#include "render/Text.h"
#include "render/TextureRegistry.h"
#include "ui/GameMenu.h"
#include "world/MapElement.h"

namespace vw {

enum class GameState { Menu = 0, Playing = 1, Paused = 2 };

const char* gameStateName(GameState state);

constexpr const char* kTextureListFile = "Settings/textureData.txt";

// One puzzle played alone, from its text, instead of the puzzle list.
struct AlonePuzzle {
  std::string name;  // the file, as diagnostics name it
  std::string text;
};

struct GameOptions {
  std::filesystem::path dataDir = ".";
  std::uint32_t seed = 1;
  std::ostream* debug = nullptr;  // the loader's "Type: ..." lines (--verbose)
};

class Game {
 public:
  // With a puzzle alone, the world is that puzzle and play starts at once.
  Game(RenderContext& context, InputDevices& devices, GameOptions options,
       std::optional<AlonePuzzle> alone = std::nullopt);
  ~Game();

  // The start-up sequence after the window and graphics exist: seed, texture
  // list, puzzles, menu state, player and arm, camera, menu object,
  // background. False when the game cannot start (the reason is in diagnostics).
  bool startUp(Diagnostics& diagnostics);
  // One update of dt seconds: input, then the step of the current screen.
  void updateGame(float dt);
  // Rebuilds the world from the puzzle files and puts the camera back.
  void resetWorld();
  // Rebuilds the world as this puzzle alone, on the play screen.
  void showAlone(AlonePuzzle puzzle);
  // The camera follow with its dead zone.
  void updateCamera();
  // While playing, losing the window's focus pauses the game.
  void onFocusLost();

  bool isPressed(int key) const { return keysHeld[key] == 1 && keysHeldPrevious[key] == 0; }

  GameState gameState = GameState::Menu;
  std::unique_ptr<Player> player;
  std::unique_ptr<Sprite> arm;
  std::unique_ptr<Sprite> background;
  std::unique_ptr<GameMenu> ui;
  MapList mapElements;
  ElementList puzzleElements;
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
  RenderContext& context;
  TextureRegistry textures;
  Text sharedText;  // the shared text object: the win line
  float framesPerSecond = 0;

  // Additions beyond the rules of the game.
  std::uint64_t frame = 0;     // updates run
  bool showFrameRate = false;  // F3
  bool quitRequested = false;  // Escape on the title menu
  Diagnostics diagnostics;     // problems found by a restart's reload

 private:
  void createPlayer();
  void resetCamera();
  // Loads the strip into the lists; returns the number of puzzles read.
  int loadWorld(Diagnostics& diagnostics);
  void playingStep(float dt);
  void pausedStep();
  // Escape quits only from a title menu that was already showing.
  void menuStep(bool escapeQuits);
  void updateElements(float dt);

  GameOptions options_;
  std::optional<AlonePuzzle> alone_;
};

}  // namespace vw
