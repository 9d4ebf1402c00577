#pragma once
// The render context on OpenGL 3.3 core and WebGL 2: the sprite effect, the unit quad,
// the particle batch, the blend modes, and three 1000 x 800 framebuffer
// objects (the back buffer and the two spray layers). present() scales the
// back buffer into the window with letterbox bars and swaps.
//
// A frame's calls are recorded and sent at present(); a frame identical to
// the previous one is neither drawn nor presented again (the window still
// shows it), unless the window was resized or exposed meanwhile.
#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gl/FrameRecord.h"
#include "gl/GlApi.h"
#include "gl/GlSurface.h"
#include "gl/Letterbox.h"
#include "gl/ShaderProgram.h"
#include "render/RenderContext.h"

namespace vw {

class GlRenderContext final : public RenderContext {
 public:
  // Builds everything on the surface's current context; null and a message
  // when the shader or a framebuffer cannot be made.
  static std::unique_ptr<GlRenderContext> create(GlSurface& surface, const std::filesystem::path& shaderFile,
                                                 std::string& error);
  ~GlRenderContext() override;
  GlRenderContext(const GlRenderContext&) = delete;
  GlRenderContext& operator=(const GlRenderContext&) = delete;

  bool wantsPixels() const override { return true; }
  TextureId createTexture(int width, int height, const std::uint8_t* rgba) override;
  void destroyTexture(TextureId texture) override;
  void setUvScale(Vec2 scale) override { state_.uvScale = scale; }
  void setUvOffset(Vec2 offset) override { state_.uvOffset = offset; }
  void setDir(Vec2 dir) override { state_.dir = dir; }
  void setWorldViewProj(const Matrix& wvp) override { state_.wvp = wvp; }
  void setTexture(TextureId texture) override { state_.texture = texture; }
  void drawQuad() override { frame_.drawQuad(state_); }
  Vertex* mapBatch(std::size_t quadCount) override { return frame_.mapBatch(quadCount); }
  void drawBatch(std::size_t quadCount) override { frame_.drawBatch(state_, quadCount); }
  void setBlend(BlendMode mode) override { frame_.setBlend(mode); }
  void setTarget(RenderTarget target) override { frame_.setTarget(target); }
  void clear(Color color) override { frame_.clear(color); }
  TextureId layerTexture(RenderTarget layer) override;
  void present() override;

  // Drawn into the window over the scaled back buffer before every swap (the
  // editor's panels); while one is set, every present shows its frame.
  void setOverlay(std::function<void()> overlay) { overlay_ = std::move(overlay); }
  // The window must be shown again even if the frame does not change.
  void windowExposed() { windowDirty_ = true; }
  // Scales the back buffer into the window's framebuffer (bars black)
  // without swapping; present() draws the frame, this, and swaps.
  void drawToWindow();
  // The back buffer's pixels, RGBA, top row first.
  std::vector<std::uint8_t> readBackBuffer() const;
  // What drawToWindow left in the window's framebuffer (RGBA, top row
  // first), and the window's size in pixels.
  std::vector<std::uint8_t> readWindow(PixelSize& size) const;

 private:
  struct Texture {
    GLuint name = 0;
    bool renderTarget = false;  // rows bottom-up: sampled with v flipped
  };
  struct Framebuffer {
    GLuint fbo = 0;
    TextureId colour = 0;
  };

  GlRenderContext(GlSurface& surface, std::unique_ptr<ShaderProgram> shader);
  bool createBuffers();
  bool createFramebuffer(Framebuffer& target, std::string& error);
  // Sends the recorded calls of a frame.
  void replay(const FrameRecord& frame);
  // Uploads the effect values and binds the texture before a draw.
  void applyEffect(const DrawState& state);
  void applyBlend(BlendMode mode);
  void bindVertexArray(GLuint vao);
  const Texture* findTexture(TextureId id) const;

  GlSurface& surface_;
  std::unique_ptr<ShaderProgram> shader_;
  std::vector<Texture> textures_;  // TextureId n is textures_[n - 1]
  GLuint quadVao_ = 0, batchVao_ = 0;
  GLuint quadBuffer_ = 0, batchBuffer_ = 0, indexBuffer_ = 0;
  std::array<Framebuffer, 3> targets_{};  // by RenderTarget
  GLuint boundVao_ = 0;
  DrawState state_;          // the values the next draw records
  FrameRecord frame_;        // this frame's calls
  FrameRecord shownFrame_;   // the calls of the frame the window shows
  bool windowDirty_ = true;  // show the back buffer again at the next present
  PixelSize shownSize_;      // the window's size when it was last shown
  std::function<void()> overlay_;
};

}  // namespace vw
