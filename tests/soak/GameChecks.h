#pragma once
// What must hold after every update, however the game is played: finite
// positions and velocities (player, boxes, every particle) and emitters
// within their capacity. Each check returns the first problem, or empty.
#include <cstddef>
#include <string>

#include "app/Game.h"

namespace vw::soak {

// Particles an emitter may spawn in one update for a kind and spray length.
std::size_t batchSize(Power kind, float sprayLength);

std::string checkFinite(const Game& game);
std::string checkEmitters(const Game& game);

// Particles alive in every emitter of the game.
std::size_t liveParticles(const Game& game);

// Resident memory of this process in bytes (/proc/self/statm).
std::size_t residentBytes();

}  // namespace vw::soak
