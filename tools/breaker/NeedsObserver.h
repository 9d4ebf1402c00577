#pragma once
// NeedsObserver: watches a run of one puzzle, update after update, and
// records which of its requirements have been met so far.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Needs.h"
#include "world/PuzzleLoader.h"

namespace vw {

class Game;

// One bit per requirement, in file order.
using NeedMask = std::uint64_t;

class NeedsObserver {
 public:
  // Ties every requirement to the block or element on its line, from the
  // loader's sources for the puzzle played alone. nullopt when a line names
  // nothing that can meet it, with "FILE:LINE: message" in error.
  static std::optional<NeedsObserver> bind(const Needs& needs, const LoadedWorld& world, std::string& error);

  // Looks at the game after an update and marks what it meets.
  void observe(const Game& game);
  NeedMask met() const { return met_; }
  void setMet(NeedMask met) { met_ = met; }
  bool allMet() const { return met_ == all(); }
  NeedMask all() const;
  // The requirements not met so far, as written ("sprayed Steam").
  std::vector<std::string> unmet() const;

 private:
  struct Watch {
    Need need;
    int index = -1;  // into the game's mapElements (Wet, Frozen) or puzzleElements (On, Off, and boxes)
    bool isElement = false;
  };
  bool meets(const Watch& watch, const Game& game) const;

  std::vector<Watch> watches_;
  NeedMask met_ = 0;
};

}  // namespace vw
