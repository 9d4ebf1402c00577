#pragma once
// RisingDoor: a slab that slides up by riseHeight and down again. In the
// Active mode it cycles on its own timer; in the Toggle mode it rises while
// on and falls while off.
#include "puzzle/PuzzleElement.h"

namespace vw {

enum class DoorMode { Active = 0, Toggle = 1 };

class RisingDoor : public PuzzleElement {
 public:
  RisingDoor(const std::string& key, float width, float height, float travelTime, float holdTime, DoorMode mode,
             PuzzleElement* controller);
  std::unique_ptr<PuzzleElement> cloneElement() const override { return std::make_unique<RisingDoor>(*this); }

  void activate() override;
  void deactivate() override;
  // A box beneath the door pushes it up: on, nothing else.
  void raise() { active = true; }
  void update(float dt) override;
  // Moves the door and takes the new centre as its closed height.
  void translate(float dx, float dy, float dz) override;
  // Draws the whole texture, with no animation step.
  void draw(RenderContext& context, const TextureRegistry& textures) override;

  float getProgress() const { return progress; }
  float getTravelTime() const { return travelTime; }
  DoorMode getMode() const { return mode; }

 private:
  void place();
  void updateActive(float dt);
  void updateToggle(float dt);

  float timer = 0;
  float holdTime = 0;
  float progress = 0;
  float travelTime = 1;
  float riseHeight = 200;
  float baseY = 0;
  DoorMode mode = DoorMode::Toggle;
};

}  // namespace vw
