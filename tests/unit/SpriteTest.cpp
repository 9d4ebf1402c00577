#include <gtest/gtest.h>

#include "render/Sprite.h"
#include "render/Text.h"
#include "support/RecordingRenderContext.h"
#include "render/TextureRegistry.h"

namespace vw {
namespace {

TEST(Sprite, BoundsFromCentreAndSize) {
  Sprite s("X", 100, 50);
  s.translate(200, 300, 0);
  Bounds b = s.updateBounds();
  EXPECT_FLOAT_EQ(b.left, 150);
  EXPECT_FLOAT_EQ(b.right, 250);
  EXPECT_FLOAT_EQ(b.top, 325);
  EXPECT_FLOAT_EQ(b.bottom, 275);
}

TEST(Sprite, SetSizeScalesTheWholeMatrixTranslationIncluded) {
  Sprite s("X", 10, 20);
  s.translate(30, 40, 0);
  s.setSize(20, 10);
  EXPECT_EQ(s.getPosition(), Vec3(60, 20, 0));  // x * 20/10, y * 10/20
  EXPECT_FLOAT_EQ(s.getWidth(), 20);
}

TEST(Sprite, SheetCellsCutToFiveDecimals) {
  Sprite s("X", 1, 1);
  s.setColumns(18);
  s.setRows(3);
  SheetCell c = s.sheetCell();
  EXPECT_FLOAT_EQ(c.uvScale.x, 0.05555f);
  EXPECT_FLOAT_EQ(c.uvScale.y, 0.33333f);
}

TEST(Sprite, AnimationStepsEverySecondDrawByDefaultAndLoops) {
  Sprite s("X", 1, 1);
  s.setRows(1);
  s.setFrameCount(0, 3);
  std::vector<int> frames;
  for (int i = 0; i < 8; ++i) {
    s.stepAnimation();
    frames.push_back(s.getFrame());
  }
  EXPECT_EQ(frames, (std::vector<int>{0, 1, 1, 2, 2, 0, 0, 1}));
}

TEST(Sprite, NonLoopingAnimationsStopAtTheirEnds) {
  Sprite s("X", 1, 1);
  s.setFrameCount(0, 3);
  s.loop = false;
  s.frameDelay = 0;
  for (int i = 0; i < 10; ++i) s.stepAnimation();
  EXPECT_EQ(s.getFrame(), 2);
  s.frameStep = -1;
  for (int i = 0; i < 10; ++i) s.stepAnimation();
  EXPECT_EQ(s.getFrame(), 0);
}

TEST(Sprite, OneFrameRowStaysOnFrameZero) {
  Sprite s("X", 1, 1);
  s.loop = false;
  for (int i = 0; i < 5; ++i) s.stepAnimation();
  EXPECT_EQ(s.getFrame(), 0);
  s.loop = true;
  for (int i = 0; i < 5; ++i) s.stepAnimation();
  EXPECT_EQ(s.getFrame(), 0);
}

TEST(Sprite, SetAnimationBackwardStartsOnTheLastFrame) {
  Sprite s("X", 1, 1);
  s.setRows(3);
  EXPECT_EQ(s.getFrameCount(1), 1);
  EXPECT_EQ(s.getFrameCount(2), 1);
  s.setFrameCount(1, 13);
  s.frameStep = -1;
  s.setAnimation(1);
  EXPECT_EQ(s.getFrame(), 12);
  s.stepAnimation();
  s.stepAnimation();
  s.setAnimation(1);  // the same row again changes nothing
  EXPECT_EQ(s.getFrame(), 11);
}

TEST(Sprite, NearCameraBandIsInclusive) {
  Vec3 camera(0, 0, -10);
  for (float x : {-700.0f, 800.0f, 0.0f}) {
    Sprite s("X", 1, 1);
    s.translate(x, 0, 0);
    EXPECT_TRUE(s.isNearCamera(camera, 1000)) << x;
  }
  for (float x : {-700.01f, 800.01f}) {
    Sprite s("X", 1, 1);
    s.translate(x, 0, 0);
    EXPECT_FALSE(s.isNearCamera(camera, 1000)) << x;
  }
}

TEST(Sprite, DrawSetsTheCellMirrorAndMatrixThenResetsUv) {
  test::RecordingRenderContext context;
  Matrix viewProj(1.0f);
  context.viewProj = &viewProj;
  TextureRegistry textures(context, ".");
  Sprite s("X", 32, 100);
  s.setColumns(18);
  s.setRows(2);
  s.setFrameCount(1, 18);
  s.setAnimation(1);
  s.setFacing(-1);
  s.delayCounter = 1;  // the next draw steps to frame 1
  s.draw(context, textures);
  ASSERT_EQ(context.quads().size(), 1u);
  test::DrawState st = context.quads()[0].state;
  EXPECT_FLOAT_EQ(st.uvOffset.x, 0.05555f);
  EXPECT_FLOAT_EQ(st.uvOffset.y, 0.5f);
  EXPECT_EQ(st.dir, Vec2(-1, 0));
  EXPECT_FLOAT_EQ(st.wvp[0][0], 32);
  EXPECT_FLOAT_EQ(st.wvp[1][1], 100);
}

TEST(Sprite, OffScreenDrawStepsTheAnimationWithoutAQuad) {
  test::RecordingRenderContext context;
  // The game's camera at the origin: the screen is x -500 .. 500, y -400 .. 400.
  Matrix viewProj = multiply(lookAtLH(Vec3(0, 0, -10), Vec3(0, 0, 0), Vec3(0, 1, 0)), orthoLH(1000, 800, 1, 1000));
  context.viewProj = &viewProj;
  TextureRegistry textures(context, ".");
  Sprite s("X", 100, 100);
  s.setRows(1);
  s.setFrameCount(0, 3);
  s.frameDelay = 0;
  auto drawnAt = [&](float x, float y) {
    s.setPosition(x, y);
    context.draws.clear();
    const int frame = s.getFrame();
    s.draw(context, textures);
    EXPECT_NE(s.getFrame(), frame) << x << ", " << y;  // stepped either way
    return context.quads().size() == 1;
  };
  EXPECT_TRUE(drawnAt(0, 0));
  EXPECT_TRUE(drawnAt(549, 0));  // its left edge just inside the right one
  EXPECT_TRUE(drawnAt(-549, 449));
  EXPECT_FALSE(drawnAt(551, 0));
  EXPECT_FALSE(drawnAt(0, -451));
  EXPECT_FALSE(drawnAt(5000, 5000));
}

TEST(Glyphs, CellsOfLettersDigitsAndSigns) {
  auto cell = [](char c) {
    GlyphCell g = glyphCell(c);
    return std::pair(g.column, g.row);
  };
  EXPECT_EQ(cell('A'), std::pair(0, 0));
  EXPECT_EQ(cell('Z'), std::pair(1, 3));
  EXPECT_EQ(cell('a'), std::pair(2, 3));
  EXPECT_EQ(cell('z'), std::pair(3, 6));
  EXPECT_EQ(cell('0'), std::pair(4, 6));
  EXPECT_EQ(cell('9'), std::pair(5, 7));
  EXPECT_EQ(cell(' '), std::pair(5, 9));
  EXPECT_EQ(cell('?'), std::pair(7, 8));
  EXPECT_EQ(cell('.'), std::pair(6, 7));
}

TEST(TextDraw, GlyphsOverlapByAThirdAndEmptyLinesStillMoveTheSprite) {
  test::RecordingRenderContext context;
  Matrix viewProj(1.0f);
  context.viewProj = &viewProj;
  TextureRegistry textures(context, ".");
  Text text;
  text.addLine({"Hi", 55, 100, 30});
  text.addLine({"", 7, 9, 10});
  text.draw(context, textures);
  auto quads = context.quads();
  ASSERT_EQ(quads.size(), 2u);
  EXPECT_FLOAT_EQ(translationOf(quads[0].state.wvp).x, 55);
  EXPECT_FLOAT_EQ(translationOf(quads[1].state.wvp).x, 75);
  EXPECT_FLOAT_EQ(translationOf(quads[1].state.wvp).y, 100);
  EXPECT_FLOAT_EQ(quads[1].state.wvp[0][0], 30);
  EXPECT_EQ(text.getPosition(), Vec3(7, 9, 0));
  EXPECT_EQ(quads[0].state.dir, Vec2(1, 0));
}

}  // namespace
}  // namespace vw
