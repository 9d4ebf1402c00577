#include <gtest/gtest.h>

#include "render/Sprite.h"
#include "support/RecordingRenderContext.h"
#include "render/TextureRegistry.h"

namespace vw {
namespace {

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

}  // namespace
}  // namespace vw
