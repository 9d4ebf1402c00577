#include "web/WebGame.h"

#include <emscripten.h>
#include <emscripten/html5.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iostream>

#include "app/StateDump.h"
#include "render/RenderPass.h"
#include "web/PageProgress.h"

namespace vw {

namespace {

constexpr const char* kCanvas = "#canvas";
constexpr const char* kStage = "#stage";  // the canvas's box, what goes fullscreen
constexpr const char* kShaderFile = "Shaders/sprite.glsl";

}  // namespace

std::int64_t PageClock::counter() { return static_cast<std::int64_t>(emscripten_get_now() * 1000.0); }

std::int64_t PageClock::milliseconds() { return static_cast<std::int64_t>(emscripten_get_now()); }

std::unique_ptr<WebGame> WebGame::start(const RunOptions& options, int speed) {
  std::unique_ptr<WebGame> game(new WebGame(options, speed));
  std::string error;
  game->canvas_ = WebCanvas::open(kCanvas, error);
  if (game->canvas_) game->context_ = GlRenderContext::create(*game->canvas_, options.dataDir / kShaderFile, error);
  if (!game->context_) {
    std::cerr << "vaporwick: " << error << '\n';
    return nullptr;
  }
  game->input_ = std::make_unique<WebInput>(*game->canvas_);
  game->session_ = std::make_unique<Session>(options, *game->context_, game->input_.get());
  game->session_->setDefaultProgressStore(std::make_unique<PageProgress>());
  if (game->session_->start() != 0) return nullptr;
  if (!options.script.empty()) {
    std::string ignored;
    if (auto script = readInputScript(options.script, ignored)) game->scriptUpdates_ = script->totalUpdates();
  }
  WebGame* self = game.get();
  game->input_->setFirstGesture([self] { self->startSound(); });
  game->input_->setFullscreenToggle([self] { self->toggleFullscreen(); });
  game->session_->setUpdateListener([self](const Game& g) {
    if (self->audio_) self->audio_->afterUpdate(g);
  });
  game->skippedFrames_.viewProj = game->context_->viewProj;
  game->timer_ = std::make_unique<FrameTimer>(game->clock_);
  game->timer_->tick();  // the first update measures from here
  game->installPageFunctions();
  return game;
}

int WebGame::updatesDue() const {
  if (!session_->scripted()) return 1;
  const std::uint64_t left = scriptUpdates_ - std::min(scriptUpdates_, session_->game().frame);
  return static_cast<int>(std::min<std::uint64_t>(static_cast<std::uint64_t>(speed_), left));
}

void WebGame::animationFrame() {
  const double began = emscripten_get_now();
  canvas_->fitToPage();
  const int updates = updatesDue();
  // A script that has ended holds the game as it left it (drawing would
  // step the animations on).
  if (updates == 0) return;
  for (int n = 1; n <= updates && !session_->done(); ++n) {
    timer_->tick();
    session_->update(timer_->getDeltaTime());
    // Escape on the title menu quits the desktop game; a page cannot close itself.
    session_->game().quitRequested = false;
    if (n < updates) renderFrame(session_->game(), skippedFrames_);
  }
  session_->render();
  ++drawnFrames_;
  const double ended = emscripten_get_now();
  if (firstFrameAt_ < 0) firstFrameAt_ = ended;
  if (updates == 1) {
    workTotal_ += ended - began;
    workWorst_ = std::max(workWorst_, ended - began);
    ++workFrames_;
  }
}

void WebGame::startSound() {
  if (!audio_) audio_ = std::make_unique<WebAudio>(options_.mute);
}

void WebGame::toggleFullscreen() {
  EmscriptenFullscreenChangeEvent state;
  if (emscripten_get_fullscreen_status(&state) == EMSCRIPTEN_RESULT_SUCCESS && state.isFullscreen) {
    emscripten_exit_fullscreen();
  } else {
    emscripten_request_fullscreen(kStage, EM_TRUE);
  }
}

const std::string& WebGame::stateDump() {
  text_ = stateDumpJson(session_->game());
  return text_;
}

const std::string& WebGame::status() {
  const Game& game = session_->game();
  const double winX = game.sharedText.lines.empty() ? 0.0 : static_cast<double>(game.sharedText.lines.back().x);
  char buffer[512];
  std::snprintf(buffer, sizeof buffer,
                "{\"frame\":%llu,\"scriptUpdates\":%llu,\"scriptFinished\":%s,\"winX\":%.3f,"
                "\"firstFrameMs\":%.1f,\"drawnFrames\":%llu,\"frameWorkMs\":%.3f,\"worstFrameWorkMs\":%.3f,"
                "\"sound\":%s}",
                static_cast<unsigned long long>(game.frame), static_cast<unsigned long long>(scriptUpdates_),
                session_->scripted() && game.frame >= scriptUpdates_ ? "true" : "false", winX, firstFrameAt_,
                static_cast<unsigned long long>(drawnFrames_), workFrames_ ? workTotal_ / workFrames_ : 0.0,
                workWorst_, audio_ && audio_->playing() ? "true" : "false");
  text_ = buffer;
  return text_;
}

}  // namespace vw
