// The heaviest world the loader lets through: every puzzle at its bound of
// blocks and elements, the first one also holding every moving box and
// steam jet the world may have, all of them where the player starts. One
// playing update there must stay within the 1/60 s frame.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/Game.h"
#include "app/Session.h"
#include "world/PuzzleLoader.h"

namespace vw::bench {

namespace {

namespace fs = std::filesystem;

// One puzzle at the element bound; with the boxes and jets when `crowded`.
std::string heavyPuzzle(bool crowded) {
  std::string text = "2000\n";
  int elements = 0;
  auto add = [&](const std::string& line) {
    text += "|" + line + "\n";
    ++elements;
  };
  if (crowded) {
    for (int i = 0; i < kMaxSteamjets; ++i) {
      add("STEAMJET|" + std::to_string(i) + "|" + std::to_string(100 + i * 8) + "|100|10|50|" +
          std::to_string(kMaxSteamArea) + "|200|1");
    }
    for (int i = 0; i < kMaxMovingBoxes; ++i) {
      add("MOVINGBOX|" + std::to_string(1000 + i) + "|" + std::to_string(100 + i * 8) + "|150|50|50");
    }
  }
  for (int i = 0; elements < kMaxElementsPerPuzzle; ++i) {
    add("BLOCK|" + std::to_string(i % 2000) + "|" + std::to_string(-50 - (i / 2000) * 100) + "|100|100");
  }
  return text + "|&";
}

// A data directory of `puzzles` heavy puzzles, removed with the object.
class HeavyData {
 public:
  explicit HeavyData(int puzzles) {
    dir_ = fs::temp_directory_path() / ("vaporwick-heavy-" + std::to_string(getpid()) + "-" + std::to_string(puzzles));
    fs::create_directories(dir_ / "Settings");
    fs::create_directories(dir_ / "Puzzles");
    std::string list;
    for (int i = 0; i < puzzles; ++i) {
      const std::string name = "Puzzles/p" + std::to_string(i) + ".txt";
      std::ofstream(dir_ / name, std::ios::binary) << heavyPuzzle(i == 0);
      list += name + "\n|";
    }
    std::ofstream(dir_ / "Settings/puzzleFileNames.txt", std::ios::binary) << list << "&";
    std::ofstream(dir_ / "Settings/textureData.txt", std::ios::binary) << "&";
  }
  ~HeavyData() {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }
  const fs::path& path() const { return dir_; }

 private:
  fs::path dir_;
};

void heavyUpdateBench(benchmark::State& state) {
  const int puzzles = static_cast<int>(state.range(0));
  HeavyData data(puzzles);
  NullRenderContext context;
  IdleInputDevices devices;
  Game game(context, devices, GameOptions{data.path(), 1, nullptr});
  Diagnostics diagnostics;
  if (!game.startUp(diagnostics)) {
    state.SkipWithError("the heavy world does not load");
    return;
  }
  game.gameState = GameState::Playing;
  // Until the steam of every jet has filled up to its bound.
  for (int i = 0; i < 240; ++i) game.updateGame(kDefaultStep);
  std::vector<double> times;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    game.updateGame(kDefaultStep);
    times.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(times.begin(), times.end());
  state.counters["median_ms"] = times.empty() ? 0 : times[times.size() / 2] * 1000;
  state.counters["blocks"] = static_cast<double>(game.mapElements.size());
  state.counters["elements"] = static_cast<double>(game.puzzleElements.size());
  state.counters["steam"] = static_cast<double>(game.steamParticles());
}

}  // namespace

BENCHMARK(heavyUpdateBench)->Arg(1)->Arg(10)->Arg(kMaxPuzzles)->Unit(benchmark::kMillisecond)->MinTime(0.5);

}  // namespace vw::bench
