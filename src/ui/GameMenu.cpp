#include "ui/GameMenu.h"

#include <cmath>
#include <cstdio>

#include "physics/Geometry.h"
#include "render/RenderContext.h"

namespace vw {

namespace {

constexpr float kPanelWidth = 640;
constexpr float kPanelHeight = 400;

// Places a text line relative to the camera, so it stays put on the screen.
void placeLine(Font& line, Vec3 cameraEye, float dx, float dy) {
  line.x = static_cast<int>(cameraEye.x + dx);
  line.y = static_cast<int>(cameraEye.y + dy);
}

void drawVeil(Sprite& shade, RenderContext& context, const TextureRegistry& textures, Vec3 cameraEye) {
  shade.setPosition(cameraEye.x, cameraEye.y);
  shade.draw(context, textures);
}

}  // namespace

std::string formatPlayTime(double seconds) {
  if (!(seconds > 0)) seconds = 0;  // also NaN
  if (seconds > 359999) seconds = 359999;
  const long total = static_cast<long>(std::floor(seconds));
  const long h = total / 3600;
  const long m = total / 60 % 60;
  const long s = total % 60;
  char text[32];
  if (h > 0) {
    std::snprintf(text, sizeof text, "%ld:%02ld:%02ld", h, m, s);
  } else {
    std::snprintf(text, sizeof text, "%ld:%02ld", m, s);
  }
  return text;
}

GameMenu::GameMenu()
    : iceIcon("ICEICON", 60, 60),
      waterIcon("WATERICON", 60, 60),
      steamIcon("STEAMICON", 60, 60),
      menuBackground("VAPORWICKMENU", 283, 1205),
      shade(kShadeKey, kScreenWidth, kScreenHeight),
      endingPanel(kPanelKey, kPanelWidth, kPanelHeight) {
  menuBackground.translate(-300, -140, 0);

  titleText.addLine({"Vaporwick", -125, 325, 60});
  titleText.addLine({"Start Game", -400, 100, 50});
  titleText.addLine({"Instructions", -400, 0, 50});
  titleText.addLine({"Credits", -400, -100, 50});

  instructionsText.addLine({"Controls", 55, 170, 30});
  instructionsText.addLine({"A and D to move", 55, 100, 20});
  instructionsText.addLine({"W to jump", 55, 50, 20});
  instructionsText.addLine({"Hold W to open your umbrella", 55, 0, 20});
  instructionsText.addLine({"1,2,3 to select Water, Steam, or Ice", 55, -50, 20});
  instructionsText.addLine({"Left-click to aim and use powers", 55, -100, 20});
  instructionsText.addLine({"P to pause", 55, -150, 20});
  instructionsText.addLine({"Pad: sticks, A, RT, LB/RB, Start", 55, -200, 20});

  creditsText.addLine({"The Vaporwick team", 55, 100, 30});
  creditsText.addLine({"Made with SDL2", 55, 50, 30});
  creditsText.addLine({"OpenGL and GLM", 55, 0, 30});
  creditsText.addLine({"stb libraries", 55, -50, 30});

  pauseText.addLine({"Press P to unpause", 0, 0, 40});
  pauseText.addLine({"Press R to restart the game", 0, -100, 40});
  pauseText.addLine({"Press T to retry this puzzle", 0, -200, 40});

  continueText.addLine({"Continue", -400, -200, 50});

  endingText.addLine({"The End", 0, 0, 50});
  endingText.addLine({"Time", 0, 0, 30});
  endingText.addLine({"Retries", 0, 0, 30});
  endingText.addLine({"Press any key", 0, 0, 20});

  waterIcon.select();
  waterIcon.setScreenPosition(-460, -350);
  steamIcon.deselect();
  steamIcon.setScreenPosition(-390, -350);
  iceIcon.deselect();
  iceIcon.setScreenPosition(-320, -350);
}

void GameMenu::drawMenu(RenderContext& context, const TextureRegistry& textures) {
  menuBackground.draw(context, textures);
  titleText.draw(context, textures);
  if (continueShown) continueText.draw(context, textures);
  if (instructionsShown) instructionsText.draw(context, textures);
  if (creditsShown) creditsText.draw(context, textures);
}

void GameMenu::drawPause(RenderContext& context, const TextureRegistry& textures, Vec3 cameraEye) {
  drawVeil(shade, context, textures, cameraEye);
  placeLine(pauseText.lines[0], cameraEye, -325, 50);
  placeLine(pauseText.lines[1], cameraEye, -325, -50);
  placeLine(pauseText.lines[2], cameraEye, -325, -150);
  pauseText.draw(context, textures);
}

void GameMenu::drawEnding(RenderContext& context, const TextureRegistry& textures, Vec3 cameraEye,
                          double playSeconds, int retries) {
  drawVeil(shade, context, textures, cameraEye);
  endingPanel.setPosition(cameraEye.x, cameraEye.y);
  endingPanel.draw(context, textures);
  endingText.lines[1].text = "Time " + formatPlayTime(playSeconds);
  endingText.lines[2].text = "Retries " + std::to_string(retries);
  // Each line centred: a line of n glyphs of size s spans (n - 1) * s / 1.5 between its end centres.
  const float ys[] = {110, 30, -30, -120};
  for (std::size_t i = 0; i < endingText.lines.size(); ++i) {
    Font& line = endingText.lines[i];
    const float span = static_cast<float>(line.text.size() - 1) * static_cast<float>(line.size) / 1.5f;
    placeLine(line, cameraEye, -span / 2, ys[i]);
  }
  endingText.draw(context, textures);
}

void GameMenu::drawHud(RenderContext& context, const TextureRegistry& textures) {
  waterIcon.draw(context, textures);
  steamIcon.draw(context, textures);
  iceIcon.draw(context, textures);
}

void GameMenu::handleHudClick(bool leftButtonDown, Vec3 cursor) {
  if (!leftButtonDown) return;
  Vec3 p(cursor.x - kScreenWidth / 2.0f, kScreenHeight / 2.0f - cursor.y, 0);
  UIElement* icons[] = {&waterIcon, &steamIcon, &iceIcon};
  for (UIElement* icon : icons) {
    if (!pointInRect(p, icon->getBounds())) continue;
    for (UIElement* other : icons) other->deselect();
    icon->select();
    hudClicked = true;
    return;
  }
}

void GameMenu::showPower(Power power) {
  UIElement* chosen = nullptr;
  switch (power) {
    case Power::Steam: chosen = &steamIcon; break;
    case Power::Water: chosen = &waterIcon; break;
    case Power::Ice: chosen = &iceIcon; break;
    default: return;
  }
  waterIcon.deselect();
  steamIcon.deselect();
  iceIcon.deselect();
  chosen->select();
}

}  // namespace vw
