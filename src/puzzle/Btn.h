#pragma once
// Btn: a floor plate the player or a box presses by standing on it. Pressing
// and releasing each toggle its target; a momentary button springs back when
// nothing stands on it, the other kind stays down once pressed.
#include "puzzle/PuzzleElement.h"

namespace vw {

class Btn : public PuzzleElement {
 public:
  Btn(const std::string& key, float width, float height, bool momentary, PuzzleElement* controller,
      PuzzleElement* target);
  std::unique_ptr<PuzzleElement> cloneElement() const override { return std::make_unique<Btn>(*this); }

  // Press: toggles the target, shows the pressed picture.
  void activate() override;
  // Release: toggles the target, shows the raised picture.
  void deactivate() override;

  bool isMomentary() const { return momentary; }
  bool isPressed() const { return pressed; }
  void setPressed(bool value) { pressed = value; }

 private:
  bool momentary = false;
  bool pressed = false;
};

}  // namespace vw
