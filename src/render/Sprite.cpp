#include "render/Sprite.h"

#include <cmath>

#include "render/RenderContext.h"
#include "render/TextureRegistry.h"

namespace vw {

namespace {

float cutToFiveDecimals(float reciprocal) { return std::floor(reciprocal * 100000.0f) / 100000.0f; }

}  // namespace

Sprite::Sprite() { updateBounds(); }

Sprite::Sprite(std::string key) : textureKey(std::move(key)) { updateBounds(); }

Sprite::Sprite(std::string key, float w, float h) : textureKey(std::move(key)) {
  setSize(w, h);
  updateBounds();
}

void Sprite::init(const std::string& key, float w, float h) {
  frameCounts.assign(1, 1.0f);
  frame = 0;
  animation = 0;
  facing = 1;
  frameStep = 1;
  loop = true;
  frameDelay = 1;
  delayCounter = 0;
  textureKey = key;
  width = 1;
  height = 1;
  world = Matrix(1.0f);
  setSize(w, h);
  updateBounds();
}

void Sprite::translate(float dx, float dy, float dz) {
  // world x translation(dx, dy, dz) without the full product: every row gains
  // its w entry times the offset (for a scale-and-translation matrix only the
  // translation row changes).
  for (int row = 0; row < 4; ++row) {
    const float w = world[row][3];
    world[row][0] += w * dx;
    world[row][1] += w * dy;
    world[row][2] += w * dz;
  }
}

Bounds Sprite::updateBounds() {
  Vec3 p = getPosition();
  bounds.left = p.x - width / 2;
  bounds.right = bounds.left + width;
  bounds.top = p.y + height / 2;
  bounds.bottom = bounds.top - height;
  return bounds;
}

void Sprite::setPosition(float x, float y) { setTranslationXY(world, x, y); }

void Sprite::setSize(float w, float h) {
  world = multiply(world, scaling(1.0f / width, 1.0f / height, 1.0f));
  width = w;
  height = h;
  world = multiply(world, scaling(width, height, 1.0f));
}

bool Sprite::isNearCamera(Vec3 cameraPosition, int screenWidth) const {
  unsigned half = (static_cast<unsigned>(screenWidth) + 400u) / 2u;
  float x = getPosition().x;
  return cameraPosition.x - static_cast<float>(half) <= x &&
         x <= cameraPosition.x + static_cast<float>(half) + 100.0f;
}

void Sprite::setRows(int n) {
  if (n < 1) n = 1;
  frameCounts.resize(static_cast<std::size_t>(n), 1.0f);
  rows = static_cast<float>(n);
}

void Sprite::setFrameCount(int row, float count) {
  if (row >= 0 && static_cast<std::size_t>(row) < frameCounts.size()) frameCounts[row] = count;
}

float Sprite::getFrameCount(int row) const {
  if (row < 0 || static_cast<std::size_t>(row) >= frameCounts.size()) return 1.0f;
  return frameCounts[row];
}

void Sprite::setAnimation(int row) {
  if (row == animation) return;
  animation = row;
  frame = frameStep > 0 ? 0 : static_cast<int>(getFrameCount(row)) - 1;
}

void Sprite::stepAnimation() {
  int n = static_cast<int>(getFrameCount(animation));
  if (delayCounter < frameDelay) {
    ++delayCounter;
    return;
  }
  if (frameStep > 0) {
    if (frame >= n - 1) {
      if (loop) frame = 0;
    } else {
      ++frame;
    }
  } else if (frame <= 0) {
    if (loop) frame = n - 1;
  } else {
    --frame;
  }
  delayCounter = 0;
}

SheetCell Sprite::sheetCell() const {
  float su = cutToFiveDecimals(1.0f / columns);
  float sv = cutToFiveDecimals(1.0f / rows);
  return {Vec2(su, sv), Vec2(static_cast<float>(frame) * su, static_cast<float>(animation) * sv)};
}

void Sprite::drawCell(RenderContext& context, const TextureRegistry& textures, SheetCell cell,
                      const Matrix& wvp) const {
  context.setUvScale(cell.uvScale);
  context.setUvOffset(cell.uvOffset);
  context.setDir(Vec2(facing, 0));
  context.setWorldViewProj(wvp);
  context.setTexture(textures.get(textureKey));
  context.drawQuad();
  context.setUvScale(Vec2(1, 1));
  context.setUvOffset(Vec2(0, 0));
}

bool quadInView(const Matrix& wvp) {
  // The quad's half extents in clip space, whatever its scale (or turn).
  const float hx = 0.5f * (std::abs(wvp[0][0]) + std::abs(wvp[1][0]));
  const float hy = 0.5f * (std::abs(wvp[0][1]) + std::abs(wvp[1][1]));
  return std::abs(wvp[3][0]) <= 1.0f + hx && std::abs(wvp[3][1]) <= 1.0f + hy;
}

void Sprite::draw(RenderContext& context, const TextureRegistry& textures) {
  if (!context.holdAnimations) stepAnimation();
  const Matrix wvp = multiply(world, *context.viewProj);
  // Off screen there is nothing to draw; the animation has stepped all the same.
  if (!quadInView(wvp)) return;
  drawCell(context, textures, sheetCell(), wvp);
}

}  // namespace vw
