#pragma once
// GameMenu: everything seen besides the world. The title screen (banner,
// title and items, and the help or credits panel), the two pause lines, and
// the HUD's three power icons that show and choose the power.
#include <string>

#include "player/Power.h"
#include "render/Text.h"
#include "ui/UIElement.h"

namespace vw {

inline constexpr const char* kShadeKey = "SHADE";
inline constexpr const char* kPanelKey = "PANEL";

// A run's length as the ending panel shows it: "m:ss", or "h:mm:ss" from an hour on.
std::string formatPlayTime(double seconds);

class GameMenu {
 public:
  GameMenu();

  // The title screen; "Continue" only while showContinue is set.
  void drawMenu(RenderContext& context, const TextureRegistry& textures);
  // Dims the frozen scene behind it, places the pause lines from the camera
  // position, then draws them.
  void drawPause(RenderContext& context, const TextureRegistry& textures, Vec3 cameraEye);
  // The closing panel over the dimmed scene: the run's time and retries.
  void drawEnding(RenderContext& context, const TextureRegistry& textures, Vec3 cameraEye, double playSeconds,
                  int retries);
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
  void showContinue(bool shown) { continueShown = shown; }

  Text titleText;
  Text instructionsText;
  Text creditsText;
  Text pauseText;
  Text continueText;  // the fourth item, "Continue", when there is progress
  Text endingText;    // the closing panel's lines
  bool continueShown = false;
  bool instructionsShown = true;
  bool creditsShown = false;
  UIElement iceIcon;
  UIElement waterIcon;
  UIElement steamIcon;
  Sprite menuBackground;
  Sprite shade;         // a full-screen veil over the frozen scene
  Sprite endingPanel;   // the painted board behind the closing lines
  bool hudClicked = false;
};

}  // namespace vw
