#pragma once
// Input: the game's one reader of keyboard and mouse. It polls a device
// source once per update and turns keyboard snapshots into the held array
// the game logic reads. The source may be the desktop devices, an input
// script or a test.
#include <array>
#include <cstdint>

#include "render/Matrix.h"

namespace vw {

using KeyArray = std::array<std::uint8_t, 256>;

enum class PollResult {
  Ok,
  Lost,   // the device lost its focus: re-acquire, snapshot unchanged
  Failed  // any other error
};

struct MouseState {
  int x = 0, y = 0, wheel = 0;  // relative movement
  std::array<std::uint8_t, 4> buttons{};  // 0x80 set: down; button 0 is the left one
};

// Per-poll snapshots of the keyboard (0x80 per held key, by scan code) and mouse.
class InputDevices {
 public:
  virtual ~InputDevices() = default;
  virtual PollResult pollKeyboard(KeyArray& keys) = 0;
  virtual PollResult pollMouse(MouseState& mouse) = 0;
  // Asks the devices back after a Lost poll.
  virtual void acquire() {}
  // The cursor in back-buffer pixels (origin top-left, y down).
  virtual Vec2 cursorPosition() const = 0;
  // The size of the area the cursor is measured in.
  virtual Vec2 clientSize() const = 0;
};

class Input {
 public:
  void setDevices(InputDevices* devices) { devices_ = devices; }
  InputDevices* devices() const { return devices_; }
  // Polls both devices and updates held from the edges between snapshots;
  // false when a poll failed (held then keeps its values).
  bool read(KeyArray& held);
  bool isLeftButtonDown() const { return (leftButton_[0] & 0x80) != 0; }
  // The cursor in client pixels, y down.
  Vec3 mouseClientPosition() const;
  // The cursor in world units around the camera, y up.
  Vec3 mouseWorldPosition(Vec3 camera) const;
  // The raw current state of key k.
  bool isKeyDown(int k) const { return k >= 0 && k < 256 && keyState_[k] != 0; }

 private:
  InputDevices* devices_ = nullptr;
  KeyArray keyState_{};
  KeyArray previousKeyState_{};
  MouseState mouseState_{};
  std::array<std::uint8_t, 4> leftButton_{};
};

}  // namespace vw
