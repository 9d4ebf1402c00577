#pragma once
// WaterWheel: turned by water spray. Each water hit adds spin from its
// torque about the centre; the spin is capped, decays over spinDownTime once
// the water stops, and the wheel stops at 10 or below. Starting and stopping
// each toggle the target.
#include "puzzle/PuzzleElement.h"

namespace vw {

class WaterWheel : public PuzzleElement {
 public:
  WaterWheel(const std::string& key, float width, float height, PuzzleElement* linked, float spinDownTime);
  std::unique_ptr<PuzzleElement> cloneElement() const override { return std::make_unique<WaterWheel>(*this); }

  // One water particle at position, moving with velocity, struck the wheel.
  void hit(Vec3 position, Vec3 velocity);
  void update(float dt) override;
  // Toggles the target and starts turning.
  void activate() override;
  // Toggles the target and stops turning.
  void deactivate() override;
  bool isActive() const override { return turning; }

  float getSpin() const { return spin.z; }
  float getSpinMagnitude() const { return spinMagnitude; }

 private:
  Vec3 spin{0};
  float spinMagnitude = 0;
  float maxSpin = 1000000.0f;
  bool turning = false;
  int minFrameDelay = 0;
  float spinDownTime = 1;
  bool coasting = true;
};

}  // namespace vw
