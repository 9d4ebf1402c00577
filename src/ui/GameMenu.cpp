#include "ui/GameMenu.h"

#include "physics/Geometry.h"
#include "render/RenderContext.h"

namespace vw {

GameMenu::GameMenu()
    : iceIcon("ICEICON", 60, 60),
      waterIcon("WATERICON", 60, 60),
      steamIcon("STEAMICON", 60, 60),
      menuBackground("VAPORWICKMENU", 283, 1205) {
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
  if (instructionsShown) instructionsText.draw(context, textures);
  if (creditsShown) creditsText.draw(context, textures);
}

void GameMenu::drawPause(RenderContext& context, const TextureRegistry& textures, Vec3 cameraEye) {
  pauseText.lines[0].x = static_cast<int>(cameraEye.x - 325);
  pauseText.lines[0].y = static_cast<int>(cameraEye.y + 50);
  pauseText.lines[1].x = static_cast<int>(cameraEye.x - 325);
  pauseText.lines[1].y = static_cast<int>(cameraEye.y - 50);
  pauseText.draw(context, textures);
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
