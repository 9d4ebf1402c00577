#include <gtest/gtest.h>

#include "physics/Geometry.h"

namespace vw {
namespace {

TEST(RectsOverlap, SharedEdgesAndCornersOverlap) {
  EXPECT_TRUE(rectsOverlap({0, 5, 10, 0}, {5, 9, 10, 0}));     // edge x = 5
  EXPECT_TRUE(rectsOverlap({0, 5, 10, 0}, {5, 9, 14, 10}));    // corner (5, 10)
  EXPECT_FALSE(rectsOverlap({0, 5, 10, 0}, {5.001f, 9, 10, 0}));
  EXPECT_FALSE(rectsOverlap({0, 5, 10, 0}, {0, 5, 20, 10.001f}));
  // Symmetric.
  EXPECT_EQ(rectsOverlap({0, 5, 10, 0}, {4, 9, 12, 8}), rectsOverlap({4, 9, 12, 8}, {0, 5, 10, 0}));
}

TEST(PointInRect, EdgesAreInside) {
  Bounds r{0, 10, 20, 5};
  EXPECT_TRUE(pointInRect({0, 10, 0}, r));   // left edge
  EXPECT_TRUE(pointInRect({4, 5, 0}, r));    // bottom edge
  EXPECT_TRUE(pointInRect({10, 20, 0}, r));  // corner
  EXPECT_FALSE(pointInRect({4, 20.001f, 0}, r));
  EXPECT_FALSE(pointInRect({-0.001f, 10, 0}, r));
}

TEST(CollisionSide, RestingOnTopIsTop) {
  Bounds block{0, 100, 50, 0};
  Bounds mover{40, 41, 60, 50};  // width 1, bottom on the block's top
  EXPECT_EQ(collisionSide(mover, block), CollisionType::Top);
}

TEST(CollisionSide, TouchingAWallIsSide) {
  Bounds wall{100, 200, 300, 0};
  Bounds mover{68, 100, 150, 50};  // right edge on the wall's left face
  EXPECT_EQ(collisionSide(mover, wall), CollisionType::Side);
}

TEST(CollisionSide, TiesGoToSideThenBottom) {
  // Equal depths: Side.
  EXPECT_EQ(collisionSide({0, 10, 10, 0}, {5, 15, 15, 5}), CollisionType::Side);
  // Identical 2 x 1 rectangles: dx = -2, dy = -1, tops level: Bottom.
  EXPECT_EQ(collisionSide({0, 2, 1, 0}, {0, 2, 1, 0}), CollisionType::Bottom);
  // Identical 1 x 2 rectangles: Side.
  EXPECT_EQ(collisionSide({0, 1, 2, 0}, {0, 1, 2, 0}), CollisionType::Side);
}

TEST(CollisionSide, HeadBumpIsBottom) {
  Bounds ceiling{-100, 100, 300, 200};
  Bounds mover{-16, 16, 205, 105};
  EXPECT_EQ(collisionSide(mover, ceiling), CollisionType::Bottom);
}

}  // namespace
}  // namespace vw
