#include "render/LinkMarker.h"

#include "puzzle/PuzzleElement.h"
#include "render/RenderContext.h"

namespace vw {

LinkMarker::LinkMarker() : Sprite(kLinkMarkKey, kLinkMarkerSize, kLinkMarkerSize) {
  setColumns(static_cast<float>(kLinkColorCount));
  setRows(2);
}

void LinkMarker::drawAt(RenderContext& context, const TextureRegistry& textures, Vec2 centre, int color, bool lit) {
  if (color < 0 || color >= kLinkColorCount) return;
  setPosition(centre.x, centre.y);
  frame = color;
  animation = lit ? 1 : 0;
  const Matrix wvp = multiply(world, *context.viewProj);
  if (!quadInView(wvp)) return;
  drawCell(context, textures, sheetCell(), wvp);
}

}  // namespace vw
