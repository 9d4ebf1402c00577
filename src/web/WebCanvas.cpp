#include "web/WebCanvas.h"

#include <cmath>

namespace vw {

std::unique_ptr<WebCanvas> WebCanvas::open(const char* selector, std::string& error) {
  EmscriptenWebGLContextAttributes attributes;
  emscripten_webgl_init_context_attributes(&attributes);
  attributes.majorVersion = 2;
  attributes.minorVersion = 0;
  // The back buffer is ours; the canvas only receives the letterboxed blit,
  // which a multisampled or depth-carrying canvas would refuse or waste.
  attributes.alpha = EM_FALSE;
  attributes.depth = EM_FALSE;
  attributes.stencil = EM_FALSE;
  attributes.antialias = EM_FALSE;
  attributes.preserveDrawingBuffer = EM_FALSE;
  EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context = emscripten_webgl_create_context(selector, &attributes);
  if (context <= 0) {
    error = "this browser gives no WebGL 2 context (error " + std::to_string(context) + ")";
    return nullptr;
  }
  emscripten_webgl_make_context_current(context);
  std::unique_ptr<WebCanvas> canvas(new WebCanvas(selector, context));
  canvas->fitToPage();
  return canvas;
}

WebCanvas::~WebCanvas() { emscripten_webgl_destroy_context(context_); }

void WebCanvas::fitToPage() {
  const PixelSize css = cssSize();
  const double ratio = emscripten_get_device_pixel_ratio();
  const int width = std::max(1, static_cast<int>(std::lround(css.width * ratio)));
  const int height = std::max(1, static_cast<int>(std::lround(css.height * ratio)));
  const PixelSize now = drawableSize();
  if (now.width != width || now.height != height) emscripten_set_canvas_element_size(selector_, width, height);
}

PixelSize WebCanvas::drawableSize() const {
  PixelSize size;
  emscripten_get_canvas_element_size(selector_, &size.width, &size.height);
  return size;
}

PixelSize WebCanvas::cssSize() const {
  double width = 0, height = 0;
  emscripten_get_element_css_size(selector_, &width, &height);
  return {static_cast<int>(std::lround(width)), static_cast<int>(std::lround(height))};
}

}  // namespace vw
