#pragma once
// The game's window: SDL video (and game controllers), a resizable window
// captioned "Vaporwick" with a 1000 x 800 client area, and an OpenGL 3.3
// core context on it with vsync off (the frame loop paces itself).
#include <SDL.h>

#include <filesystem>
#include <iosfwd>
#include <memory>
#include <string>

#include "gl/GlSurface.h"

namespace vw {

class DesktopWindow final : public GlSurface {
 public:
  // Null and a message when there is no display or no OpenGL 3.3 core context.
  static std::unique_ptr<DesktopWindow> open(std::string& error);
  ~DesktopWindow() override;
  DesktopWindow(const DesktopWindow&) = delete;
  DesktopWindow& operator=(const DesktopWindow&) = delete;

  SDL_Window* handle() const { return window_; }
  // Sets the window icon from a PNG; a picture that cannot be read leaves
  // the window without one and writes one warning.
  void setIcon(const std::filesystem::path& png, std::ostream& warnings);
  // Switches between a window and the whole desktop (letterboxed either way).
  void toggleFullscreen();
  bool fullscreen() const;
  // The window's size in the units the mouse is reported in.
  PixelSize size() const;
  void resize(PixelSize size);
  PixelSize drawableSize() const override;
  void swapBuffers() override { SDL_GL_SwapWindow(window_); }
  // The About box (modal until dismissed).
  void showAbout();

 private:
  DesktopWindow() = default;
  SDL_Window* window_ = nullptr;
  SDL_GLContext gl_ = nullptr;
};

}  // namespace vw
