#pragma once
// The desktop's keyboard, mouse and game controllers as the per-poll
// snapshots the game reads: keys by set-1 scan code, the left button, and
// the cursor in back-buffer pixels whatever the window's size.
//
// The devices are lost while the window has no focus: polls then report
// Lost and leave the snapshots alone, and only an acquire() made while the
// window has the focus brings them back.
#include <functional>
#include <optional>

#include "app/Input.h"
#include "platform/ControllerMapping.h"
#include "platform/GameControllers.h"

namespace vw {

class DesktopWindow;

class DesktopInput final : public InputDevices {
 public:
  explicit DesktopInput(const DesktopWindow& window) : window_(window) {}

  PollResult pollKeyboard(KeyArray& keys) override;
  PollResult pollMouse(MouseState& mouse) override;
  void acquire() override;
  Vec2 cursorPosition() const override;
  Vec2 clientSize() const override;

  void focusChanged(bool focused);
  // The mouse moved: it takes the aim back from a controller's stick.
  void mouseMoved() { stickAim_.reset(); }
  void wheelMoved(int amount) { wheel_ += amount; }
  GameControllers& controllers() { return controllers_; }
  // Where the player stands in back-buffer pixels, for aiming with a stick.
  void setPlayerLocator(std::function<Vec2()> locator) { playerOnScreen_ = std::move(locator); }

 private:
  const DesktopWindow& window_;
  GameControllers controllers_;
  ControllerInput pad_;          // the controllers as read at the last keyboard poll
  std::optional<Vec2> stickAim_; // the last stick direction, until the mouse moves
  std::function<Vec2()> playerOnScreen_;
  bool focused_ = true;
  bool acquired_ = true;
  int wheel_ = 0;
};

}  // namespace vw
