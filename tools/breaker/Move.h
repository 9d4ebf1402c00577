#pragma once
// Move: one of a player's macro-moves, the unit the breaker searches with:
// walk for a while and stop, jump (holding W for the umbrella or not),
// choose a power and spray it at an aim for a while, or wait.
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "app/InputScript.h"
#include "player/Power.h"

namespace vw {

class Game;

enum class MoveKind { Walk, Jump, Spray, Wait };

struct Move {
  MoveKind kind = MoveKind::Wait;
  int direction = 0;      // -1 left (A), 0 none, 1 right (D)
  int updates = 30;       // how long it lasts
  bool umbrella = false;  // a jump that holds W again to open the umbrella on the way down
  int umbrellaAfter = 0;  // updates after the jump before W is held again (0: held throughout)
  Power power = Power::Water;
  int angleDegrees = 0;   // the aim, counter-clockwise from the right
};

// The input of a move as script steps, aimed from where the player stands
// in the game now.
std::vector<ScriptStep> stepsFor(const Move& move, const Game& game);

// The systematic set tried from every state the breadth search expands.
const std::vector<Move>& breadthMoves();

// A move with its kind and parameters drawn from rng.
Move randomMove(std::mt19937& rng);

}  // namespace vw
