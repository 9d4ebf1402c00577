#pragma once
// A render context that records every draw with the state it was made in,
// so tests can check what the game draws, where and in which order.
#include <string>
#include <vector>

#include "render/RenderContext.h"

namespace vw::test {

struct DrawState {
  Vec2 uvScale{1, 1};
  Vec2 uvOffset{0, 0};
  Vec2 dir{1, 0};
  Matrix wvp{1.0f};
  TextureId texture = 0;
  BlendMode blend = BlendMode::Alpha;
  RenderTarget target = RenderTarget::BackBuffer;
};

struct RecordedDraw {
  enum class Kind { Quad, Batch, Clear, Present } kind = Kind::Quad;
  DrawState state;
  std::vector<Vertex> vertices;  // batches
  Color color;                   // clears
};

class RecordingRenderContext : public NullRenderContext {
 public:
  bool drawsNothing() const override { return false; }
  void setUvScale(Vec2 v) override { state_.uvScale = v; }
  void setUvOffset(Vec2 v) override { state_.uvOffset = v; }
  void setDir(Vec2 v) override { state_.dir = v; }
  void setWorldViewProj(const Matrix& m) override { state_.wvp = m; }
  void setTexture(TextureId t) override { state_.texture = t; }
  void drawQuad() override { add({RecordedDraw::Kind::Quad, state_, {}, {}}); }
  Vertex* mapBatch(std::size_t quads) override {
    batch_.assign(quads * 4, Vertex{});
    return batch_.data();
  }
  void drawBatch(std::size_t quads) override {
    if (recording) add({RecordedDraw::Kind::Batch, state_, std::vector<Vertex>(batch_.begin(), batch_.begin() + quads * 4), {}});
  }
  void setBlend(BlendMode mode) override { state_.blend = mode; }
  void setTarget(RenderTarget target) override { state_.target = target; }
  void clear(Color c) override { add({RecordedDraw::Kind::Clear, state_, {}, c}); }
  TextureId layerTexture(RenderTarget layer) override { return 1000 + static_cast<int>(layer); }
  void present() override { add({RecordedDraw::Kind::Present, state_, {}, {}}); }

  std::vector<RecordedDraw> quads() const {
    std::vector<RecordedDraw> out;
    for (const auto& d : draws) {
      if (d.kind == RecordedDraw::Kind::Quad) out.push_back(d);
    }
    return out;
  }

  std::vector<RecordedDraw> draws;
  bool recording = true;  // off: long runs keep no draws

 private:
  void add(RecordedDraw draw) {
    if (recording) draws.push_back(std::move(draw));
  }
  DrawState state_;
  std::vector<Vertex> batch_;
};

}  // namespace vw::test
