// Feeds arbitrary bytes to the puzzle loader as a puzzle list and up to four
// puzzle files, then checks that the world it built is sound.
//
// The input is split at NUL bytes: the first part is the list file, the next
// parts are the files P0.txt, P1.txt, P2.txt and P3.txt beside it (a part
// that is absent leaves its file missing). They are written into a temporary
// data directory of this process, so the loader reads them exactly as the
// game does.
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "app/Random.h"
#include "puzzle/Steamjet.h"
#include "world/PuzzleChecker.h"
#include "world/PuzzleLoader.h"

namespace {

constexpr int kPuzzleFiles = 4;
constexpr int kSteamUpdates = 6;
constexpr float kDt = 1.0f / 60.0f;

std::filesystem::path dataDir;

void removeDataDir() {
  std::error_code ec;
  std::filesystem::remove_all(dataDir, ec);
}

void writeFile(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::string_view> splitAtNul(std::string_view input) {
  std::vector<std::string_view> parts;
  while (static_cast<int>(parts.size()) < kPuzzleFiles) {
    std::size_t nul = input.find('\0');
    if (nul == std::string_view::npos) break;
    parts.push_back(input.substr(0, nul));
    input.remove_prefix(nul + 1);
  }
  parts.push_back(input);
  return parts;
}

[[noreturn]] void fail(const char* what) {
  std::fprintf(stderr, "unsound world: %s\n", what);
  std::abort();
}

bool finite(vw::Vec3 p) { return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z); }

bool finite(const vw::Bounds& b) {
  return std::isfinite(b.left) && std::isfinite(b.right) && std::isfinite(b.top) && std::isfinite(b.bottom);
}

void checkSprite(vw::Sprite& sprite) {
  if (!finite(sprite.getPosition())) fail("a position is not finite");
  if (!finite(sprite.updateBounds())) fail("bounds are not finite");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  char pattern[] = "/tmp/vaporwick-fuzz-XXXXXX";
  if (!mkdtemp(pattern)) {
    std::perror("mkdtemp");
    std::abort();
  }
  dataDir = pattern;
  std::filesystem::create_directories(dataDir / "Settings");
  std::atexit(removeDataDir);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string_view> parts = splitAtNul(std::string_view(reinterpret_cast<const char*>(data), size));
  writeFile(dataDir / vw::kPuzzleListFile, parts[0]);
  for (int i = 0; i < kPuzzleFiles; ++i) {
    std::filesystem::path file = dataDir / ("P" + std::to_string(i) + ".txt");
    if (static_cast<std::size_t>(i + 1) < parts.size()) {
      writeFile(file, parts[i + 1]);
    } else {
      std::error_code ec;
      std::filesystem::remove(file, ec);
    }
  }

  vw::Random random(1);
  vw::Diagnostics diagnostics;
  std::ostringstream debug;
  vw::LoadedWorld world = vw::loadPuzzles(dataDir, random, diagnostics, &debug);
  vw::addAuthorWarnings(world, diagnostics);
  std::ostringstream report;
  diagnostics.flush(report);

  if (!std::isfinite(world.levelWidth)) fail("levelWidth is not finite");
  if (world.blockSources.size() != world.mapElements.size()) fail("block sources do not match the blocks");
  if (world.elementSources.size() != world.puzzleElements.size()) fail("element sources do not match the elements");
  for (auto& block : world.mapElements) checkSprite(*block);
  // A few updates of every element, as the game runs them near the camera
  // (steam for a few jets only: a full column is thousands of particles).
  int steamUpdates = 0;
  for (int step = 0; step < 3; ++step) {
    for (auto& element : world.puzzleElements) {
      if (element->getType() == vw::PuzzleElementType::Steamjet) {
        if (steamUpdates++ < kSteamUpdates) static_cast<vw::Steamjet&>(*element).updateEmitter(kDt, true);
      } else {
        element->update(kDt);
      }
      element->toggleTarget();
    }
  }
  for (auto& element : world.puzzleElements) checkSprite(*element);
  return 0;
}
