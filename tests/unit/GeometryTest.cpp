// Rectangles touch at their edges and corners: a player standing exactly on a
// block's top, or a click on a button's rim, counts.
#include <gtest/gtest.h>

#include "physics/Geometry.h"

namespace vw {
namespace {

TEST(RectsOverlap, SharedEdgesAndCornersOverlapBothWays) {
  const Bounds a{0, 5, 10, 0};
  struct Case {
    Bounds b;
    bool overlap;
  };
  const Case cases[] = {
      {{5, 9, 10, 0}, true},         // the edge x = 5
      {{5, 9, 14, 10}, true},        // the corner (5, 10)
      {{5.001f, 9, 10, 0}, false},
      {{0, 5, 20, 10.001f}, false},
      {{-10, 20, 30, -10}, true},    // around it
  };
  for (const Case& c : cases) {
    EXPECT_EQ(rectsOverlap(a, c.b), c.overlap) << c.b.left << " " << c.b.bottom;
    EXPECT_EQ(rectsOverlap(c.b, a), c.overlap) << c.b.left << " " << c.b.bottom;
  }
  EXPECT_TRUE(pointInRect({10, 20, 0}, Bounds{0, 10, 20, 5}));  // a corner is inside
  EXPECT_FALSE(pointInRect({-0.001f, 10, 0}, Bounds{0, 10, 20, 5}));
}

}  // namespace
}  // namespace vw
