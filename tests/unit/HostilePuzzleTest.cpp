// Puzzle lists and puzzles a careless or hostile data pack could hold: past
// every bound, or long after their '&'. Each is reported where it stands and
// the rest still loads. (Entries outside the data directory and CR line
// ends: PuzzleLoaderTest.)
#include <gtest/gtest.h>

#include "support/LoaderFixture.h"
#include "world/PuzzleChecker.h"

namespace vw {
namespace {

using test::Loaded;
using test::OnePuzzle;
using test::TempDataDir;

std::string lines(const std::string& element, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += "|" + element + "\n";
  return text;
}

TEST(HostilePuzzle, ElementsPastABoundAreReportedAtTheirLineAndLeftOut) {
  struct Case {
    std::string elements;
    std::size_t blocks, others;
    std::string message;  // with its FILE:LINE
  };
  const std::string block = "BLOCK|0|0|10|10";
  const std::string jet = "STEAMJET|1|0|0|10|10|100|10|1";
  const std::string box = "MOVINGBOX|1|0|0|10|10";
  const Case cases[] = {
      {lines(block, kMaxElementsPerPuzzle + 3), kMaxElementsPerPuzzle, 0,
       "p.txt:" + std::to_string(kMaxElementsPerPuzzle + 2) + ": error: past the bound of " +
           std::to_string(kMaxElementsPerPuzzle) + " blocks and elements per puzzle: this element and the 2 after it"},
      {lines(jet, kMaxSteamjets + 1), 0, kMaxSteamjets,
       "p.txt:" + std::to_string(kMaxSteamjets + 2) + ": error: past the bound of " + std::to_string(kMaxSteamjets) +
           " steam jets in the world: this element is left out"},
      {lines(box, kMaxMovingBoxes + 1) + lines(block, 1), 1, kMaxMovingBoxes,
       "p.txt:" + std::to_string(kMaxMovingBoxes + 2) + ": error: past the bound of " +
           std::to_string(kMaxMovingBoxes) + " moving boxes in the world"},
  };
  for (const Case& c : cases) {
    TempDataDir dir;
    OnePuzzle l(dir, "1000\n" + c.elements + "|&");
    EXPECT_EQ(l.world.mapElements.size(), c.blocks);
    EXPECT_EQ(l.world.puzzleElements.size(), c.others);
    EXPECT_NE(l.find(c.message), nullptr);
  }
}

TEST(HostilePuzzle, TheWorldBoundSpansPuzzlesAndTheListBoundCountsEntries) {
  TempDataDir dir;
  const int perFile = kMaxElementsPerPuzzle;
  const int files = kMaxWorldElements / perFile + 1;
  std::string list;
  for (int i = 0; i < files; ++i) list += "p.txt\n|";
  dir.list(list + "&");
  dir.write("p.txt", "1000\n" + lines("BLOCK|0|0|10|10", perFile) + "|&");
  Loaded l(dir.path());
  EXPECT_EQ(l.world.puzzleCount, files);  // the last one is there, empty
  EXPECT_EQ(l.world.mapElements.size(), static_cast<std::size_t>(kMaxWorldElements + 4 * (files - 1)));
  EXPECT_NE(l.find("blocks and elements in the world"), nullptr);

  TempDataDir many;
  list.clear();
  for (int i = 0; i < kMaxPuzzles + 5; ++i) list += "p.txt\n|";
  many.list(list + "&");
  many.write("p.txt", "1000|&");
  Loaded m(many.path());
  EXPECT_EQ(m.world.puzzleCount, kMaxPuzzles);
  EXPECT_NE(m.find("puzzleFileNames.txt:" + std::to_string(kMaxPuzzles + 1) +
                   ": error: the list names more than " + std::to_string(kMaxPuzzles) +
                   " puzzles; the 5 from this line on are left out"),
            nullptr);
}

TEST(HostilePuzzle, WhatFollowsTheAmpersandIsNeverRead) {
  TempDataDir dir;
  // A puzzle well past the bound in size, all of it after the '&'.
  OnePuzzle l(dir, "1000\n|BLOCK|0|0|10|10\n|&" + std::string(kMaxPuzzleFileBytes + 10, '\xff'));
  EXPECT_TRUE(l.diagnostics.empty()) << l.all();
  EXPECT_EQ(l.world.mapElements.size(), 1u);
}

TEST(HostilePuzzle, TheCheckerWarnsNearABound) {
  TempDataDir dir;
  OnePuzzle l(dir, "1000\n" + lines("BLOCK|500|0|10|10", kMaxElementsPerPuzzle * 9 / 10) +
                       lines("STEAMJET|1|500|0|10|10|100|10|1", kMaxSteamjets * 9 / 10) + "|&");
  Diagnostics warnings;
  addAuthorWarnings(l.world, warnings);
  int near = 0;
  for (const Diagnostic& d : warnings.all()) near += d.message.find("near the bound") != std::string::npos;
  EXPECT_EQ(near, 2);  // blocks and elements of the puzzle, steam jets of the world
}

}  // namespace
}  // namespace vw
