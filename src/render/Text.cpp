#include "render/Text.h"

#include <sstream>

#include "render/RenderContext.h"
#include "render/TextureRegistry.h"

namespace vw {

namespace {

struct FixedCell {
  char c;
  GlyphCell cell;
};

constexpr FixedCell kSigns[] = {
    {' ', {5, 9}}, {'!', {6, 8}}, {'"', {3, 8}}, {'\'', {2, 8}}, {'(', {4, 8}}, {')', {5, 8}},
    {'*', {4, 9}}, {'+', {0, 9}}, {',', {7, 7}}, {'-', {1, 9}},  {'.', {6, 7}}, {'/', {2, 9}},
    {':', {0, 8}}, {';', {1, 8}}, {'=', {3, 9}}, {'?', {7, 8}},
};

}  // namespace

float textRightEdge(const Font& line) {
  const float size = static_cast<float>(line.size);
  const float glyphs = line.text.empty() ? 0.0f : static_cast<float>(line.text.size() - 1);
  return static_cast<float>(line.x) + glyphs * size / 1.5f + size / 2;
}

GlyphCell glyphCell(char ch) {
  for (const FixedCell& sign : kSigns) {
    if (sign.c == ch) return sign.cell;
  }
  int c = static_cast<signed char>(ch);
  int v = c;
  if (c >= 'a' && c <= 'z') v -= 6;
  v -= 65;
  if (c >= '0' && c <= '9') v += 69;
  GlyphCell cell;
  while (v - 8 >= 0) {
    v -= 8;
    ++cell.row;
  }
  cell.column = v;
  return cell;
}

Text::Text(std::string key) : Sprite(std::move(key)) {
  visible = true;
  setSize(1, 1);
  columns = 8;
  rows = 14;
  sheetValue = 77;
  updateBounds();
}

void Text::draw(RenderContext& context, const TextureRegistry& textures) {
  Vec2 scale(1.0f / columns, 1.0f / rows);
  for (const Font& line : lines) {
    setSize(static_cast<float>(line.size), static_cast<float>(line.size));
    Vec3 p = getPosition();
    if (p.x != static_cast<float>(line.x) || p.y != static_cast<float>(line.y)) {
      translate(-p.x, -p.y, 0);
      translate(static_cast<float>(line.x), static_cast<float>(line.y), 0);
    }
    for (std::size_t i = 0; i < line.text.size(); ++i) {
      GlyphCell cell = glyphCell(line.text[i]);
      if (i > 0) translate(static_cast<float>(line.size) / 1.5f, 0, 0);
      context.setUvScale(scale);
      context.setUvOffset(Vec2(static_cast<float>(cell.column) * scale.x, static_cast<float>(cell.row) * scale.y));
      context.setDir(Vec2(1, 0));
      context.setWorldViewProj(multiply(world, *context.viewProj));
      context.setTexture(textures.get(textureKey));
      context.drawQuad();
    }
  }
  context.setUvScale(Vec2(1, 1));
  context.setUvOffset(Vec2(0, 0));
}

void Text::drawFrameRate(RenderContext& context, const TextureRegistry& textures, float framesPerSecond,
                         bool inView) {
  std::ostringstream formatted;
  formatted << framesPerSecond;
  const std::string text = formatted.str();
  const float size = 20.0f;
  const float advance = size / 1.5f;
  // Pixel rectangle (top-left origin), text aligned to its right and bottom.
  float right = inView ? 990.0f : -700.0f;
  float bottom = inView ? 30.0f : 120.0f;
  float firstCentreX = right - advance * static_cast<float>(text.size()) + advance / 2;
  float centreY = bottom - size / 2;
  Vec2 scale(1.0f / columns, 1.0f / rows);
  for (std::size_t i = 0; i < text.size(); ++i) {
    GlyphCell cell = glyphCell(text[i]);
    float px = firstCentreX + advance * static_cast<float>(i);
    Matrix m = scaling(size / (kScreenWidth / 2.0f), size / (kScreenHeight / 2.0f), 1);
    setTranslationXY(m, (px - kScreenWidth / 2.0f) / (kScreenWidth / 2.0f),
                     (kScreenHeight / 2.0f - centreY) / (kScreenHeight / 2.0f));
    context.setUvScale(scale);
    context.setUvOffset(Vec2(static_cast<float>(cell.column) * scale.x, static_cast<float>(cell.row) * scale.y));
    context.setDir(Vec2(1, 0));
    context.setWorldViewProj(m);
    context.setTexture(textures.get(textureKey));
    context.drawQuad();
  }
  context.setUvScale(Vec2(1, 1));
  context.setUvOffset(Vec2(0, 0));
}

}  // namespace vw
