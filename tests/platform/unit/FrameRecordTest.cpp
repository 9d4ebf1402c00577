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

TEST(FrameRecord, TheSameFrameTwiceIsTheSame) {
  FrameRecord a, b;
  drawFrame(a, Vec2(0.5f, 0), 10);
  drawFrame(b, Vec2(0.5f, 0), 10);
  EXPECT_TRUE(a.sameAs(b));
  EXPECT_EQ(a.calls().size(), 5u);
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

TEST(FrameRecord, BatchesKeepTheirOwnVertices) {
  FrameRecord f;
  Vertex* first = f.mapBatch(1);
  for (int i = 0; i < 4; ++i) first[i].position = Vec3(1, 0, 0);
  f.drawBatch(DrawState{}, 1);
  Vertex* second = f.mapBatch(1);
  for (int i = 0; i < 4; ++i) second[i].position = Vec3(2, 0, 0);
  f.drawBatch(DrawState{}, 1);
  ASSERT_EQ(f.calls().size(), 2u);
  EXPECT_FLOAT_EQ(f.vertices(f.calls()[0].firstVertex)->position.x, 1);
  EXPECT_FLOAT_EQ(f.vertices(f.calls()[1].firstVertex)->position.x, 2);
}

TEST(FrameRecord, BatchesAreBoundedByWhatWasMapped) {
  FrameRecord f;
  f.mapBatch(kBatchQuads + 5);  // more than the buffer holds
  f.drawBatch(DrawState{}, kBatchQuads + 5);
  ASSERT_EQ(f.calls().size(), 1u);
  EXPECT_EQ(f.calls()[0].quadCount, kBatchQuads);
  f.mapBatch(3);
  f.drawBatch(DrawState{}, 10);  // draws no more than were mapped
  EXPECT_EQ(f.calls()[1].quadCount, 3u);
  f.drawBatch(DrawState{}, 3);  // nothing mapped: nothing drawn
  f.mapBatch(0);
  f.drawBatch(DrawState{}, 0);
  EXPECT_EQ(f.calls().size(), 2u);
}

TEST(FrameRecord, ABatchMappedAgainBeforeItIsDrawnIsReplaced) {
  FrameRecord f;
  f.mapBatch(5);
  Vertex* v = f.mapBatch(2);
  for (int i = 0; i < 8; ++i) v[i].position = Vec3(7, 0, 0);
  f.drawBatch(DrawState{}, 2);
  ASSERT_EQ(f.calls().size(), 1u);
  EXPECT_EQ(f.calls()[0].firstVertex, 0u);
  EXPECT_EQ(f.calls()[0].quadCount, 2u);
}

}  // namespace
}  // namespace vw
