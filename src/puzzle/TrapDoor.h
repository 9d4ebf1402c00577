#pragma once
// TrapDoor: a hinged lid. Closed it is a thin platform; switched on it swings
// open through a 13-frame animation, switched off it swings shut. The
// animation row is the door's state: 0 closed, 1 swinging, 2 open.
#include "puzzle/PuzzleElement.h"

namespace vw {

class TrapDoor : public PuzzleElement {
 public:
  TrapDoor(const std::string& key, float size, float thickness, float facingSign);
  std::unique_ptr<PuzzleElement> cloneElement() const override { return std::make_unique<TrapDoor>(*this); }

  // Open, unless already open or opening.
  void activate() override;
  // Close, unless already closed or closing.
  void deactivate() override;
  // Ends the swing once its animation reaches either end.
  void update(float dt) override;
  // Closed: a slab of the lid's thickness along the top. Swinging: unchanged.
  // Open: a slab of the lid's thickness hanging down along the hinge side.
  Bounds updateBounds() override;
  void translate(float dx, float dy, float dz) override;

  float getThickness() const;

 private:
  float thicknessDivisor = 1;
};

}  // namespace vw
