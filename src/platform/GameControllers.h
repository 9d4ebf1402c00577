#pragma once
// The game controllers plugged in, opened and closed as SDL reports them
// coming and going, read together as one controller.
#include <SDL.h>

#include <memory>
#include <vector>

#include "platform/ControllerMapping.h"

namespace vw {

class GameControllers {
 public:
  // SDL_CONTROLLERDEVICEADDED: opens the pad at this device index.
  void add(int deviceIndex);
  // SDL_CONTROLLERDEVICEREMOVED: closes the pad with this instance id.
  void remove(SDL_JoystickID instanceId);
  bool empty() const { return pads_.empty(); }
  // Every open pad combined.
  ControllerState state() const;

 private:
  struct Close {
    void operator()(SDL_GameController* pad) const { SDL_GameControllerClose(pad); }
  };
  std::vector<std::unique_ptr<SDL_GameController, Close>> pads_;
};

}  // namespace vw
