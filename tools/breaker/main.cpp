// vaporwick_breaker: tries to pass a puzzle played alone without what its
// requirements file says a fair pass must use. Prints a break as an input
// script that replays it and exits 1; with none found, prints what it
// explored and exits 0. Bad arguments or files exit 2.
#include <charconv>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "Breaker.h"
#include "world/PuzzleSource.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kUsage =
    "usage: vaporwick_breaker --needs FILE [--data DIR] [--seed N] [--budget UPDATES | --forever]\n"
    "                         [--last | --not-last] PUZZLE\n"
    "  PUZZLE          the puzzle file, relative to DIR or as given\n"
    "  --needs FILE    what a fair pass must use (the .needs file beside its walkthrough)\n"
    "  --data DIR      pictures and Settings/ (default: the data built beside the game)\n"
    "  --seed N        the search's and the game's seed (default 1)\n"
    "  --budget N      game updates to run at most (default 200000)\n"
    "  --forever       search until a break is found (or the process is stopped)\n"
    "  --last          the goal is \"You Win!!\" (the last puzzle of its list), not the right edge;\n"
    "  --not-last      by default the puzzle list of DIR decides\n";

struct Arguments {
  fs::path puzzle;
  fs::path needs;
  fs::path data = VAPORWICK_BUILT_DATA;
  std::uint32_t seed = 1;
  std::uint64_t budget = 200000;
  std::optional<bool> last;
};

template <typename T>
bool number(const std::string& text, T& out) {
  const char* end = text.data() + text.size();
  auto result = std::from_chars(text.data(), end, out);
  return !text.empty() && result.ec == std::errc() && result.ptr == end;
}

std::optional<Arguments> parse(const std::vector<std::string>& args, std::string& error) {
  Arguments a;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool hasValue = i + 1 < args.size();
    auto value = [&]() -> const std::string& { return args[++i]; };
    if (arg == "--needs" && hasValue) {
      a.needs = value();
    } else if (arg == "--data" && hasValue) {
      a.data = value();
    } else if (arg == "--seed" && hasValue) {
      if (!number(value(), a.seed)) error = "--seed takes a whole number";
    } else if (arg == "--budget" && hasValue) {
      if (!number(value(), a.budget) || a.budget == 0) error = "--budget takes a positive number of updates";
    } else if (arg == "--forever") {
      a.budget = 0;
    } else if (arg == "--last" || arg == "--not-last") {
      a.last = arg == "--last";
    } else if (!arg.empty() && arg[0] != '-' && a.puzzle.empty()) {
      a.puzzle = arg;
    } else {
      error = "unexpected argument '" + arg + "'";
    }
    if (!error.empty()) return std::nullopt;
  }
  if (a.puzzle.empty() || a.needs.empty()) {
    error = "a puzzle file and --needs are required";
    return std::nullopt;
  }
  return a;
}

// Whether the puzzle is the last of the data directory's list.
bool isLastListed(const fs::path& data, const fs::path& puzzle) {
  vw::Random scratch(1);
  vw::Diagnostics ignored;
  vw::LoadedWorld world = vw::loadPuzzles(data, scratch, ignored, nullptr);
  if (world.puzzles.empty()) return false;
  std::string last = world.puzzles.back().file;
  for (char& c : last) c = c == '\\' ? '/' : c;
  std::error_code ec;
  return fs::equivalent(data / last, puzzle, ec);
}

}  // namespace

int main(int argc, char** argv) {
  std::string error;
  std::optional<Arguments> args = parse(std::vector<std::string>(argv + 1, argv + argc), error);
  if (!args) {
    std::cerr << "vaporwick_breaker: " << error << "\n" << kUsage;
    return 2;
  }
  std::error_code ec;
  fs::path puzzle = args->puzzle;
  if (puzzle.is_relative() && fs::exists(args->data / puzzle, ec)) puzzle = args->data / puzzle;
  std::optional<std::string> text = vw::readPuzzleSource(puzzle, error);
  if (!text) {
    std::cerr << puzzle.string() << ": cannot read the puzzle: " << error << "\n";
    return 2;
  }
  std::optional<vw::Needs> needs = vw::readNeeds(args->needs, error);
  if (!needs) {
    std::cerr << error << "\n";
    return 2;
  }
  vw::PuzzleSetup setup{args->data, vw::AlonePuzzle{puzzle.string(), std::move(*text)}, std::move(*needs), args->seed,
                        args->last.value_or(isLastListed(args->data, puzzle))};
  vw::BreakerOptions options;
  options.budget = args->budget;
  options.seed = args->seed;
  if (args->budget == 0) options.progress = &std::cerr;
  std::optional<vw::BreakerResult> result = vw::findBreak(setup, options, error);
  if (!result) {
    std::cerr << error << (error.empty() || error.back() == '\n' ? "" : "\n");
    return 2;
  }
  const double seconds = result->seconds > 0 ? result->seconds : 1e-9;
  std::cerr << puzzle.string() << ": " << result->states << " states explored, " << result->updates << " updates in "
            << seconds << " s (" << static_cast<long long>(result->states / seconds) << " states/s, "
            << static_cast<long long>(result->updates / seconds) << " updates/s), " << result->fairPasses
            << " fair passes; furthest x " << result->furthest << " of " << result->goal << "\n";
  if (!result->broken) {
    std::cerr << puzzle.string() << ": no break found\n";
    return 0;
  }
  std::string unmet;
  for (const std::string& need : result->unmet) unmet += (unmet.empty() ? "" : ", ") + need;
  std::cerr << puzzle.string() << ": BREAK: passed without " << unmet << "\n";
  std::cout << "# A pass of " << puzzle.string() << " without " << unmet << ". Replay it with\n"
            << "#   vaporwick --headless --data " << args->data.string() << " --puzzle " << puzzle.string()
            << " --script THIS_FILE\n"
            << result->script;
  return 1;
}
