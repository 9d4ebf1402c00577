#pragma once
// loadPuzzles builds the whole world strip from the puzzle list file and the
// puzzle files it names: puzzles side by side, joined by stone bridges,
// buttons and wheels linked to their targets, and the win line at the end.
#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "app/Diagnostics.h"
#include "app/RunFile.h"
#include "puzzle/PuzzleElement.h"
#include "render/Text.h"
#include "world/MapElement.h"

namespace vw {

class Random;

constexpr const char* kPuzzleListFile = "Settings/puzzleFileNames.txt";
// Steam column limit: a jet spawns areaHeight / 10 particles per update.
constexpr int kMaxSteamArea = 10000;
// What one world may hold, so that the heaviest one still updates within a
// frame (docs/performance.md has the figures). What lies past a bound is
// reported and left out.
constexpr int kMaxPuzzles = 100;              // entries of the puzzle list
constexpr int kMaxElementsPerPuzzle = 2000;   // blocks and elements of one puzzle file
constexpr int kMaxWorldElements = 20000;      // blocks and elements of all puzzles together
constexpr int kMaxSteamjets = 100;            // steam jets in the whole strip
constexpr int kMaxMovingBoxes = 100;          // moving boxes in the whole strip

// One puzzle of the strip.
struct PuzzleInfo {
  std::string file;  // as written in the list file
  float width = 0;   // W, the puzzle's own width
  float offset = 0;  // world x of the puzzle's x = 0
};

// Where a block or element of the world came from.
struct SourceLine {
  std::string file;
  int line = 0;                 // 0 for the bridges
  std::string keyword;          // "BLOCK", ..., or "bridge"
  int puzzle = 0;               // index into LoadedWorld::puzzles
  std::optional<int> id;        // the id it is registered under (switchable elements)
  std::optional<int> targetId;  // the id a button or wheel names
};

struct LoadedWorld {
  MapList mapElements;
  ElementList puzzleElements;
  float levelWidth = 0;  // added to the game's levelWidth
  Font winLine;
  int puzzleCount = 0;  // puzzles that could be read

  // For tools: the puzzles of the strip and, parallel to the two lists, the
  // file line of every block and element.
  std::vector<PuzzleInfo> puzzles;
  std::vector<SourceLine> blockSources;
  std::vector<SourceLine> elementSources;
};

// Reads the list file and every puzzle it names, relative to dataDir.
// Problems become diagnostics; debug receives the "Type: ..." lines.
LoadedWorld loadPuzzles(const std::filesystem::path& dataDir, Random& random, Diagnostics& diagnostics,
                        std::ostream* debug);

// The world of one puzzle alone, built from its text as if it were the only
// puzzle listed; `name` is the file named in the diagnostics.
LoadedWorld loadPuzzleText(const std::string& name, std::string text, Random& random, Diagnostics& diagnostics,
                           std::ostream* debug);

}  // namespace vw
