#include <gtest/gtest.h>

#include "gl/Letterbox.h"

namespace vw {
namespace {

TEST(WindowToBackBuffer, MapsThroughTheLetterbox) {
  // Same size: unchanged.
  Vec2 p = windowToBackBuffer({123, 456}, {1000, 800});
  EXPECT_FLOAT_EQ(p.x, 123);
  EXPECT_FLOAT_EQ(p.y, 456);
  // Twice the size.
  p = windowToBackBuffer({1000, 800}, {2000, 1600});
  EXPECT_FLOAT_EQ(p.x, 500);
  EXPECT_FLOAT_EQ(p.y, 400);
  // Side bars of 500 pixels: the image's left edge is window x 500.
  p = windowToBackBuffer({500, 0}, {2000, 800});
  EXPECT_FLOAT_EQ(p.x, 0);
  EXPECT_FLOAT_EQ(p.y, 0);
  p = windowToBackBuffer({1500, 800}, {2000, 800});
  EXPECT_FLOAT_EQ(p.x, 1000);
  EXPECT_FLOAT_EQ(p.y, 800);
  // Bars of 300 above and below, half scale.
  p = windowToBackBuffer({250, 500}, {500, 1000});
  EXPECT_FLOAT_EQ(p.x, 500);
  EXPECT_FLOAT_EQ(p.y, 400);
}

}  // namespace
}  // namespace vw
