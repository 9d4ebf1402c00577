#pragma once
// Where the render context shows its frames: a desktop window or a browser
// canvas, with its default framebuffer current.
#include "gl/Letterbox.h"

namespace vw {

class GlSurface {
 public:
  virtual ~GlSurface() = default;
  // The default framebuffer's size in pixels.
  virtual PixelSize drawableSize() const = 0;
  // Shows what was drawn into the default framebuffer.
  virtual void swapBuffers() = 0;
};

}  // namespace vw
