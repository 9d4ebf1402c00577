#pragma once
// The game in a browser page: the canvas, the render context, the input,
// the sound and the session, driven by the page's animation frames with the
// desktop's rule of one update, then one drawn frame, with measured steps.
//
// A scripted run may be played faster for tests (?speed=N): N updates per
// animation frame, each followed by the render pass as usual, but only the
// last one drawn. When the script is over the game holds still, as a
// headless run ends there, so the state can be read as the script left it. The page reads the game back through the functions this object
// puts on `window` (see installPageFunctions).
#include <memory>
#include <string>

#include "app/FrameTimer.h"
#include "app/RunOptions.h"
#include "app/Session.h"
#include "gl/GlRenderContext.h"
#include "web/WebAudio.h"
#include "web/WebCanvas.h"
#include "web/WebInput.h"

namespace vw {

// The page's performance clock (milliseconds since the page began, fractional).
class PageClock final : public Clock {
 public:
  std::int64_t counter() override;
  std::int64_t frequency() override { return 1000000; }  // microseconds
  std::int64_t milliseconds() override;
};

class WebGame {
 public:
  // Builds everything and starts the session; null after printing why when it cannot run.
  static std::unique_ptr<WebGame> start(const RunOptions& options, int speed);

  // One animation frame: the updates it is owed, and one drawn frame.
  void animationFrame();
  // The state dump as JSON (the desktop's --dump-state).
  const std::string& stateDump();
  // How the run goes, as JSON: frames, script progress, timings, sound.
  const std::string& status();
  // Switches the page between fullscreen and the window.
  void toggleFullscreen();
  bool done() const { return session_->done(); }

 private:
  WebGame(const RunOptions& options, int speed) : options_(options), speed_(speed) {}
  // Makes window.vaporwickDump(), window.vaporwickStatus() and window.vaporwickFullscreen().
  void installPageFunctions();
  void startSound();
  // Updates owed this animation frame.
  int updatesDue() const;

  RunOptions options_;
  int speed_ = 1;
  std::unique_ptr<WebCanvas> canvas_;
  std::unique_ptr<GlRenderContext> context_;
  NullRenderContext skippedFrames_;  // the render pass of updates not drawn
  std::unique_ptr<WebInput> input_;
  std::unique_ptr<Session> session_;
  std::unique_ptr<WebAudio> audio_;
  PageClock clock_;
  std::unique_ptr<FrameTimer> timer_;
  std::uint64_t scriptUpdates_ = 0;  // 0 without a script
  std::string text_;                 // what the last page call returned
  // Timings in milliseconds since the page began, and the work of an animation frame.
  double firstFrameAt_ = -1;
  double workTotal_ = 0;
  double workWorst_ = 0;
  std::uint64_t workFrames_ = 0;
  std::uint64_t drawnFrames_ = 0;
};

}  // namespace vw
