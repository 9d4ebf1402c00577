// Benchmarks of the game's hot paths on the shipped campaign (the built data
// directory): one playing update and one drawn frame in the busiest steam-jet
// scene for each power, loading the whole strip, and the headless replay of
// the campaign walkthrough. Each per-update figure also reports the median
// of single updates (median_ms) besides Google Benchmark's mean.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <vector>

#include "JetScene.h"
#include "app/Random.h"
#include "app/Session.h"
#include "world/PuzzleLoader.h"

namespace vw::bench {

namespace {

using Clock = std::chrono::steady_clock;

const std::filesystem::path kCampaign = VAPORWICK_BUILT_DATA;

// The campaign, or the bench puzzle of jets side by side when the campaign has none.
const std::filesystem::path& sceneData() {
  static const std::filesystem::path chosen = [] {
    int jets = 0;
    NullRenderContext context;
    IdleInputDevices devices;
    Game game(context, devices, GameOptions{kCampaign, 1, nullptr});
    Diagnostics diagnostics;
    if (game.startUp(diagnostics)) busiestJetCameraX(game.puzzleElements, jets);
    return jets > 0 ? kCampaign : std::filesystem::path(VAPORWICK_JET_BENCH_DATA);
  }();
  return chosen;
}

// One warmed scene per power, shared by the update and render benchmarks.
JetScene& scene(Power power) {
  static std::map<Power, std::unique_ptr<JetScene>> scenes;
  auto& slot = scenes[power];
  if (!slot) {
    slot = std::make_unique<JetScene>(sceneData());
    slot->enter(power);
  }
  return *slot;
}

double medianMs(std::vector<double>& seconds) {
  if (seconds.empty()) return 0;
  auto middle = seconds.begin() + static_cast<std::ptrdiff_t>(seconds.size() / 2);
  std::nth_element(seconds.begin(), middle, seconds.end());
  return *middle * 1000.0;
}

void sceneCounters(benchmark::State& state, const JetScene& s, std::vector<double>& times) {
  state.counters["median_ms"] = medianMs(times);
  state.counters["jets"] = s.jetsInBand();
  state.counters["jets_in_view"] = s.jetsInView();
  state.counters["jet_particles"] = static_cast<double>(s.jetParticles());
  state.counters["spray_particles"] = static_cast<double>(s.playerParticles());
  state.counters["full"] = s.full() ? 1 : 0;
  state.counters["warm_updates"] = s.warmUpdates();
  state.SetLabel(sceneData() == kCampaign ? "campaign" : "bench puzzle (no jet in the campaign)");
}

// Times single calls of one step of the warmed scene (an update or a frame), one per iteration.
void sceneBench(benchmark::State& state, Power power, void (JetScene::*step)()) {
  JetScene& s = scene(power);
  if (!s.error().empty()) {
    state.SkipWithError(s.error().c_str());
    return;
  }
  std::vector<double> times;
  for (auto _ : state) {
    const auto start = Clock::now();
    (s.*step)();
    times.push_back(std::chrono::duration<double>(Clock::now() - start).count());
  }
  sceneCounters(state, s, times);
}

void updateGameBench(benchmark::State& state, Power power) { sceneBench(state, power, &JetScene::update); }

void renderFrameBench(benchmark::State& state, Power power) { sceneBench(state, power, &JetScene::render); }

void loadPuzzlesBench(benchmark::State& state) {
  std::size_t blocks = 0, elements = 0;
  int puzzles = 0;
  std::vector<double> times;
  for (auto _ : state) {
    const auto start = Clock::now();
    Random random(1);
    Diagnostics diagnostics;
    LoadedWorld world = loadPuzzles(kCampaign, random, diagnostics, nullptr);
    blocks = world.mapElements.size();
    elements = world.puzzleElements.size();
    puzzles = world.puzzleCount;
    benchmark::DoNotOptimize(world);
    times.push_back(std::chrono::duration<double>(Clock::now() - start).count());
  }
  state.counters["median_ms"] = medianMs(times);
  state.counters["puzzles"] = puzzles;
  state.counters["blocks"] = static_cast<double>(blocks);
  state.counters["elements"] = static_cast<double>(elements);
}

// The whole walkthrough as `vaporwick --headless --script` runs it: every
// update followed by the render pass against the no-op context. Start-up is
// not timed.
void headlessReplayBench(benchmark::State& state) {
  const std::filesystem::path script = VAPORWICK_WALKTHROUGH;
  if (!std::filesystem::exists(script)) {
    state.SkipWithError("no campaign walkthrough (tests/campaign/walkthroughs/campaign.txt)");
    return;
  }
  RunOptions options;
  options.dataDir = kCampaign;
  options.script = script;
  options.headless = true;
  std::uint64_t updates = 0;
  for (auto _ : state) {
    state.PauseTiming();
    NullRenderContext context;
    auto session = std::make_unique<Session>(options, context, nullptr);
    if (session->start() != 0) {
      state.SkipWithError("the walkthrough does not start");
      return;
    }
    state.ResumeTiming();
    while (!session->done()) {
      session->update(kDefaultStep);
      session->render();
    }
    updates += session->game().frame;
    state.PauseTiming();
    session.reset();
    state.ResumeTiming();
  }
  state.counters["updates_per_s"] = benchmark::Counter(static_cast<double>(updates), benchmark::Counter::kIsRate);
  state.counters["updates"] = static_cast<double>(updates / std::max<std::uint64_t>(1, state.iterations()));
}

const char* powerName(Power power) {
  switch (power) {
    case Power::Steam: return "Steam";
    case Power::Water: return "Water";
    case Power::Ice: return "Ice";
  }
  return "?";
}

int registerAll() {
  for (Power power : {Power::Water, Power::Steam, Power::Ice}) {
    benchmark::RegisterBenchmark((std::string("UpdateGame/") + powerName(power)).c_str(), updateGameBench, power)
        ->Unit(benchmark::kMillisecond)
        ->MinTime(1.0);
  }
  for (Power power : {Power::Water, Power::Steam, Power::Ice}) {
    benchmark::RegisterBenchmark((std::string("RenderFrame/") + powerName(power)).c_str(), renderFrameBench, power)
        ->Unit(benchmark::kMillisecond)
        ->MinTime(1.0);
  }
  benchmark::RegisterBenchmark("LoadPuzzles/campaign", loadPuzzlesBench)->Unit(benchmark::kMillisecond)->MinTime(1.0);
  benchmark::RegisterBenchmark("HeadlessReplay/walkthrough", headlessReplayBench)
      ->Unit(benchmark::kMillisecond)
      ->MinTime(2.0);
  return 0;
}

const int registered = registerAll();

}  // namespace

}  // namespace vw::bench

BENCHMARK_MAIN();
