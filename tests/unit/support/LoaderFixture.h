#pragma once
// Loads a data directory (a fixture of tests/data/loader or a temporary one)
// the way the game does, keeping the diagnostics and the debug lines.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "app/Random.h"
#include "support/TempDataDir.h"
#include "world/PuzzleLoader.h"

namespace vw::test {

inline std::filesystem::path fixture(const std::string& name) {
  return std::filesystem::path(VAPORWICK_TEST_DATA) / "loader" / name;
}

struct Loaded {
  Random random{5};
  Diagnostics diagnostics;
  std::ostringstream debug;
  LoadedWorld world;

  explicit Loaded(const std::filesystem::path& dataDir) { world = loadPuzzles(dataDir, random, diagnostics, &debug); }

  // The one diagnostic whose text contains `part`, failing unless there is exactly one.
  const Diagnostic* find(const std::string& part) const {
    const Diagnostic* found = nullptr;
    int n = 0;
    for (const Diagnostic& d : diagnostics.all()) {
      if (d.format().find(part) != std::string::npos) {
        found = &d;
        ++n;
      }
    }
    EXPECT_EQ(n, 1) << "diagnostics containing \"" << part << "\":\n" << all();
    return found;
  }
  std::string all() const {
    std::string text;
    for (const Diagnostic& d : diagnostics.all()) text += d.format() + "\n";
    return text;
  }
  template <typename T>
  T& element(std::size_t i) {
    return dynamic_cast<T&>(*world.puzzleElements.at(i));
  }
};

// Loads one puzzle file given as text, listed as "p.txt".
struct OnePuzzle : Loaded {
  static std::filesystem::path write(const TempDataDir& dir, const std::string& puzzle) {
    dir.list("p.txt\n|&");
    dir.write("p.txt", puzzle);
    return dir.path();
  }
  OnePuzzle(const TempDataDir& dir, const std::string& puzzle) : Loaded(write(dir, puzzle)) {}
};

}  // namespace vw::test
