#include "platform/Desktop.h"

#include <iostream>
#include <memory>

#include "app/FrameLoop.h"
#include "app/RunOptions.h"
#include "app/Session.h"
#include "platform/DesktopEvents.h"
#include "platform/DesktopInput.h"
#include "platform/DesktopWindow.h"
#include "gl/GlRenderContext.h"
#include "platform/Screenshot.h"
#include "platform/SdlAudio.h"
#include "platform/SdlClock.h"

namespace vw {

namespace {

constexpr const char* kShaderFile = "Shaders/sprite.glsl";
constexpr const char* kWindowIconFile = "Pictures/icon.png";

// Draws the state the last update left and writes the back buffer.
bool saveScreenshot(Session& session, GlRenderContext& context, const std::filesystem::path& file) {
  session.render();
  std::string error;
  if (!writeScreenshot(file, context.readBackBuffer(), {kScreenWidth, kScreenHeight}, error)) {
    std::cerr << "vaporwick: " << error << '\n';
    return false;
  }
  return true;
}

}  // namespace

int runDesktop(const RunOptions& options) {
  std::string error;
  std::unique_ptr<DesktopWindow> window = DesktopWindow::open(error);
  if (!window) {
    std::cerr << "vaporwick: " << error << '\n';
    return 1;
  }
  if (options.verbose) {
    std::cerr << "vaporwick: OpenGL " << glGetString(GL_VERSION) << " on " << glGetString(GL_RENDERER) << '\n';
  }
  window->setIcon(options.dataDir / kWindowIconFile, std::cerr);
  std::unique_ptr<GlRenderContext> context = GlRenderContext::create(*window, options.dataDir / kShaderFile, error);
  if (!context) {
    std::cerr << "vaporwick: " << error << '\n';
    return 1;
  }
  DesktopInput input(*window);
  Session session(options, *context, &input);
  if (int status = session.start()) return status;
  // Sound comes up after the first frame (updates and frames alternate, so
  // that is the second update): making the sounds takes a few frames' time,
  // and the title menu shows first. Nothing sounds in the first update.
  std::unique_ptr<SdlAudio> audio;
  session.setUpdateListener([&audio, &options](const Game& game) {
    if (!audio && game.frame >= 2) audio = std::make_unique<SdlAudio>(options.mute, std::cerr);
    if (audio) audio->afterUpdate(game);
  });
  input.setPlayerLocator([&session] {
    const Game& game = session.game();
    return game.player ? playerScreenPosition(game.player->getPosition(), game.cameraEye) : Vec2(500, 400);
  });
  DesktopEvents events(*window, *context, input, session);
  SdlClock clock;
  runFrameLoop(session, events, clock);
  int status = session.finish();
  if (!options.screenshot.empty() && !saveScreenshot(session, *context, options.screenshot) && status == 0) {
    status = 1;
  }
  return status;
}

}  // namespace vw
