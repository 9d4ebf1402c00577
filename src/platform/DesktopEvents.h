#pragma once
// The desktop's event queue for the frame loop: closing the window, focus,
// the About box (F1), fullscreen (F11, Alt+Enter), the mouse wheel and
// motion, and controllers coming and going.
#include <SDL.h>

#include "app/FrameLoop.h"

namespace vw {

class DesktopInput;
class DesktopWindow;
class GlRenderContext;
class Session;

class DesktopEvents final : public LoopPlatform {
 public:
  DesktopEvents(DesktopWindow& window, GlRenderContext& context, DesktopInput& input, Session& session)
      : window_(window), context_(context), input_(input), session_(session) {}

  bool dispatchEvent() override;
  bool quitRequested() const override { return quit_; }
  // Sleeps the whole milliseconds of seconds.
  void sleep(double seconds) override;

 private:
  void handleKey(const SDL_KeyboardEvent& key);
  void handleWindow(const SDL_WindowEvent& event);
  // A scripted run plays its input whatever the window does.
  void pauseForLostFocus();

  DesktopWindow& window_;
  GlRenderContext& context_;
  DesktopInput& input_;
  Session& session_;
  bool quit_ = false;
};

}  // namespace vw
