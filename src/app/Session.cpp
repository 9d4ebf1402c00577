#include "app/Session.h"

#include <ctime>
#include <iostream>

#include "app/AtomicFile.h"
#include "app/StateDump.h"
#include "render/RenderPass.h"
#include "world/PuzzleSource.h"

namespace vw {

namespace {

bool writeFile(const std::filesystem::path& path, const std::string& text) {
  std::string reason;
  if (!writeAtomically(path, text, reason)) {
    std::cerr << path.string() << ": cannot write the file (" << reason << ")\n";
    return false;
  }
  return true;
}

}  // namespace

Session::Session(const RunOptions& options, RenderContext& context, InputDevices* deviceInput)
    : options_(options), context_(context), deviceInput_(deviceInput) {}

Session::~Session() = default;

int Session::start() {
  std::optional<std::uint32_t> seed = options_.seed;
  if (!options_.script.empty()) {
    std::string error;
    std::optional<InputScript> script = readInputScript(options_.script, error);
    if (!script) {
      std::cerr << error << '\n';
      return 2;
    }
    if (!seed) seed = script->seed;
    script_ = std::make_unique<ScriptInputDevices>(std::move(*script));
  }
  std::error_code ec;
  if (!std::filesystem::is_directory(options_.dataDir / "Settings", ec)) {
    std::cerr << options_.dataDir.string() << ": no Settings/ folder in the data directory (use --data DIR)\n";
    return 1;
  }
  seed_ = seed ? *seed : static_cast<std::uint32_t>(std::time(nullptr));
  InputDevices* devices = script_ ? script_.get() : deviceInput_ ? deviceInput_ : &idle_;
  const bool reproducible = options_.headless || script_ || options_.noSave || !options_.puzzle.empty();
  if (!options_.progress.empty()) {
    progress_ = std::make_unique<ProgressFile>(options_.progress);
  } else if (!reproducible && defaultProgress_) {
    progress_ = std::move(defaultProgress_);
  } else if (!reproducible && !defaultProgressPath().empty()) {
    progress_ = std::make_unique<ProgressFile>(defaultProgressPath());
  }
  GameOptions gameOptions{options_.dataDir, seed_, options_.verbose ? &std::cerr : nullptr, progress_.get()};
  std::optional<AlonePuzzle> alone;
  if (!options_.puzzle.empty()) {
    std::string problem;
    std::optional<std::string> text = readPuzzleSource(options_.puzzle, problem);
    if (!text) {
      std::cerr << options_.puzzle.string() << ": cannot read the puzzle: " << problem << '\n';
      return 1;
    }
    alone = AlonePuzzle{options_.puzzle.string(), std::move(*text)};
  }
  game_ = std::make_unique<Game>(context_, *devices, gameOptions, std::move(alone));
  if (!options_.record.empty()) recorder_ = std::make_unique<InputRecorder>(seed_);
  Diagnostics diagnostics;
  bool started = game_->startUp(diagnostics);
  diagnostics.flush(std::cerr);
  return started ? 0 : 1;
}

void Session::update(float measuredDt) {
  float dt = measuredDt;
  if (script_) {
    script_->advance();
    dt = script_->dt();
  } else if (options_.headless) {
    dt = kDefaultStep;
  }
  game_->framesPerSecond = 1.0f / dt;
  game_->updateGame(dt);
  if (recorder_) recorder_->record(game_->input, dt);
  if (!game_->diagnostics.empty()) game_->diagnostics.flush(std::cerr);
  if (updateListener_) updateListener_(*game_);
}

void Session::render() {
  renderFrame(*game_, context_);
  if (presented_) return;
  presented_ = true;
  if (options_.verbose) {
    const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - options_.startedAt;
    std::cerr << "vaporwick: first frame presented " << elapsed.count() << " ms after start\n";
  }
  // The title menu is up: the pictures decoded meanwhile can go in now.
  game_->textures.finishLoading(game_->diagnostics);
  game_->diagnostics.flush(std::cerr);
}

bool Session::done() const {
  if (options_.frames && game_->frame >= *options_.frames) return true;
  if (game_->quitRequested) return true;
  return options_.headless && !options_.frames && script_ && script_->finished();
}

int Session::finish() {
  if (game_) {
    game_->textures.finishLoading(game_->diagnostics);
    game_->diagnostics.flush(std::cerr);
  }
  int status = 0;
  if (!options_.dumpState.empty() && game_ && !writeFile(options_.dumpState, stateDumpJson(*game_))) status = 1;
  if (recorder_ && !writeFile(options_.record, recorder_->text())) status = 1;
  return status;
}

}  // namespace vw
