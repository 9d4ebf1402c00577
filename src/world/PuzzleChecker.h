#pragma once
// The puzzle authors' check: loads the puzzle list and every puzzle without
// starting the game, reports every problem the loader finds plus the mistakes
// an author wants to hear about, and sums the world up in one line.
#include <filesystem>
#include <iosfwd>

#include "app/Diagnostics.h"
#include "world/PuzzleLoader.h"

namespace vw {

// Prints the diagnostics and "N puzzles, N blocks, N elements, N warnings,
// N errors"; returns 0 when there is no error, 1 otherwise.
int checkPuzzles(const std::filesystem::path& dataDir, std::ostream& out);

// The author's warnings beyond the loader's, for a world loadPuzzles built.
void addAuthorWarnings(const LoadedWorld& world, Diagnostics& diagnostics);

}  // namespace vw
