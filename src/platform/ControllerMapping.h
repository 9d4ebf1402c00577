#pragma once
// What a game controller means to the game, as the same key and mouse
// snapshots the keyboard and mouse give. Plain values in, plain values out.
#include <optional>

#include "app/Input.h"

namespace vw {

// One controller's (or several combined) sticks, trigger and buttons.
// Axes run -1..1 with y down, as pads report them; the trigger 0..1.
struct ControllerState {
  Vec2 leftStick{0};
  Vec2 rightStick{0};
  float rightTrigger = 0;
  bool dpadLeft = false;
  bool dpadRight = false;
  bool south = false;  // A on most pads
  bool leftShoulder = false;
  bool rightShoulder = false;
  bool start = false;
  bool back = false;
  bool west = false;  // X on most pads
};

struct ControllerInput {
  KeyArray keys{};  // 0x80 for each key the controller holds
  bool leftButton = false;
  // Unit direction of the right stick (y down) while it is pushed.
  std::optional<Vec2> aim;
};

// How far the aim point stands from the player, in back-buffer pixels.
constexpr float kStickAimReach = 150.0f;

// Left stick and d-pad walk (A, D), south jumps and holds the umbrella (W),
// the right trigger sprays (left button), either shoulder cycles the power
// (Q), Start pauses (P), Back restarts from the pause screen (R), west
// retries the puzzle from the pause screen (T).
ControllerInput mapController(const ControllerState& state);
// Combines two pads: any button held on either, the larger push of each axis.
ControllerState combine(const ControllerState& a, const ControllerState& b);
// The player's centre in back-buffer pixels (y down) for a camera at cameraEye.
Vec2 playerScreenPosition(Vec3 player, Vec3 cameraEye);
// The cursor a stick aim gives: the player's screen position plus the
// direction at kStickAimReach.
Vec2 stickAimCursor(Vec2 playerScreen, Vec2 direction);

}  // namespace vw
