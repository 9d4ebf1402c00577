#pragma once
// SoundEvents: listens to the game. After each update it compares the game
// with what it saw after the previous one and reports what can be heard:
// jumps, landings, blocks changing, buttons, doors, menu clicks, the pause,
// the mute key, and the level of every loop (spray, jets, wheels, doors).
// It only reads the game. Elements are matched by their place in the lists;
// a restart makes it forget the old world without reporting a change.
#include <vector>

#include "app/Game.h"
#include "audio/SoundEvent.h"

namespace vw {

// The loudness of something at `distance` world units from the player.
float distanceGain(float distance);

class SoundEvents {
 public:
  // What was heard since the previous call. The first call only looks
  // (it reports the loops and the mute key, no changes).
  std::vector<SoundEvent> observe(const Game& game);

 private:
  struct PlayerMemory {
    bool onGround = false;
    bool umbrella = false;
    float verticalSpeed = 0;
    Power power = Power::Water;
  };
  struct ElementMemory {
    PuzzleElementType type = PuzzleElementType::MovingBlock;
    bool active = false;
    float progress = 0;  // rising doors
    bool moving = false;  // rising doors
    int animation = 0;    // trap doors
    float frameStep = 1;  // trap doors
  };
  struct MenuMemory {
    bool instructions = true;
    bool credits = false;
    bool water = true;
    bool steam = false;
    bool ice = false;
  };

  void observeScreen(const Game& game, std::vector<SoundEvent>& out) const;
  void observePlayer(const Game& game, std::vector<SoundEvent>& out) const;
  void observeBlocks(const Game& game, std::vector<SoundEvent>& out) const;
  void observeElements(const Game& game, std::vector<SoundEvent>& out) const;
  void reportLoops(const Game& game, std::vector<SoundEvent>& out) const;
  bool isSameWorld(const Game& game) const;
  void remember(const Game& game);
  // A rising door is moving when its travel changed in the last update.
  bool doorMoving(const Game& game, std::size_t index) const;

  bool seen_ = false;
  GameState state_ = GameState::Menu;
  KeyArray keys_{};
  MenuMemory menu_;
  const Player* player_ = nullptr;
  PlayerMemory playerMemory_;
  int airborne_ = 0;  // updates since the player last stood on something
  std::vector<BlockState> blocks_;
  std::vector<ElementMemory> elements_;
};

}  // namespace vw
