#pragma once
// The game state as one JSON object, for tests and tools (--dump-state).
#include <string>

namespace vw {

class Game;

std::string stateDumpJson(const Game& game);

}  // namespace vw
