#pragma once
// The page's game canvas with a WebGL 2 context on it. Its pixel size
// follows the size the page lays it out at (times the device pixel ratio),
// so the letterboxed back buffer stays sharp in any window and in fullscreen.
#include <emscripten/html5.h>

#include <memory>
#include <string>

#include "gl/GlSurface.h"

namespace vw {

class WebCanvas final : public GlSurface {
 public:
  // Null and a message when the browser gives no WebGL 2 context.
  static std::unique_ptr<WebCanvas> open(const char* selector, std::string& error);
  ~WebCanvas() override;
  WebCanvas(const WebCanvas&) = delete;
  WebCanvas& operator=(const WebCanvas&) = delete;

  // Matches the canvas's pixels to its laid-out size; call once per animation frame.
  void fitToPage();
  PixelSize drawableSize() const override;
  // The browser shows the canvas when the animation frame returns.
  void swapBuffers() override {}
  // The canvas's laid-out size in CSS pixels (mouse positions are measured in them).
  PixelSize cssSize() const;
  const char* selector() const { return selector_; }

 private:
  WebCanvas(const char* selector, EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context)
      : selector_(selector), context_(context) {}
  const char* selector_;
  EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context_;
};

}  // namespace vw
