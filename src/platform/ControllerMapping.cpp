#include "platform/ControllerMapping.h"

#include <cmath>

#include "app/KeyCodes.h"
#include "render/RenderContext.h"

namespace vw {

namespace {

constexpr float kWalkThreshold = 0.4f;   // left stick push that walks
constexpr float kAimDeadZone = 0.3f;     // right stick push that aims
constexpr float kTriggerThreshold = 0.3f;
constexpr std::uint8_t kDown = 0x80;

float larger(float a, float b) { return std::fabs(a) >= std::fabs(b) ? a : b; }

}  // namespace

ControllerInput mapController(const ControllerState& s) {
  ControllerInput out;
  auto hold = [&out](int key, bool down) {
    if (down) out.keys[static_cast<std::size_t>(key)] = kDown;
  };
  hold(Key::A, s.dpadLeft || s.leftStick.x <= -kWalkThreshold);
  hold(Key::D, s.dpadRight || s.leftStick.x >= kWalkThreshold);
  hold(Key::W, s.south);
  hold(Key::Q, s.leftShoulder || s.rightShoulder);
  hold(Key::P, s.start);
  hold(Key::R, s.back);
  hold(Key::T, s.west);
  out.leftButton = s.rightTrigger >= kTriggerThreshold;
  float length = std::hypot(s.rightStick.x, s.rightStick.y);
  if (length >= kAimDeadZone) out.aim = s.rightStick / length;
  return out;
}

ControllerState combine(const ControllerState& a, const ControllerState& b) {
  ControllerState c;
  c.leftStick = Vec2(larger(a.leftStick.x, b.leftStick.x), larger(a.leftStick.y, b.leftStick.y));
  c.rightStick = Vec2(larger(a.rightStick.x, b.rightStick.x), larger(a.rightStick.y, b.rightStick.y));
  c.rightTrigger = std::fmax(a.rightTrigger, b.rightTrigger);
  c.dpadLeft = a.dpadLeft || b.dpadLeft;
  c.dpadRight = a.dpadRight || b.dpadRight;
  c.south = a.south || b.south;
  c.leftShoulder = a.leftShoulder || b.leftShoulder;
  c.rightShoulder = a.rightShoulder || b.rightShoulder;
  c.start = a.start || b.start;
  c.back = a.back || b.back;
  c.west = a.west || b.west;
  return c;
}

Vec2 playerScreenPosition(Vec3 player, Vec3 cameraEye) {
  return Vec2(player.x - cameraEye.x + kScreenWidth / 2.0f, kScreenHeight / 2.0f - (player.y - cameraEye.y));
}

Vec2 stickAimCursor(Vec2 playerScreen, Vec2 direction) { return playerScreen + direction * kStickAimReach; }

}  // namespace vw
