#include "platform/GameControllers.h"

#include <algorithm>

namespace vw {

namespace {

float axis(SDL_GameController* pad, SDL_GameControllerAxis a) {
  return std::clamp(static_cast<float>(SDL_GameControllerGetAxis(pad, a)) / 32767.0f, -1.0f, 1.0f);
}

bool button(SDL_GameController* pad, SDL_GameControllerButton b) { return SDL_GameControllerGetButton(pad, b) != 0; }

ControllerState readPad(SDL_GameController* pad) {
  ControllerState s;
  s.leftStick = Vec2(axis(pad, SDL_CONTROLLER_AXIS_LEFTX), axis(pad, SDL_CONTROLLER_AXIS_LEFTY));
  s.rightStick = Vec2(axis(pad, SDL_CONTROLLER_AXIS_RIGHTX), axis(pad, SDL_CONTROLLER_AXIS_RIGHTY));
  s.rightTrigger = std::max(0.0f, axis(pad, SDL_CONTROLLER_AXIS_TRIGGERRIGHT));
  s.dpadLeft = button(pad, SDL_CONTROLLER_BUTTON_DPAD_LEFT);
  s.dpadRight = button(pad, SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
  s.south = button(pad, SDL_CONTROLLER_BUTTON_A);
  s.leftShoulder = button(pad, SDL_CONTROLLER_BUTTON_LEFTSHOULDER);
  s.rightShoulder = button(pad, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER);
  s.start = button(pad, SDL_CONTROLLER_BUTTON_START);
  s.back = button(pad, SDL_CONTROLLER_BUTTON_BACK);
  s.west = button(pad, SDL_CONTROLLER_BUTTON_X);
  return s;
}

}  // namespace

void GameControllers::add(int deviceIndex) {
  SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(deviceIndex);
  for (const auto& pad : pads_) {
    if (SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad.get())) == id) return;  // already open
  }
  if (SDL_GameController* pad = SDL_GameControllerOpen(deviceIndex)) pads_.emplace_back(pad);
}

void GameControllers::remove(SDL_JoystickID instanceId) {
  std::erase_if(pads_, [instanceId](const auto& pad) {
    return SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad.get())) == instanceId;
  });
}

ControllerState GameControllers::state() const {
  ControllerState combined;
  for (const auto& pad : pads_) combined = combine(combined, readPad(pad.get()));
  return combined;
}

}  // namespace vw
