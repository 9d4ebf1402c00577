#include "platform/DesktopEvents.h"

#include <chrono>
#include <thread>

#include "app/Session.h"
#include "platform/DesktopInput.h"
#include "platform/DesktopWindow.h"
#include "gl/GlRenderContext.h"

namespace vw {

bool DesktopEvents::dispatchEvent() {
  SDL_Event e;
  if (!SDL_PollEvent(&e)) return false;
  switch (e.type) {
    case SDL_QUIT: quit_ = true; break;
    case SDL_WINDOWEVENT: handleWindow(e.window); break;
    case SDL_KEYDOWN: handleKey(e.key); break;
    case SDL_MOUSEMOTION: input_.mouseMoved(); break;
    case SDL_MOUSEWHEEL: input_.wheelMoved(e.wheel.y); break;
    case SDL_CONTROLLERDEVICEADDED: input_.controllers().add(e.cdevice.which); break;
    case SDL_CONTROLLERDEVICEREMOVED: input_.controllers().remove(e.cdevice.which); break;
    default: break;
  }
  return true;
}

void DesktopEvents::sleep(double seconds) {
  // Finer than SDL_Delay's whole milliseconds, so the loop need not spin the rest.
  if (seconds > 0) std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

void DesktopEvents::handleKey(const SDL_KeyboardEvent& key) {
  if (key.repeat) return;
  const SDL_Scancode sc = key.keysym.scancode;
  const bool enter = sc == SDL_SCANCODE_RETURN || sc == SDL_SCANCODE_KP_ENTER;
  if (sc == SDL_SCANCODE_F11 || (enter && (key.keysym.mod & KMOD_ALT))) {
    window_.toggleFullscreen();
  } else if (sc == SDL_SCANCODE_F1) {
    pauseForLostFocus();  // the box takes the focus until it is dismissed
    window_.showAbout();
  }
}

void DesktopEvents::handleWindow(const SDL_WindowEvent& event) {
  switch (event.event) {
    case SDL_WINDOWEVENT_FOCUS_LOST:
      input_.focusChanged(false);
      pauseForLostFocus();
      break;
    case SDL_WINDOWEVENT_FOCUS_GAINED: input_.focusChanged(true); break;
    case SDL_WINDOWEVENT_EXPOSED: context_.windowExposed(); break;
    case SDL_WINDOWEVENT_CLOSE: quit_ = true; break;
    default: break;
  }
}

void DesktopEvents::pauseForLostFocus() {
  if (!session_.scripted()) session_.game().onFocusLost();
}

}  // namespace vw
