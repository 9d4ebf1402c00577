#include "gl/GlRenderContext.h"

#include <algorithm>
#include <cstring>
#include <iostream>

namespace vw {

namespace {

constexpr GLsizeiptr kBatchBytes = static_cast<GLsizeiptr>(kBatchQuads * 4 * sizeof(Vertex));

// The unit quad, y up, texcoords (0, 0) at the top-left corner.
constexpr Vertex kUnitQuad[4] = {
    {Vec3(-0.5f, 0.5f, 0), Vec2(0, 0)},
    {Vec3(0.5f, 0.5f, 0), Vec2(1, 0)},
    {Vec3(-0.5f, -0.5f, 0), Vec2(0, 1)},
    {Vec3(0.5f, -0.5f, 0), Vec2(1, 1)},
};

std::vector<GLuint> quadIndices() {
  std::vector<GLuint> indices;
  indices.reserve(kBatchQuads * 6);
  for (GLuint q = 0; q < kBatchQuads; ++q) {
    for (GLuint corner : {0u, 1u, 2u, 1u, 3u, 2u}) indices.push_back(4 * q + corner);
  }
  return indices;
}

// Points attributes 0 (position) and 1 (texCoord) at a Vertex buffer.
void describeVertices(GLuint buffer) {
  glBindBuffer(GL_ARRAY_BUFFER, buffer);
  glEnableVertexAttribArray(ShaderProgram::kPositionAttribute);
  glVertexAttribPointer(ShaderProgram::kPositionAttribute, 3, GL_FLOAT, GL_FALSE, sizeof(Vertex),
                        reinterpret_cast<const void*>(offsetof(Vertex, position)));
  glEnableVertexAttribArray(ShaderProgram::kTexCoordAttribute);
  glVertexAttribPointer(ShaderProgram::kTexCoordAttribute, 2, GL_FLOAT, GL_FALSE, sizeof(Vertex),
                        reinterpret_cast<const void*>(offsetof(Vertex, texCoord)));
}

std::size_t targetIndex(RenderTarget target) { return static_cast<std::size_t>(target); }

// Reads a framebuffer's colour as RGBA rows, top row first.
std::vector<std::uint8_t> readRows(GLuint framebuffer, PixelSize size) {
  const std::size_t row = static_cast<std::size_t>(size.width) * 4;
  std::vector<std::uint8_t> bottomUp(row * static_cast<std::size_t>(size.height));
  glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, size.width, size.height, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
  std::vector<std::uint8_t> topDown(bottomUp.size());
  for (int y = 0; y < size.height; ++y) {
    std::memcpy(&topDown[static_cast<std::size_t>(y) * row],
                &bottomUp[static_cast<std::size_t>(size.height - 1 - y) * row], row);
  }
  return topDown;
}

}  // namespace

std::unique_ptr<GlRenderContext> GlRenderContext::create(GlSurface& surface, const std::filesystem::path& shaderFile,
                                                         std::string& error) {
  std::unique_ptr<ShaderProgram> shader = ShaderProgram::load(shaderFile, error);
  if (!shader) return nullptr;
  std::unique_ptr<GlRenderContext> context(new GlRenderContext(surface, std::move(shader)));
  if (!context->createBuffers()) {
    error = "cannot create the vertex and index buffers";
    return nullptr;
  }
  for (Framebuffer& target : context->targets_) {
    if (!context->createFramebuffer(target, error)) return nullptr;
  }
  glBindFramebuffer(GL_FRAMEBUFFER, context->targets_[targetIndex(RenderTarget::BackBuffer)].fbo);
  return context;
}

GlRenderContext::GlRenderContext(GlSurface& surface, std::unique_ptr<ShaderProgram> shader)
    : surface_(surface), shader_(std::move(shader)) {
  glUseProgram(shader_->id());
  glUniform1i(shader_->txDiffuse, 0);
  glActiveTexture(GL_TEXTURE0);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_CULL_FACE);
  glEnable(GL_BLEND);
  glBlendEquation(GL_FUNC_ADD);
  applyBlend(BlendMode::Alpha);
  glViewport(0, 0, kScreenWidth, kScreenHeight);
}

GlRenderContext::~GlRenderContext() {
  for (const Framebuffer& target : targets_) glDeleteFramebuffers(1, &target.fbo);
  for (const Texture& texture : textures_) glDeleteTextures(1, &texture.name);
  glDeleteVertexArrays(1, &quadVao_);
  glDeleteVertexArrays(1, &batchVao_);
  GLuint buffers[] = {quadBuffer_, batchBuffer_, indexBuffer_};
  glDeleteBuffers(3, buffers);
}

bool GlRenderContext::createBuffers() {
  glGenBuffers(1, &quadBuffer_);
  glBindBuffer(GL_ARRAY_BUFFER, quadBuffer_);
  glBufferData(GL_ARRAY_BUFFER, sizeof(kUnitQuad), kUnitQuad, GL_STATIC_DRAW);
  glGenBuffers(1, &batchBuffer_);
  glBindBuffer(GL_ARRAY_BUFFER, batchBuffer_);
  glBufferData(GL_ARRAY_BUFFER, kBatchBytes, nullptr, GL_STREAM_DRAW);
  std::vector<GLuint> indices = quadIndices();
  glGenBuffers(1, &indexBuffer_);

  glGenVertexArrays(1, &quadVao_);
  glBindVertexArray(quadVao_);
  describeVertices(quadBuffer_);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer_);
  glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices.size() * sizeof(GLuint)), indices.data(),
               GL_STATIC_DRAW);

  glGenVertexArrays(1, &batchVao_);
  glBindVertexArray(batchVao_);
  describeVertices(batchBuffer_);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer_);
  boundVao_ = batchVao_;
  return glGetError() == GL_NO_ERROR;
}

bool GlRenderContext::createFramebuffer(Framebuffer& target, std::string& error) {
  target.colour = createTexture(kScreenWidth, kScreenHeight, nullptr);
  if (target.colour == 0) {
    error = "cannot create a 1000 x 800 colour texture";
    return false;
  }
  textures_[static_cast<std::size_t>(target.colour - 1)].renderTarget = true;
  glGenFramebuffers(1, &target.fbo);
  glBindFramebuffer(GL_FRAMEBUFFER, target.fbo);
  glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D,
                         textures_[static_cast<std::size_t>(target.colour - 1)].name, 0);
  GLenum status = glCheckFramebufferStatus(GL_FRAMEBUFFER);
  if (status != GL_FRAMEBUFFER_COMPLETE) {
    error = "cannot render into a 1000 x 800 RGBA8 framebuffer (status " + std::to_string(status) + ")";
    return false;
  }
  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT);
  return true;
}

TextureId GlRenderContext::createTexture(int width, int height, const std::uint8_t* rgba) {
  GLint maxSize = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
  // 0 tells the caller, who knows the picture's file and key, to report it.
  if (width <= 0 || height <= 0 || width > maxSize || height > maxSize) return 0;
  Texture texture;
  glGenTextures(1, &texture.name);
  glBindTexture(GL_TEXTURE_2D, texture.name);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  // Row 0 of the picture is its top row and lands at v = 0.
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
  // Linear without mipmaps, clamped: sheet cells are padded with transparent
  // pixels, so a cell never picks up its neighbour's edge.
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  textures_.push_back(texture);
  return static_cast<TextureId>(textures_.size());
}

void GlRenderContext::destroyTexture(TextureId id) {
  // The slot stays, emptied, so no other id moves.
  if (id <= 0 || static_cast<std::size_t>(id) > textures_.size()) return;
  Texture& texture = textures_[static_cast<std::size_t>(id - 1)];
  if (texture.renderTarget) return;  // the spray layers live as long as the context
  glDeleteTextures(1, &texture.name);
  texture.name = 0;
}

const GlRenderContext::Texture* GlRenderContext::findTexture(TextureId id) const {
  if (id <= 0 || static_cast<std::size_t>(id) > textures_.size()) return nullptr;
  return &textures_[static_cast<std::size_t>(id - 1)];
}

void GlRenderContext::applyEffect(const DrawState& state) {
  glUniformMatrix4fv(shader_->gWVP, 1, GL_FALSE, &state.wvp[0][0]);
  glUniform2f(shader_->uvScale, state.uvScale.x, state.uvScale.y);
  glUniform2f(shader_->uvOffset, state.uvOffset.x, state.uvOffset.y);
  glUniform2f(shader_->dir, state.dir.x, state.dir.y);
  const Texture* texture = findTexture(state.texture);
  glBindTexture(GL_TEXTURE_2D, texture ? texture->name : 0);
  glUniform1i(shader_->flipV, texture && texture->renderTarget ? 1 : 0);
}

void GlRenderContext::bindVertexArray(GLuint vao) {
  if (boundVao_ == vao) return;
  glBindVertexArray(vao);
  boundVao_ = vao;
}

void GlRenderContext::applyBlend(BlendMode mode) {
  if (mode == BlendMode::Alpha) {
    glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_ONE, GL_ONE);
  } else {
    glBlendFuncSeparate(GL_ONE, GL_ONE, GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  }
}

void GlRenderContext::replay(const FrameRecord& frame) {
  for (const DrawCall& call : frame.calls()) {
    switch (call.kind) {
      case CallKind::Target:
        glBindFramebuffer(GL_FRAMEBUFFER, targets_[targetIndex(call.target)].fbo);
        break;
      case CallKind::Blend: applyBlend(call.blend); break;
      case CallKind::Clear:
        glClearColor(call.colour.r, call.colour.g, call.colour.b, call.colour.a);
        glClear(GL_COLOR_BUFFER_BIT);
        break;
      case CallKind::Quad:
        applyEffect(call.state);
        bindVertexArray(quadVao_);
        glDrawElements(GL_TRIANGLES, 6, GL_UNSIGNED_INT, nullptr);
        break;
      case CallKind::Batch:
        glBindBuffer(GL_ARRAY_BUFFER, batchBuffer_);
        // Orphan the old storage so this upload never waits for the previous draw.
        glBufferData(GL_ARRAY_BUFFER, kBatchBytes, nullptr, GL_STREAM_DRAW);
        glBufferSubData(GL_ARRAY_BUFFER, 0, static_cast<GLsizeiptr>(call.quadCount * 4 * sizeof(Vertex)),
                        frame.vertices(call.firstVertex));
        applyEffect(call.state);
        bindVertexArray(batchVao_);
        glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(call.quadCount * 6), GL_UNSIGNED_INT, nullptr);
        break;
    }
  }
}

TextureId GlRenderContext::layerTexture(RenderTarget layer) { return targets_[targetIndex(layer)].colour; }

void GlRenderContext::drawToWindow() {
  const PixelSize window = surface_.drawableSize();
  PixelRect r = letterboxRect(window);
  const int bottom = window.height - (r.y + r.height);  // GL counts rows from the bottom
  GLint drawn = 0;
  glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &drawn);
  glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
  // Only the bars are cleared; the blit covers the rest.
  const PixelRect bars[] = {{0, 0, r.x, window.height},
                            {r.x + r.width, 0, window.width - r.x - r.width, window.height},
                            {0, 0, window.width, bottom},
                            {0, bottom + r.height, window.width, window.height - bottom - r.height}};
  glClearColor(0, 0, 0, 1);
  glEnable(GL_SCISSOR_TEST);
  for (const PixelRect& bar : bars) {
    if (bar.width <= 0 || bar.height <= 0) continue;
    glScissor(bar.x, bar.y, bar.width, bar.height);
    glClear(GL_COLOR_BUFFER_BIT);
  }
  glDisable(GL_SCISSOR_TEST);
  if (r.width > 0 && r.height > 0) {
    glBindFramebuffer(GL_READ_FRAMEBUFFER, targets_[targetIndex(RenderTarget::BackBuffer)].fbo);
    const bool sameSize = r.width == kScreenWidth && r.height == kScreenHeight;
    glBlitFramebuffer(0, 0, kScreenWidth, kScreenHeight, r.x, bottom, r.x + r.width, bottom + r.height,
                      GL_COLOR_BUFFER_BIT, sameSize ? GL_NEAREST : GL_LINEAR);
  }
  glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(drawn));
}

void GlRenderContext::present() {
  const bool changed = !frame_.sameAs(shownFrame_);
  if (changed) replay(frame_);
  const PixelSize window = surface_.drawableSize();
  if (overlay_ || changed || windowDirty_ || window.width != shownSize_.width || window.height != shownSize_.height) {
    drawToWindow();
    if (overlay_) {
      GLint drawn = 0;
      glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &drawn);
      glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
      overlay_();
      glBindFramebuffer(GL_DRAW_FRAMEBUFFER, static_cast<GLuint>(drawn));
    }
    surface_.swapBuffers();
    windowDirty_ = false;
    shownSize_ = window;
  }
  std::swap(frame_, shownFrame_);
  frame_.reset();
}

std::vector<std::uint8_t> GlRenderContext::readBackBuffer() const {
  return readRows(targets_[targetIndex(RenderTarget::BackBuffer)].fbo, {kScreenWidth, kScreenHeight});
}

std::vector<std::uint8_t> GlRenderContext::readWindow(PixelSize& size) const {
  size = surface_.drawableSize();
  return readRows(0, size);
}

}  // namespace vw
