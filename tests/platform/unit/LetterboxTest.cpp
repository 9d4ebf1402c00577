#include <gtest/gtest.h>

#include "gl/Letterbox.h"

namespace vw {
namespace {

// A click in a window of any size lands where the player sees it in the 1000 x 800 picture.
TEST(WindowToBackBuffer, MapsThroughTheLetterbox) {
  struct Case {
    PixelSize window;
    Vec2 click, expected;
  };
  const Case cases[] = {
      {{1000, 800}, {123, 456}, {123, 456}},  // same size
      {{2000, 1600}, {1000, 800}, {500, 400}},  // twice the size
      {{2000, 800}, {500, 0}, {0, 0}},  // side bars of 500: the picture's left edge
      {{500, 1000}, {250, 500}, {500, 400}},  // bars above and below, half scale
  };
  for (const Case& c : cases) {
    const Vec2 p = windowToBackBuffer(c.click, c.window);
    EXPECT_FLOAT_EQ(p.x, c.expected.x) << c.window.width << " x " << c.window.height;
    EXPECT_FLOAT_EQ(p.y, c.expected.y) << c.window.width << " x " << c.window.height;
  }
}

}  // namespace
}  // namespace vw
