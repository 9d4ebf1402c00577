#pragma once
// The shipped campaign's puzzles, each set up to be played alone with the
// requirements beside its walkthrough.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "PuzzleRun.h"
#include "world/PuzzleSource.h"

namespace vw::test {

inline const std::filesystem::path kSourceData = VAPORWICK_SOURCE_DATA;
inline const std::filesystem::path kWalkthroughs = VAPORWICK_WALKTHROUGHS;

// The puzzle files of the shipped list, in play order ("Puzzles/NN-name.txt").
inline std::vector<std::string> shippedPuzzles() {
  Random scratch(1);
  Diagnostics ignored;
  std::vector<std::string> files;
  for (const PuzzleInfo& p : loadPuzzles(kSourceData, scratch, ignored, nullptr).puzzles) files.push_back(p.file);
  return files;
}

inline std::string stem(const std::string& puzzleFile) { return std::filesystem::path(puzzleFile).stem().string(); }

// The puzzle alone with its requirements; a failure is reported and leaves the setup empty.
inline PuzzleSetup shippedSetup(const std::string& puzzleFile, bool titleMenu) {
  PuzzleSetup setup;
  std::string error;
  std::optional<std::string> text = readPuzzleSource(kSourceData / puzzleFile, error);
  std::optional<Needs> needs = readNeeds(kWalkthroughs / (stem(puzzleFile) + ".needs"), error);
  if (!text || !needs) {
    ADD_FAILURE() << puzzleFile << ": " << error;
    return setup;
  }
  setup.dataDir = kSourceData;
  setup.puzzle = AlonePuzzle{puzzleFile, std::move(*text)};
  setup.needs = std::move(*needs);
  setup.last = puzzleFile == shippedPuzzles().back();
  setup.titleMenu = titleMenu;
  return setup;
}

inline std::string gtestName(const ::testing::TestParamInfo<std::string>& info) {
  std::string name = "P";
  for (char c : stem(info.param)) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
  return name;
}

}  // namespace vw::test
