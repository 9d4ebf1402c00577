#pragma once
// Breaker: searches for a pass of a puzzle played alone that misses one of
// its requirements (a break). It branches from saved game states instead
// of replaying from the start, mixing a breadth search over a fixed set of
// macro-moves (pruning states it has already seen, by a coarse key) with
// random rollouts from the states found so far. Deterministic for a given
// seed and budget.
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "PuzzleRun.h"

namespace vw {

struct BreakerOptions {
  std::uint64_t budget = 200000;  // updates to run, at most; 0: no bound
  std::uint32_t seed = 1;         // the search's choices and the game's generator
  // Memory the saved states may take; beyond it the oldest give theirs up
  // and are replayed from an older one when they are needed again.
  std::size_t maxSavedBytes = std::size_t{512} << 20;
  std::ostream* progress = nullptr;  // a line now and then, for long runs
};

struct BreakerResult {
  bool broken = false;
  std::string script;               // the break as an input script, when broken
  std::vector<std::string> unmet;   // what the break never met
  std::uint64_t states = 0;         // distinct states explored
  std::uint64_t updates = 0;        // game updates run
  std::uint64_t fairPasses = 0;     // passes that met every requirement
  float furthest = 0;               // the right-most x of a state kept
  float goal = 0;                   // the x to pass
  double seconds = 0;
};

// Runs the search on the puzzle; nullopt when the puzzle cannot be played,
// with the reason in error.
std::optional<BreakerResult> findBreak(const PuzzleSetup& setup, const BreakerOptions& options, std::string& error);

// The steps as an input script that replays them after a `seed` line.
std::string scriptText(std::uint32_t seed, const std::vector<ScriptStep>& steps);

}  // namespace vw
