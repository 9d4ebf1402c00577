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
#include <vector>

#include "app/Diagnostics.h"
#include "app/PlayState.h"
#include "app/Input.h"
#include "app/ProgressStore.h"
#include "app/Random.h"
#include "player/Player.h"
#include "puzzle/PuzzleElement.h"
#include "render/LinkMarker.h"
#include "render/RenderContext.h"
#include "render/Text.h"
#include "render/TextureRegistry.h"
#include "ui/GameMenu.h"
#include "world/MapElement.h"
#include "world/PuzzleLoader.h"

namespace vw {

constexpr const char* kTextureListFile = "Settings/textureData.txt";
// The steam puffs of all jets together (each jet also has its own capacity).
constexpr std::size_t kMaxSteamParticles = 50000;

// One puzzle played alone, from its text, instead of the puzzle list.
struct AlonePuzzle {
  std::string name;  // the file, as diagnostics name it
  std::string text;
};

struct GameOptions {
  std::filesystem::path dataDir = ".";
  std::uint32_t seed = 1;
  std::ostream* debug = nullptr;  // the loader's "Type: ..." lines (--verbose)
  ProgressStore* progress = nullptr;  // where the furthest puzzle is kept; null: nowhere (not owned)
};

class Game : public PlayState {
 public:
  // With a puzzle alone, the world is that puzzle and play starts at once.
  Game(RenderContext& context, InputDevices& devices, GameOptions options,
       std::optional<AlonePuzzle> alone = std::nullopt);
  ~Game();
  // A game is one; its play state copies (snapshot, restore).
  Game(const Game&) = delete;
  Game& operator=(const Game&) = delete;

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
  // The live steam puffs of every jet.
  std::size_t steamParticles() const;
  // Rebuilds the world as a restart does and puts the player, playing, at
  // the start of the puzzle it was in.
  void retryPuzzle();
  // Puts the player at the start of puzzle `index` of the strip (clamped)
  // and the camera on it.
  void startAtPuzzle(int index);
  // Puts the camera's centre at world (x, y), the background with it.
  void placeCamera(float x, float y);
  // Where a player entering puzzle `index` from its bridge stands.
  Vec3 puzzleStart(int index) const;
  // The puzzle whose left edge world x `x` lies at or right of.
  int puzzleAt(float x) const;

  // The game as it is now, to be put back with restore (see PlayState).
  PlayState snapshot() const;
  // Puts the game back exactly as the snapshot holds it. Pointers into the
  // old world (elements, player, arm) are no longer valid afterwards.
  void restore(const PlayState& saved);

  bool isPressed(int key) const { return keysHeld[key] == 1 && keysHeldPrevious[key] == 0; }

  // The play state (PlayState) holds the screen, player, arm, background,
  // ui, mapElements, puzzleElements, keys, camera, input, random and the
  // run's counters; beside it, what play never changes:
  RenderContext& context;
  TextureRegistry textures;
  Text sharedText;          // the shared text object: the win line, the same after every reload
  Diagnostics diagnostics;  // problems found by a restart's reload
  LinkMarker linkMarker;    // drawn on both ends of every link

 private:
  void createPlayer();
  void resetCamera();
  // Loads the strip into the lists; returns the number of puzzles read.
  int loadWorld(Diagnostics& diagnostics);
  void playingStep(float dt);
  void pausedStep();
  void endingStep(float dt);
  // The parallax: the background's x from the camera's.
  void placeBackground();
  // A new run from the title menu, at puzzle `index`.
  void beginRun(int index);
  // Follows the player across puzzle edges, keeps new progress, notices the end.
  void trackProgress();
  // Escape quits only from a title menu that was already showing.
  void menuStep(bool escapeQuits);
  void updateElements(float dt);

  GameOptions options_;
  std::optional<AlonePuzzle> alone_;
};

}  // namespace vw
