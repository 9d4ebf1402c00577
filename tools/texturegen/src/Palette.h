#pragma once
// The shared colours of a rainy steam-age town: brass, slate, rust and mist.

#include "Canvas.h"

namespace vw::art::palette {

inline const Color ink = hexColor(0x1b1820);  // outlines
inline const Color brassLight = hexColor(0xffe6a3);
inline const Color brass = hexColor(0xdca544);
inline const Color brassDark = hexColor(0x8e5b1e);
inline const Color copper = hexColor(0xc06a3a);
inline const Color rust = hexColor(0xa9481f);
inline const Color rustDark = hexColor(0x5e2413);
inline const Color slateLight = hexColor(0x7d8aa0);
inline const Color slate = hexColor(0x4d586c);
inline const Color slateDark = hexColor(0x2a3140);
inline const Color iron = hexColor(0x434a55);
inline const Color ironDark = hexColor(0x262a31);
inline const Color mist = hexColor(0xcfdbe4);
inline const Color cream = hexColor(0xfff5dc);
inline const Color wood = hexColor(0x8f5d31);
inline const Color woodDark = hexColor(0x573518);
inline const Color water = hexColor(0x2f9be0);
inline const Color waterLight = hexColor(0xa8e6ff);
inline const Color ice = hexColor(0xc9f4ff);
inline const Color iceDeep = hexColor(0x6cc7e6);
inline const Color coat = hexColor(0xf1b12e);      // the hero's rain slicker
inline const Color coatShade = hexColor(0xb9741a);
inline const Color umbrella = hexColor(0xb4283c);
inline const Color umbrellaDark = hexColor(0x6e1424);
inline const Color hazard = hexColor(0xf0c020);

}  // namespace vw::art::palette
