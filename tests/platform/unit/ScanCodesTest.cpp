#include <SDL_scancode.h>
#include <gtest/gtest.h>

#include <set>

#include "app/KeyCodes.h"
#include "platform/ScanCodes.h"

namespace vw {
namespace {

TEST(ScanCodes, TheGamesKeysHaveTheirCodes) {
  EXPECT_EQ(set1CodeForScancode(SDL_SCANCODE_ESCAPE), Key::Escape);
  EXPECT_EQ(set1CodeForScancode(SDL_SCANCODE_1), Key::One);
  EXPECT_EQ(set1CodeForScancode(SDL_SCANCODE_2), Key::Two);
  EXPECT_EQ(set1CodeForScancode(SDL_SCANCODE_3), Key::Three);
  EXPECT_EQ(set1CodeForScancode(SDL_SCANCODE_Q), Key::Q);
  EXPECT_EQ(set1CodeForScancode(SDL_SCANCODE_W), Key::W);
  EXPECT_EQ(set1CodeForScancode(SDL_SCANCODE_E), Key::E);
  EXPECT_EQ(set1CodeForScancode(SDL_SCANCODE_R), Key::R);
  EXPECT_EQ(set1CodeForScancode(SDL_SCANCODE_P), Key::P);
  EXPECT_EQ(set1CodeForScancode(SDL_SCANCODE_A), Key::A);
  EXPECT_EQ(set1CodeForScancode(SDL_SCANCODE_S), Key::S);
  EXPECT_EQ(set1CodeForScancode(SDL_SCANCODE_D), Key::D);
  EXPECT_EQ(set1CodeForScancode(SDL_SCANCODE_M), Key::M);
  EXPECT_EQ(set1CodeForScancode(SDL_SCANCODE_GRAVE), Key::Grave);
  EXPECT_EQ(set1CodeForScancode(SDL_SCANCODE_SPACE), Key::Space);
  EXPECT_EQ(set1CodeForScancode(SDL_SCANCODE_F3), Key::F3);
  EXPECT_EQ(set1CodeForScancode(SDL_SCANCODE_UP), Key::Up);
  EXPECT_EQ(set1CodeForScancode(SDL_SCANCODE_LEFT), Key::Left);
  EXPECT_EQ(set1CodeForScancode(SDL_SCANCODE_RIGHT), Key::Right);
  EXPECT_EQ(set1CodeForScancode(SDL_SCANCODE_DOWN), Key::Down);
}

TEST(ScanCodes, RowsOfTheKeyboardFollowTheSet1Layout) {
  const SDL_Scancode topRow[] = {SDL_SCANCODE_Q, SDL_SCANCODE_W, SDL_SCANCODE_E, SDL_SCANCODE_R, SDL_SCANCODE_T,
                                 SDL_SCANCODE_Y, SDL_SCANCODE_U, SDL_SCANCODE_I, SDL_SCANCODE_O, SDL_SCANCODE_P};
  for (int i = 0; i < 10; ++i) EXPECT_EQ(set1CodeForScancode(topRow[i]), 16 + i);
  const SDL_Scancode bottomRow[] = {SDL_SCANCODE_Z, SDL_SCANCODE_X, SDL_SCANCODE_C, SDL_SCANCODE_V,
                                    SDL_SCANCODE_B, SDL_SCANCODE_N, SDL_SCANCODE_M};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(set1CodeForScancode(bottomRow[i]), 44 + i);
  // Digits 1..9 then 0 are 2..11.
  for (int i = 0; i < 9; ++i) EXPECT_EQ(set1CodeForScancode(SDL_SCANCODE_1 + i), 2 + i);
  EXPECT_EQ(set1CodeForScancode(SDL_SCANCODE_0), 11);
  // F1..F10 are 59..68; F11 and F12 87 and 88.
  for (int i = 0; i < 10; ++i) EXPECT_EQ(set1CodeForScancode(SDL_SCANCODE_F1 + i), 59 + i);
  EXPECT_EQ(set1CodeForScancode(SDL_SCANCODE_F11), 87);
  EXPECT_EQ(set1CodeForScancode(SDL_SCANCODE_F12), 88);
  EXPECT_EQ(set1CodeForScancode(SDL_SCANCODE_RETURN), 28);
  EXPECT_EQ(set1CodeForScancode(SDL_SCANCODE_KP_ENTER), 156);
}

TEST(ScanCodes, EveryKnownKeyHasItsOwnCodeAndTheRestNone) {
  std::set<int> seen;
  int known = 0;
  for (int sc = 0; sc < SDL_NUM_SCANCODES; ++sc) {
    int code = set1CodeForScancode(sc);
    EXPECT_GE(code, 0);
    EXPECT_LT(code, 256);
    if (code == 0) continue;
    ++known;
    EXPECT_TRUE(seen.insert(code).second) << "scancode " << sc << " repeats set-1 code " << code;
  }
  EXPECT_GT(known, 100);
  EXPECT_EQ(set1CodeForScancode(SDL_SCANCODE_UNKNOWN), 0);
  EXPECT_EQ(set1CodeForScancode(SDL_SCANCODE_AUDIOPLAY), 0);
  EXPECT_EQ(set1CodeForScancode(-1), 0);
  EXPECT_EQ(set1CodeForScancode(SDL_NUM_SCANCODES), 0);
}

}  // namespace
}  // namespace vw
