#pragma once
// What the game needs from a graphics device: the effect's five values, the
// shared unit quad, the particle batch, two blend modes and three targets.
// The desktop build implements it on OpenGL; headless runs use the no-op one.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "render/Matrix.h"

namespace vw {

// One corner of a particle quad as the batch buffer takes it (20 bytes).
struct Vertex {
  Vec3 position;
  Vec2 texCoord;
};
static_assert(sizeof(Vertex) == 20);

using TextureId = int;  // 0 is no texture

enum class BlendMode { Alpha, Additive };
enum class RenderTarget { BackBuffer, SprayLayerA, SprayLayerB };

struct Color {
  float r = 0, g = 0, b = 0, a = 0;
};

constexpr int kScreenWidth = 1000;
constexpr int kScreenHeight = 800;
// Quads the particle batch buffer holds; bigger emitters draw in several batches.
constexpr std::size_t kBatchQuads = 10000;

class RenderContext {
 public:
  virtual ~RenderContext() = default;

  // The camera's view-projection, read by every draw.
  const Matrix* viewProj = nullptr;
  // While set, draws leave every sprite's animation where it is: the frozen
  // scene behind the pause screen and the ending panel must not move on.
  bool holdAnimations = false;

  // Whether createTexture wants decoded pixels (the no-op context does not).
  virtual bool wantsPixels() const = 0;
  // True when nothing drawn is ever seen: the render pass may then skip the
  // particle batches, which move nothing (sprites still draw, to animate).
  virtual bool drawsNothing() const { return false; }
  // Uploads width x height RGBA8 pixels (top row first); pixels may be null
  // when wantsPixels() is false.
  virtual TextureId createTexture(int width, int height, const std::uint8_t* rgba) = 0;
  // Frees a texture createTexture made; a context that holds nothing has nothing to free.
  virtual void destroyTexture(TextureId texture) { (void)texture; }

  virtual void setUvScale(Vec2 scale) = 0;
  virtual void setUvOffset(Vec2 offset) = 0;
  virtual void setDir(Vec2 dir) = 0;
  virtual void setWorldViewProj(const Matrix& wvp) = 0;
  virtual void setTexture(TextureId texture) = 0;
  // Draws the unit quad (corners at +-0.5) with the values set above.
  virtual void drawQuad() = 0;
  // Room for quadCount (at most kBatchQuads) particle quads, four vertices
  // each, to be filled and then drawn by drawBatch.
  virtual Vertex* mapBatch(std::size_t quadCount) = 0;
  // Draws the quads just written with the values set above.
  virtual void drawBatch(std::size_t quadCount) = 0;

  virtual void setBlend(BlendMode mode) = 0;
  virtual void setTarget(RenderTarget target) = 0;
  virtual void clear(Color color) = 0;
  // The colour texture of a spray layer, for compositing it over the scene.
  virtual TextureId layerTexture(RenderTarget layer) = 0;
  virtual void present() = 0;
};

// Draws nothing; headless runs still walk the whole render pass through it,
// because sprite animations step while drawing.
class NullRenderContext : public RenderContext {
 public:
  bool wantsPixels() const override { return false; }
  bool drawsNothing() const override { return true; }
  TextureId createTexture(int, int, const std::uint8_t*) override { return ++lastTexture_; }
  void setUvScale(Vec2) override {}
  void setUvOffset(Vec2) override {}
  void setDir(Vec2) override {}
  void setWorldViewProj(const Matrix&) override {}
  void setTexture(TextureId) override {}
  void drawQuad() override {}
  Vertex* mapBatch(std::size_t quadCount) override {
    if (batch_.size() < quadCount * 4) batch_.resize(quadCount * 4);
    return batch_.data();
  }
  void drawBatch(std::size_t) override {}
  void setBlend(BlendMode) override {}
  void setTarget(RenderTarget) override {}
  void clear(Color) override {}
  TextureId layerTexture(RenderTarget layer) override { return -1 - static_cast<int>(layer); }
  void present() override {}

 private:
  TextureId lastTexture_ = 0;
  std::vector<Vertex> batch_;
};

}  // namespace vw
