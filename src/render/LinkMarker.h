#pragma once
// LinkMarker: the small lamp a switch and the element it switches both carry,
// in the colour of their link, lit while the switch is on. Its sheet
// ("LINKMARK") has one column per link colour; row 0 is dark, row 1 lit.
#include "render/Sprite.h"

namespace vw {

inline constexpr const char* kLinkMarkKey = "LINKMARK";
constexpr float kLinkMarkerSize = 26;

class LinkMarker : public Sprite {
 public:
  LinkMarker();

  // Draws the lamp of colour `color` centred at `centre` (world units).
  void drawAt(RenderContext& context, const TextureRegistry& textures, Vec2 centre, int color, bool lit);
};

}  // namespace vw
