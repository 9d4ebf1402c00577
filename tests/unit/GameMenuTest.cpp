#include <gtest/gtest.h>

#include "ui/GameMenu.h"

namespace vw {
namespace {

Vec3 backBuffer(float px, float py) { return Vec3(px + 500, 400 - py, 0); }

TEST(Hud, EveryDrawnIconPixelSelectsItsIcon) {
  struct Icon {
    float x;
    bool (GameMenu::*selected)() const;
  };
  const Icon icons[] = {{-460, &GameMenu::isWaterIconSelected},
                        {-390, &GameMenu::isSteamIconSelected},
                        {-320, &GameMenu::isIceIconSelected}};
  for (const Icon& icon : icons) {
    for (float dx = -30; dx <= 30; dx += 1) {
      for (float dy = -30; dy <= 30; dy += 5) {
        GameMenu menu;
        menu.showPower(Power::Steam);
        if (icon.selected == &GameMenu::isSteamIconSelected) menu.showPower(Power::Ice);
        menu.handleHudClick(true, backBuffer(icon.x + dx, -350 + dy));
        ASSERT_TRUE(menu.hudClicked) << icon.x + dx << "," << -350 + dy;
        ASSERT_TRUE((menu.*icon.selected)()) << icon.x + dx << "," << -350 + dy;
      }
    }
  }
}

}  // namespace
}  // namespace vw
