#include "web/WebInput.h"

#include "gl/Letterbox.h"
#include "render/RenderContext.h"
#include "web/WebCanvas.h"
#include "web/WebKeyCodes.h"

namespace vw {

namespace {

constexpr std::uint8_t kDown = 0x80;
constexpr int kF11 = 87;
const char* const kWindow = EMSCRIPTEN_EVENT_TARGET_WINDOW;

}  // namespace

WebInput::WebInput(const WebCanvas& canvas) : canvas_(canvas) {
  emscripten_set_keydown_callback(kWindow, this, EM_TRUE, &WebInput::onKey);
  emscripten_set_keyup_callback(kWindow, this, EM_TRUE, &WebInput::onKey);
  emscripten_set_mousedown_callback(canvas.selector(), this, EM_TRUE, &WebInput::onMouse);
  emscripten_set_mousemove_callback(canvas.selector(), this, EM_TRUE, &WebInput::onMouse);
  emscripten_set_mouseup_callback(kWindow, this, EM_TRUE, &WebInput::onMouse);
  emscripten_set_blur_callback(kWindow, this, EM_TRUE, &WebInput::onFocus);
  emscripten_set_focus_callback(kWindow, this, EM_TRUE, &WebInput::onFocus);
}

WebInput::~WebInput() {
  emscripten_set_keydown_callback(kWindow, nullptr, EM_TRUE, nullptr);
  emscripten_set_keyup_callback(kWindow, nullptr, EM_TRUE, nullptr);
  emscripten_set_mousedown_callback(canvas_.selector(), nullptr, EM_TRUE, nullptr);
  emscripten_set_mousemove_callback(canvas_.selector(), nullptr, EM_TRUE, nullptr);
  emscripten_set_mouseup_callback(kWindow, nullptr, EM_TRUE, nullptr);
  emscripten_set_blur_callback(kWindow, nullptr, EM_TRUE, nullptr);
  emscripten_set_focus_callback(kWindow, nullptr, EM_TRUE, nullptr);
}

EM_BOOL WebInput::onKey(int type, const EmscriptenKeyboardEvent* event, void* self) {
  auto& input = *static_cast<WebInput*>(self);
  // Browser shortcuts (reload, close, copy) stay the browser's.
  if (event->ctrlKey || event->altKey || event->metaKey) return EM_FALSE;
  const int code = set1CodeForKeyCode(event->code);
  if (code == 0) return EM_FALSE;
  const bool pressed = type == EMSCRIPTEN_EVENT_KEYDOWN;
  if (code == kF11) {
    if (pressed && !event->repeat && input.toggleFullscreen_) input.toggleFullscreen_();
    return EM_TRUE;
  }
  if (pressed) input.gesture();
  input.down_[static_cast<std::size_t>(code)] = pressed ? kDown : 0;
  // Function keys (F5 reloads, F12 opens the tools) go on to the browser.
  return code >= 59 && code <= 88 && code != 61 ? EM_FALSE : EM_TRUE;
}

EM_BOOL WebInput::onMouse(int type, const EmscriptenMouseEvent* event, void* self) {
  auto& input = *static_cast<WebInput*>(self);
  if (type == EMSCRIPTEN_EVENT_MOUSEMOVE) {
    input.cursorCss_ = Vec2(static_cast<float>(event->targetX), static_cast<float>(event->targetY));
    input.motionX_ += static_cast<int>(event->movementX);
    input.motionY_ += static_cast<int>(event->movementY);
    return EM_TRUE;
  }
  if (event->button != 0) return EM_FALSE;
  if (type == EMSCRIPTEN_EVENT_MOUSEDOWN) {
    input.cursorCss_ = Vec2(static_cast<float>(event->targetX), static_cast<float>(event->targetY));
    input.buttonDown_ = true;
    input.gesture();
    return EM_TRUE;
  }
  input.buttonDown_ = false;
  return EM_FALSE;  // a release elsewhere on the page is the page's too
}

EM_BOOL WebInput::onFocus(int type, const EmscriptenFocusEvent*, void* self) {
  auto& input = *static_cast<WebInput*>(self);
  input.focused_ = type == EMSCRIPTEN_EVENT_FOCUS;
  if (!input.focused_) {
    input.acquired_ = false;
    input.down_ = {};
    input.buttonDown_ = false;
  }
  return EM_FALSE;
}

void WebInput::gesture() {
  if (gestured_) return;
  gestured_ = true;
  if (firstGesture_) firstGesture_();
}

PollResult WebInput::pollKeyboard(KeyArray& keys) {
  if (!acquired_) return PollResult::Lost;
  keys = down_;
  return PollResult::Ok;
}

PollResult WebInput::pollMouse(MouseState& mouse) {
  if (!acquired_) return PollResult::Lost;
  mouse = MouseState{};
  mouse.x = motionX_;
  mouse.y = motionY_;
  motionX_ = motionY_ = 0;
  if (buttonDown_) mouse.buttons[0] = kDown;
  return PollResult::Ok;
}

void WebInput::acquire() {
  if (focused_) acquired_ = true;
}

Vec2 WebInput::cursorPosition() const { return windowToBackBuffer(cursorCss_, canvas_.cssSize()); }

Vec2 WebInput::clientSize() const { return Vec2(kScreenWidth, kScreenHeight); }

}  // namespace vw
