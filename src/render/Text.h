#pragma once
// Text: lines of the bitmap font, one quad per character from the "TEXT"
// glyph sheet (8 columns, 14 rows). Glyph i of a line is a size x size quad
// centred at (x + i * size / 1.5, y): characters overlap by a third.
#include <string>
#include <vector>

#include "render/Sprite.h"

namespace vw {

// One line of text in world units.
struct Font {
  std::string text;
  int x = 0;  // centre of the first glyph
  int y = 0;  // centre of the glyphs
  int size = 0;
};

struct GlyphCell {
  int column = 0;
  int row = 0;
};

// The world x of a line's right edge: its last glyph's centre plus half a glyph.
float textRightEdge(const Font& line);

// The sheet cell of a character.
GlyphCell glyphCell(char c);

class Text : public Sprite {
 public:
  explicit Text(std::string key = "TEXT");

  void addLine(Font line) { lines.push_back(std::move(line)); }
  void draw(RenderContext& context, const TextureRegistry& textures) override;
  // The frame-rate readout: right- and bottom-aligned in the pixel rectangle
  // (left -1000, top 100, right -700, bottom 120), which lies left of the
  // view; inView draws it in the top-right corner instead.
  void drawFrameRate(RenderContext& context, const TextureRegistry& textures, float framesPerSecond,
                     bool inView);

  std::vector<Font> lines;
};

}  // namespace vw
