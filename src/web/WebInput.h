#pragma once
// The page's keyboard and mouse as the per-poll snapshots the game reads:
// keys by set-1 scan code, the left button, and the cursor in back-buffer
// pixels whatever the canvas's size. The browser reports events; they are
// kept as held state until the next poll.
//
// The keys the game uses never reach the page (SPACE and the arrows do not
// scroll it); browser shortcuts with Ctrl, Alt or Meta still do. While the
// page has no focus the polls report Lost and every key is released, so a
// key let go in another window is not held on return.
#include <emscripten/html5.h>

#include <functional>

#include "app/Input.h"

namespace vw {

class WebCanvas;

class WebInput final : public InputDevices {
 public:
  // Listens on the window (keys, focus, button releases) and the canvas (presses, motion).
  explicit WebInput(const WebCanvas& canvas);
  ~WebInput() override;
  WebInput(const WebInput&) = delete;
  WebInput& operator=(const WebInput&) = delete;

  PollResult pollKeyboard(KeyArray& keys) override;
  PollResult pollMouse(MouseState& mouse) override;
  void acquire() override;
  Vec2 cursorPosition() const override;
  Vec2 clientSize() const override;

  // Called on the first key press or click (browsers start sound only then).
  void setFirstGesture(std::function<void()> listener) { firstGesture_ = std::move(listener); }
  // Called when F11 is pressed.
  void setFullscreenToggle(std::function<void()> listener) { toggleFullscreen_ = std::move(listener); }

 private:
  static EM_BOOL onKey(int type, const EmscriptenKeyboardEvent* event, void* self);
  static EM_BOOL onMouse(int type, const EmscriptenMouseEvent* event, void* self);
  static EM_BOOL onFocus(int type, const EmscriptenFocusEvent* event, void* self);
  void gesture();

  const WebCanvas& canvas_;
  KeyArray down_{};
  bool buttonDown_ = false;
  Vec2 cursorCss_{0, 0};  // the cursor over the canvas, CSS pixels
  int motionX_ = 0, motionY_ = 0;
  bool focused_ = true;
  bool acquired_ = true;
  bool gestured_ = false;
  std::function<void()> firstGesture_;
  std::function<void()> toggleFullscreen_;
};

}  // namespace vw
