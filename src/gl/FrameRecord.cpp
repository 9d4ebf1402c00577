#include "gl/FrameRecord.h"

#include <algorithm>
#include <cstring>

namespace vw {

void FrameRecord::setTarget(RenderTarget target) {
  DrawCall call;
  call.kind = CallKind::Target;
  call.target = target;
  calls_.push_back(call);
}

void FrameRecord::setBlend(BlendMode mode) {
  DrawCall call;
  call.kind = CallKind::Blend;
  call.blend = mode;
  calls_.push_back(call);
}

void FrameRecord::clear(Color colour) {
  DrawCall call;
  call.kind = CallKind::Clear;
  call.colour = glm::vec4(colour.r, colour.g, colour.b, colour.a);
  calls_.push_back(call);
}

void FrameRecord::drawQuad(const DrawState& state) {
  DrawCall call;
  call.kind = CallKind::Quad;
  call.state = state;
  calls_.push_back(call);
}

Vertex* FrameRecord::mapBatch(std::size_t quadCount) {
  quadCount = std::min(quadCount, kBatchQuads);
  // A batch mapped again before it was drawn is replaced.
  if (mappedQuads_ == 0) mappedFirst_ = vertices_.size();
  vertices_.resize(mappedFirst_ + quadCount * 4);
  mappedQuads_ = quadCount;
  return vertices_.data() + mappedFirst_;
}

void FrameRecord::drawBatch(const DrawState& state, std::size_t quadCount) {
  quadCount = std::min(quadCount, mappedQuads_);
  mappedQuads_ = 0;
  if (quadCount == 0) return;
  vertices_.resize(mappedFirst_ + quadCount * 4);
  DrawCall call;
  call.kind = CallKind::Batch;
  call.state = state;
  call.firstVertex = mappedFirst_;
  call.quadCount = quadCount;
  calls_.push_back(call);
}

void FrameRecord::reset() {
  calls_.clear();
  vertices_.clear();
  mappedFirst_ = 0;
  mappedQuads_ = 0;
}

bool FrameRecord::sameAs(const FrameRecord& other) const {
  if (calls_ != other.calls_ || vertices_.size() != other.vertices_.size()) return false;
  // Vertex is five floats with no padding (checked where it is declared).
  return vertices_.empty() ||
         std::memcmp(vertices_.data(), other.vertices_.data(), vertices_.size() * sizeof(Vertex)) == 0;
}

}  // namespace vw
