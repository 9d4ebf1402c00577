#include "platform/DesktopWindow.h"

#include <epoxy/gl.h>

#include <ostream>

#include "app/RunFile.h"
#include "render/PngImage.h"
#include "render/RenderContext.h"

namespace vw {

namespace {

std::string sdlError() {
  const char* e = SDL_GetError();
  return e && *e ? e : "no reason given";
}

// Without a display SDL falls back to drivers that show nothing; a player
// would get an invisible game, so those only count when asked for by name.
bool windowOnScreen() {
  const char* driver = SDL_GetCurrentVideoDriver();
  const char* requested = SDL_getenv("SDL_VIDEODRIVER");
  if (requested && *requested) return true;
  return !driver || (SDL_strcmp(driver, "offscreen") != 0 && SDL_strcmp(driver, "dummy") != 0);
}

// A window icon is small; a bigger picture is refused before it is decoded.
constexpr std::uint64_t kMaxIconPixels = 1024 * 1024;

}  // namespace

std::unique_ptr<DesktopWindow> DesktopWindow::open(std::string& error) {
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    error = "cannot open a window (is there a display?): " + sdlError();
    return nullptr;
  }
  if (!windowOnScreen()) {
    SDL_Quit();
    error = "cannot open a window: no display (set DISPLAY, or SDL_VIDEODRIVER=offscreen to run unseen)";
    return nullptr;
  }
  // Controllers are a comfort: the game runs on without them.
  SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER);
  std::unique_ptr<DesktopWindow> w(new DesktopWindow);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  // Everything is drawn into framebuffer objects: the window needs no depth.
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
  SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
  w->window_ = SDL_CreateWindow("Vaporwick", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, kScreenWidth,
                                kScreenHeight, SDL_WINDOW_OPENGL | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI);
  if (!w->window_) {
    error = "cannot create the window: " + sdlError();
    return nullptr;
  }
  w->gl_ = SDL_GL_CreateContext(w->window_);
  if (!w->gl_) {
    error = "cannot create an OpenGL 3.3 core context: " + sdlError();
    return nullptr;
  }
  if (epoxy_gl_version() < 33) {
    error = "OpenGL 3.3 is needed; this context offers " + std::to_string(epoxy_gl_version() / 10) + "." +
            std::to_string(epoxy_gl_version() % 10);
    return nullptr;
  }
  SDL_GL_SetSwapInterval(0);
  return w;
}

DesktopWindow::~DesktopWindow() {
  if (gl_) SDL_GL_DeleteContext(gl_);
  if (window_) SDL_DestroyWindow(window_);
  SDL_Quit();
}

void DesktopWindow::setIcon(const std::filesystem::path& png, std::ostream& warnings) {
  std::string why;
  std::optional<std::string> bytes = readWholeRunFile(png, kMaxPictureFileBytes, why);
  std::optional<RgbaPicture> picture;
  if (bytes) picture = decodePng(*bytes, kMaxIconPixels, why);
  if (!picture) {
    warnings << shownPath(png) << ": cannot load the window icon (" << why << "); the window has none\n";
    return;
  }
  const PictureSize size = picture->size;
  SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(picture->pixels.get(), size.width, size.height, 32,
                                                         size.width * 4, SDL_PIXELFORMAT_RGBA32);
  if (!icon) {
    warnings << shownPath(png) << ": cannot use the window icon (" << sdlError() << ")\n";
    return;
  }
  SDL_SetWindowIcon(window_, icon);
  SDL_FreeSurface(icon);
}

bool DesktopWindow::fullscreen() const {
  return (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN_DESKTOP) == SDL_WINDOW_FULLSCREEN_DESKTOP;
}

void DesktopWindow::toggleFullscreen() { SDL_SetWindowFullscreen(window_, fullscreen() ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP); }

PixelSize DesktopWindow::size() const {
  PixelSize s;
  SDL_GetWindowSize(window_, &s.width, &s.height);
  return s;
}

void DesktopWindow::resize(PixelSize s) { SDL_SetWindowSize(window_, s.width, s.height); }

PixelSize DesktopWindow::drawableSize() const {
  PixelSize s;
  SDL_GL_GetDrawableSize(window_, &s.width, &s.height);
  return s;
}

void DesktopWindow::showAbout() {
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, "About Vaporwick", "Vaporwick, Version 1.0", window_);
}

}  // namespace vw
