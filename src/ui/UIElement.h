#pragma once
// UIElement: a picture fixed to the screen (the power icons). Row 0 of its
// sheet is the normal look, row 1 the selected one; `visible` doubles as the
// selected flag. Its bounds are in screen pixels from the centre, y up.
#include "render/Sprite.h"

namespace vw {

class UIElement : public Sprite {
 public:
  UIElement(const std::string& key, float width, float height);

  void select();
  void deselect();
  bool isSelected() const { return visible; }
  // Places the element at (px, py) pixels from the screen centre.
  void setScreenPosition(float px, float py);
  void draw(RenderContext& context, const TextureRegistry& textures) override;

 private:
  float screenX = 0;
  float screenY = 0;
};

}  // namespace vw
