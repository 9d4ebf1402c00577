#pragma once
// What one frame draws, recorded instead of sent at once, so that a frame
// identical to the one before it (a still title menu or pause screen) costs
// no drawing and no presenting. Plain data: no graphics calls here.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "render/RenderContext.h"

namespace vw {

// The effect's values at a draw.
struct DrawState {
  Matrix wvp{1.0f};
  Vec2 uvScale{1, 1};
  Vec2 uvOffset{0, 0};
  Vec2 dir{1, 0};
  TextureId texture = 0;

  bool operator==(const DrawState&) const = default;
};

enum class CallKind : std::uint8_t { Target, Blend, Clear, Quad, Batch };

struct DrawCall {
  CallKind kind = CallKind::Quad;
  RenderTarget target = RenderTarget::BackBuffer;  // Target
  BlendMode blend = BlendMode::Alpha;              // Blend
  glm::vec4 colour{0};                             // Clear
  DrawState state;                                 // Quad, Batch
  std::size_t firstVertex = 0;                     // Batch: its quads in vertices()
  std::size_t quadCount = 0;

  bool operator==(const DrawCall&) const = default;
};

class FrameRecord {
 public:
  void setTarget(RenderTarget target);
  void setBlend(BlendMode mode);
  void clear(Color colour);
  void drawQuad(const DrawState& state);
  // Room for quadCount particle quads (at most kBatchQuads) at the end of the frame's vertices.
  Vertex* mapBatch(std::size_t quadCount);
  // Records the quads written since mapBatch (at most as many as were mapped).
  void drawBatch(const DrawState& state, std::size_t quadCount);
  // Empties the record for the next frame; the storage is kept.
  void reset();

  const std::vector<DrawCall>& calls() const { return calls_; }
  const Vertex* vertices(std::size_t first) const { return vertices_.data() + first; }
  bool empty() const { return calls_.empty(); }
  // Same calls with the same values and the same particle vertices.
  bool sameAs(const FrameRecord& other) const;

 private:
  std::vector<DrawCall> calls_;
  std::vector<Vertex> vertices_;
  std::size_t mappedFirst_ = 0;  // where the last mapBatch's quads start
  std::size_t mappedQuads_ = 0;  // 0 when no batch is waiting to be drawn
};

}  // namespace vw
