#pragma once
// One function per picture of the game. Each returns the finished sheet; the
// layouts (cells, rows) are those listed in PictureTable.cpp.

#include "Canvas.h"

#include <string>

namespace vw::art {

Image drawBackground();
Image drawMenuBanner();

Image drawPlayerSheet();
Image drawArmSheet();
// Direction of arm row r in degrees, counter-clockwise from +x with y up.
float armRowAngleDegrees(int row);

Image drawStone();
Image drawWetBlock();
Image drawIceBlock();
Image drawHeavyBox();
Image drawRustyBox();
Image drawRisingDoor();

Image drawButtonSheet();
Image drawTrapDoorSheet();
Image drawWaterWheelSheet();

Image drawSteamParticle();
Image drawWaterParticle();
Image drawIceParticle();

Image drawWaterIcon();
Image drawSteamIcon();
Image drawIceIcon();
Image drawWindowIcon();

Image drawVentSheet();
Image drawLinkMarkSheet();
Image drawShade();
Image drawPanel();

// The bitmap font sheet, rasterised from the TrueType file at fontPath.
// Throws std::runtime_error naming the file when it cannot be read or parsed.
Image drawGlyphSheet(const std::string& fontPath);

}  // namespace vw::art
