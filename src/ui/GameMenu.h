#pragma once
// GameMenu: everything seen besides the world. The title screen (banner,
// title and items, and the help or credits panel), the two pause lines, and
// the HUD's three power icons that show and choose the power.
#include "player/Power.h"
#include "render/Text.h"
#include "ui/UIElement.h"

namespace vw {

class GameMenu {
 public:
  GameMenu();

  void drawMenu(RenderContext& context, const TextureRegistry& textures);
  // Places the pause lines from the camera position, then draws them.
  void drawPause(RenderContext& context, const TextureRegistry& textures, Vec3 cameraEye);
  void drawHud(RenderContext& context, const TextureRegistry& textures);
  // With the button down, selects the icon under the cursor (back-buffer
  // pixels, y down) and sets hudClicked; a click between icons changes nothing.
  void handleHudClick(bool leftButtonDown, Vec3 cursor);
  bool isWaterIconSelected() const { return waterIcon.isSelected(); }
  bool isSteamIconSelected() const { return steamIcon.isSelected(); }
  bool isIceIconSelected() const { return iceIcon.isSelected(); }
  // Highlights the icon of a power.
  void showPower(Power power);
  void showInstructions(bool shown) { instructionsShown = shown; }
  void showCredits(bool shown) { creditsShown = shown; }

  Text titleText;
  Text instructionsText;
  Text creditsText;
  Text pauseText;
  bool instructionsShown = true;
  bool creditsShown = false;
  UIElement iceIcon;
  UIElement waterIcon;
  UIElement steamIcon;
  Sprite menuBackground;
  bool hudClicked = false;
};

}  // namespace vw
