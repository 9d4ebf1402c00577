#include "world/PuzzleChecker.h"

#include <cmath>
#include <map>
#include <ostream>
#include <set>
#include <sstream>

#include "app/Random.h"

namespace vw {

namespace {

std::string number(double v) {
  std::ostringstream s;
  s << v;
  return s.str();
}

std::string counted(int n, const char* noun) { return std::to_string(n) + " " + noun + (n == 1 ? "" : "s"); }

void checkWidths(const LoadedWorld& world, Diagnostics& diagnostics) {
  for (const PuzzleInfo& puzzle : world.puzzles) {
    if (puzzle.width <= 0) {
      diagnostics.warning(
          puzzle.file, 1,
          "puzzle width " + number(puzzle.width) + " is not positive: the next puzzle overlaps this one");
    }
  }
}

// A block or element should stand within its puzzle's 0..W and have a size.
void checkPlacement(const Sprite& sprite, const SourceLine& where, const PuzzleInfo& puzzle, Diagnostics& diagnostics) {
  if (sprite.getWidth() == 0 || sprite.getHeight() == 0) {
    diagnostics.warning(where.file, where.line, where.keyword + " has no width or no height");
  }
  if (puzzle.width <= 0) return;  // reported once for the whole puzzle
  double x = static_cast<double>(sprite.getPosition().x) - puzzle.offset;
  double left = x - sprite.getWidth() / 2.0;
  double right = x + sprite.getWidth() / 2.0;
  // The bridge before a puzzle ends 50 short of its x = 0: a floor may fill that gap.
  if (left < -50 || right > puzzle.width) {
    diagnostics.warning(where.file, where.line,
                        where.keyword + " spans x " + number(left) + " to " + number(right) +
                            ", beyond the puzzle's 0 to " + number(puzzle.width));
  }
}

void checkSteamjet(const PuzzleElement& element, const SourceLine& where, Diagnostics& diagnostics) {
  if (element.getType() != PuzzleElementType::Steamjet || element.isActive() || element.getController()) return;
  diagnostics.warning(where.file, where.line,
                      "STEAMJET starts off but no button or wheel switches it: it comes back on at once "
                      "unless something stands in its column");
}

// An id registered twice hides the earlier element from the buttons and
// wheels that name it.
void checkDuplicateIds(const LoadedWorld& world, Diagnostics& diagnostics) {
  std::map<int, std::map<int, std::vector<const SourceLine*>>> registered;  // puzzle -> id -> elements
  std::map<int, std::set<int>> targeted;                                    // puzzle -> target ids
  for (const SourceLine& where : world.elementSources) {
    if (where.id) registered[where.puzzle][*where.id].push_back(&where);
    if (where.targetId) targeted[where.puzzle].insert(*where.targetId);
  }
  for (const auto& [puzzle, ids] : registered) {
    for (const auto& [id, elements] : ids) {
      if (elements.size() < 2 || !targeted[puzzle].count(id)) continue;
      for (std::size_t i = 1; i < elements.size(); ++i) {
        diagnostics.warning(elements[i]->file, elements[i]->line,
                            elements[i]->keyword + " id " + std::to_string(id) +
                                " is registered again (first on line " + std::to_string(elements[0]->line) +
                                "): buttons and wheels after this line switch this element, not the earlier one");
      }
    }
  }
}

// Near a bound: the author hears of it before a few more lines are left out.
bool nearBound(int count, int bound) { return count * 4 > bound * 3; }

std::string nearMessage(int count, int bound, const std::string& what) {
  return std::to_string(count) + " " + what + ", near the bound of " + std::to_string(bound) +
         " past which the game leaves them out";
}

void checkBounds(const LoadedWorld& world, Diagnostics& diagnostics) {
  std::vector<int> perPuzzle(world.puzzles.size(), 0);
  int jets = 0;
  int boxes = 0;
  int all = 0;
  for (const SourceLine& where : world.blockSources) {
    if (where.line != 0) ++perPuzzle.at(static_cast<std::size_t>(where.puzzle));
    all += where.line != 0 ? 1 : 0;
  }
  for (const SourceLine& where : world.elementSources) {
    ++perPuzzle.at(static_cast<std::size_t>(where.puzzle));
    ++all;
    jets += where.keyword == "STEAMJET" ? 1 : 0;
    boxes += where.keyword == "MOVINGBOX" ? 1 : 0;
  }
  for (std::size_t i = 0; i < perPuzzle.size(); ++i) {
    if (!nearBound(perPuzzle[i], kMaxElementsPerPuzzle)) continue;
    diagnostics.warning(world.puzzles[i].file, 0,
                        nearMessage(perPuzzle[i], kMaxElementsPerPuzzle, "blocks and elements in this puzzle"));
  }
  if (nearBound(world.puzzleCount, kMaxPuzzles)) {
    diagnostics.warning(kPuzzleListFile, 0, nearMessage(world.puzzleCount, kMaxPuzzles, "puzzles"));
  }
  if (nearBound(all, kMaxWorldElements)) {
    diagnostics.warning(kPuzzleListFile, 0, nearMessage(all, kMaxWorldElements, "blocks and elements in the world"));
  }
  if (nearBound(jets, kMaxSteamjets)) {
    diagnostics.warning(kPuzzleListFile, 0, nearMessage(jets, kMaxSteamjets, "steam jets in the world"));
  }
  if (nearBound(boxes, kMaxMovingBoxes)) {
    diagnostics.warning(kPuzzleListFile, 0, nearMessage(boxes, kMaxMovingBoxes, "moving boxes in the world"));
  }
}

}  // namespace

void addAuthorWarnings(const LoadedWorld& world, Diagnostics& diagnostics) {
  checkWidths(world, diagnostics);
  for (std::size_t i = 0; i < world.mapElements.size() && i < world.blockSources.size(); ++i) {
    const SourceLine& where = world.blockSources[i];
    if (where.line == 0) continue;  // a bridge
    checkPlacement(*world.mapElements[i], where, world.puzzles.at(where.puzzle), diagnostics);
  }
  for (std::size_t i = 0; i < world.puzzleElements.size() && i < world.elementSources.size(); ++i) {
    const SourceLine& where = world.elementSources[i];
    checkPlacement(*world.puzzleElements[i], where, world.puzzles.at(where.puzzle), diagnostics);
    checkSteamjet(*world.puzzleElements[i], where, diagnostics);
  }
  checkDuplicateIds(world, diagnostics);
  checkBounds(world, diagnostics);
}

int checkPuzzles(const std::filesystem::path& dataDir, std::ostream& out) {
  Random random(1);
  Diagnostics diagnostics;
  LoadedWorld world = loadPuzzles(dataDir, random, diagnostics, nullptr);
  if (world.puzzleCount == 0) diagnostics.error(kPuzzleListFile, 0, "no puzzle could be loaded");
  addAuthorWarnings(world, diagnostics);
  int blocks = 0;
  for (const SourceLine& where : world.blockSources) blocks += where.line != 0 ? 1 : 0;
  const int warnings = diagnostics.count(Severity::Warning);
  const int errors = diagnostics.count(Severity::Error);
  diagnostics.flush(out);
  out << counted(world.puzzleCount, "puzzle") << ", " << counted(blocks, "block") << ", "
      << counted(static_cast<int>(world.puzzleElements.size()), "element") << ", " << counted(warnings, "warning")
      << ", " << counted(errors, "error") << '\n';
  return errors == 0 ? 0 : 1;
}

}  // namespace vw
