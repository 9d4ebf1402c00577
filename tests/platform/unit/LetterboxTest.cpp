#include <gtest/gtest.h>

#include "gl/Letterbox.h"

namespace vw {
namespace {

void expectRect(PixelRect r, int x, int y, int w, int h) {
  EXPECT_EQ(r.x, x);
  EXPECT_EQ(r.y, y);
  EXPECT_EQ(r.width, w);
  EXPECT_EQ(r.height, h);
}

TEST(Letterbox, FitsTheBackBufferKeepingItsShape) {
  expectRect(letterboxRect({1000, 800}), 0, 0, 1000, 800);
  expectRect(letterboxRect({500, 400}), 0, 0, 500, 400);
  // Wider than 5:4: bars left and right.
  expectRect(letterboxRect({2000, 800}), 500, 0, 1000, 800);
  expectRect(letterboxRect({1500, 900}), 187, 0, 1125, 900);
  // Taller: bars above and below.
  expectRect(letterboxRect({1000, 1600}), 0, 400, 1000, 800);
  expectRect(letterboxRect({640, 1000}), 0, 244, 640, 512);
  // A minimised window has nowhere to draw.
  expectRect(letterboxRect({0, 0}), 0, 0, 0, 0);
  expectRect(letterboxRect({1000, 0}), 0, 0, 0, 0);
}

TEST(Letterbox, OddSizesStayInsideTheWindow) {
  for (int w = 1; w < 400; w += 7) {
    for (int h = 1; h < 400; h += 11) {
      PixelRect r = letterboxRect({w, h});
      EXPECT_GE(r.x, 0);
      EXPECT_GE(r.y, 0);
      EXPECT_LE(r.x + r.width, w) << w << "x" << h;
      EXPECT_LE(r.y + r.height, h) << w << "x" << h;
      EXPECT_TRUE(r.width == w || r.height == h) << w << "x" << h;
    }
  }
}

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

TEST(WindowToBackBuffer, PointsOnTheBarsLieOutsideTheBackBuffer) {
  Vec2 p = windowToBackBuffer({100, 400}, {2000, 800});
  EXPECT_LT(p.x, 0);
  p = windowToBackBuffer({1900, 400}, {2000, 800});
  EXPECT_GT(p.x, 1000);
}

TEST(WindowToBackBuffer, AnEmptyWindowGivesTheCentre) {
  Vec2 p = windowToBackBuffer({10, 10}, {0, 0});
  EXPECT_FLOAT_EQ(p.x, 500);
  EXPECT_FLOAT_EQ(p.y, 400);
}

}  // namespace
}  // namespace vw
