#include <gtest/gtest.h>

#include "gl/FrameRecord.h"

namespace vw {
namespace {

// A small frame as the render pass draws it: clear, one sprite, one batch.
void drawFrame(FrameRecord& f, Vec2 uvOffset, float particleX) {
  f.setTarget(RenderTarget::BackBuffer);
  f.clear({0, 0.8f, 1, 1});
  f.setBlend(BlendMode::Alpha);
  DrawState sprite;
  sprite.uvOffset = uvOffset;
  sprite.texture = 3;
  f.drawQuad(sprite);
  Vertex* v = f.mapBatch(2);
  for (int i = 0; i < 8; ++i) v[i] = {Vec3(particleX + i, 1, 0), Vec2(0, 0)};
  f.drawBatch(DrawState{}, 2);
}

TEST(FrameRecord, AnyChangedValueMakesADifferentFrame) {
  FrameRecord a, b, c, d;
  drawFrame(a, Vec2(0.5f, 0), 10);
  drawFrame(b, Vec2(0.25f, 0), 10);  // the next animation frame
  drawFrame(c, Vec2(0.5f, 0), 11);   // a particle moved
  EXPECT_FALSE(a.sameAs(b));
  EXPECT_FALSE(a.sameAs(c));
  drawFrame(d, Vec2(0.5f, 0), 10);
  d.drawQuad(DrawState{});  // one more sprite
  EXPECT_FALSE(a.sameAs(d));
  EXPECT_FALSE(d.sameAs(a));
  FrameRecord empty;
  EXPECT_FALSE(a.sameAs(empty));
  EXPECT_TRUE(empty.sameAs(FrameRecord{}));
}

}  // namespace
}  // namespace vw
