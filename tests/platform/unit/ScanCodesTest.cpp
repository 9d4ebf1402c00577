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

}  // namespace
}  // namespace vw
