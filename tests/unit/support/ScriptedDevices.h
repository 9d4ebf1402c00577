#pragma once
// Input devices a test drives directly: the keys held, the cursor in
// back-buffer pixels, the left button, and what the next polls report.
#include <initializer_list>

#include "app/Input.h"

namespace vw::test {

class ScriptedDevices : public InputDevices {
 public:
  // Holds exactly these keys from the next poll on.
  void hold(std::initializer_list<int> codes) {
    keys.fill(0);
    for (int c : codes) keys[c] = 0x80;
  }
  void press(int code) { keys[code] = 0x80; }
  void release(int code) { keys[code] = 0; }
  void releaseAll() {
    keys.fill(0);
    button = false;
  }

  PollResult pollKeyboard(KeyArray& out) override {
    if (keyboardResult == PollResult::Ok) out = keys;
    return keyboardResult;
  }
  PollResult pollMouse(MouseState& mouse) override {
    mouse = MouseState{};
    mouse.buttons[0] = button ? 0x80 : 0;
    return PollResult::Ok;
  }
  void acquire() override { ++acquires; }
  Vec2 cursorPosition() const override { return cursor; }
  Vec2 clientSize() const override { return Vec2(1000, 800); }

  KeyArray keys{};
  bool button = false;
  Vec2 cursor{500, 400};
  PollResult keyboardResult = PollResult::Ok;
  int acquires = 0;
};

}  // namespace vw::test
