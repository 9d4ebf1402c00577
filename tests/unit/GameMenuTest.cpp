#include <gtest/gtest.h>

#include "ui/GameMenu.h"

namespace vw {
namespace {

Vec3 backBuffer(float px, float py) { return Vec3(px + 500, 400 - py, 0); }

TEST(Hud, StartsWithWaterSelectedAndExactlyOneIconAfterEveryChange) {
  GameMenu menu;
  EXPECT_TRUE(menu.isWaterIconSelected());
  EXPECT_FALSE(menu.isSteamIconSelected());
  EXPECT_FALSE(menu.isIceIconSelected());
  menu.showPower(Power::Ice);
  EXPECT_TRUE(menu.isIceIconSelected());
  EXPECT_FALSE(menu.isWaterIconSelected());
  menu.showPower(Power::Ice);  // the selected one again: unchanged
  EXPECT_TRUE(menu.isIceIconSelected());
  menu.showPower(static_cast<Power>(7));  // not a power: nothing changes
  EXPECT_TRUE(menu.isIceIconSelected());
}

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

TEST(Menu, PanelsAndTexts) {
  GameMenu menu;
  EXPECT_TRUE(menu.instructionsShown);
  EXPECT_FALSE(menu.creditsShown);
  ASSERT_EQ(menu.titleText.lines.size(), 4u);
  EXPECT_EQ(menu.titleText.lines[1].text, "Start Game");
  EXPECT_EQ(menu.instructionsText.lines[0].text, "Controls");
  EXPECT_EQ(menu.instructionsText.lines[3].text, "Hold W to open your umbrella");
  EXPECT_EQ(menu.creditsText.lines.size(), 4u);
  EXPECT_EQ(menu.pauseText.lines[1].text, "Press R to restart the game");
  // Every character has a cell on the glyph sheet (rows 0 to 9).
  for (const Text* text : {&menu.titleText, &menu.instructionsText, &menu.creditsText, &menu.pauseText}) {
    for (const Font& line : text->lines) {
      for (char c : line.text) {
        GlyphCell cell = glyphCell(c);
        EXPECT_TRUE(cell.column >= 0 && cell.column < 8 && cell.row >= 0 && cell.row < 10) << line.text << " '" << c << "'";
      }
    }
  }
}

}  // namespace
}  // namespace vw
