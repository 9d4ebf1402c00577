#include "ui/UIElement.h"

#include "render/RenderContext.h"

namespace vw {

UIElement::UIElement(const std::string& key, float w, float h) : Sprite(key, w, h) {
  setColumns(1);
  setRows(2);
  setFrameCount(1, 1);
  setFrameCount(0, 1);
}

void UIElement::select() {
  animation = 1;
  visible = true;
}

void UIElement::deselect() {
  animation = 0;
  visible = false;
}

void UIElement::setScreenPosition(float px, float py) {
  screenX = px / (kScreenWidth / 2.0f);
  screenY = py / (kScreenHeight / 2.0f);
  bounds = {px - width / 2, px + width / 2, py + height / 2, py - height / 2};
}

void UIElement::draw(RenderContext& context, const TextureRegistry& textures) {
  if (!context.holdAnimations) stepAnimation();
  Vec2 scale(1.0f / columns, 1.0f / rows);
  SheetCell cell{scale, Vec2(static_cast<float>(frame) * scale.x, static_cast<float>(animation) * scale.y)};
  Matrix m = multiply(scaling(width, height, 1), *context.viewProj);
  setTranslationXY(m, screenX, screenY);
  drawCell(context, textures, cell, m);
}

}  // namespace vw
