#include "app/Input.h"

namespace vw {

bool Input::read(KeyArray& held) {
  if (!devices_) return false;
  previousKeyState_ = keyState_;
  KeyArray keys = keyState_;
  switch (devices_->pollKeyboard(keys)) {
    case PollResult::Ok: keyState_ = keys; break;
    case PollResult::Lost: devices_->acquire(); break;
    case PollResult::Failed: return false;
  }
  MouseState mouse = mouseState_;
  switch (devices_->pollMouse(mouse)) {
    case PollResult::Ok: mouseState_ = mouse; break;
    case PollResult::Lost: devices_->acquire(); break;
    case PollResult::Failed: return false;
  }
  leftButton_ = mouseState_.buttons;
  for (std::size_t k = 0; k < held.size(); ++k) {
    if (keyState_[k] != 0 && previousKeyState_[k] == 0) {
      held[k] = 1;
    } else if (keyState_[k] == 0 && previousKeyState_[k] != 0) {
      held[k] = 0;
    }
  }
  return true;
}

Vec3 Input::mouseClientPosition() const {
  if (!devices_) return Vec3(0);
  Vec2 c = devices_->cursorPosition();
  return Vec3(c.x, c.y, 0);
}

Vec3 Input::mouseWorldPosition(Vec3 camera) const {
  if (!devices_) return Vec3(camera.x, camera.y, 0);
  Vec2 c = devices_->cursorPosition();
  Vec2 size = devices_->clientSize();
  return Vec3(c.x - size.x / 2 + camera.x, size.y / 2 - c.y + camera.y, 0);
}

}  // namespace vw
