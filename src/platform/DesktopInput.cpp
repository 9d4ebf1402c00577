#include "platform/DesktopInput.h"

#include <SDL.h>

#include "platform/DesktopWindow.h"
#include "platform/ScanCodes.h"
#include "render/RenderContext.h"

namespace vw {

namespace {

constexpr std::uint8_t kDown = 0x80;

}  // namespace

PollResult DesktopInput::pollKeyboard(KeyArray& keys) {
  if (!acquired_) return PollResult::Lost;
  pad_ = controllers_.empty() ? ControllerInput{} : mapController(controllers_.state());
  keys = pad_.keys;
  int count = 0;
  const Uint8* state = SDL_GetKeyboardState(&count);
  for (int sc = 0; sc < count; ++sc) {
    if (!state[sc]) continue;
    if (int code = set1CodeForScancode(sc)) keys[static_cast<std::size_t>(code)] = kDown;
  }
  return PollResult::Ok;
}

PollResult DesktopInput::pollMouse(MouseState& mouse) {
  if (!acquired_) return PollResult::Lost;
  Uint32 buttons = SDL_GetRelativeMouseState(&mouse.x, &mouse.y);
  mouse.wheel = wheel_;
  wheel_ = 0;
  mouse.buttons = {};
  if ((buttons & SDL_BUTTON_LMASK) || pad_.leftButton) mouse.buttons[0] = kDown;
  if (buttons & SDL_BUTTON_RMASK) mouse.buttons[1] = kDown;
  if (buttons & SDL_BUTTON_MMASK) mouse.buttons[2] = kDown;
  if (pad_.aim) stickAim_ = pad_.aim;
  return PollResult::Ok;
}

void DesktopInput::acquire() {
  if (focused_) acquired_ = true;
}

void DesktopInput::focusChanged(bool focused) {
  focused_ = focused;
  if (!focused) acquired_ = false;
}

Vec2 DesktopInput::cursorPosition() const {
  if (stickAim_ && playerOnScreen_) return stickAimCursor(playerOnScreen_(), *stickAim_);
  int x = 0, y = 0;
  SDL_GetMouseState(&x, &y);
  return windowToBackBuffer(Vec2(static_cast<float>(x), static_cast<float>(y)), window_.size());
}

Vec2 DesktopInput::clientSize() const { return Vec2(kScreenWidth, kScreenHeight); }

}  // namespace vw
