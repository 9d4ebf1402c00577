// The desktop's event queue as the frame loop sees it: focus, fullscreen,
// closing, and game controllers plugged in, used and pulled out.
#include <gtest/gtest.h>

#include <SDL.h>

#include "TestWorld.h"
#include "app/KeyCodes.h"
#include "app/Session.h"
#include "platform/DesktopEvents.h"
#include "platform/DesktopInput.h"

namespace vw::test {
namespace {

class EventsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Pads keep reporting whether or not the test's window has the focus.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    std::string error;
    window = DesktopWindow::open(error);
    ASSERT_TRUE(window) << error;
    context = GlRenderContext::create(*window, world.dir / "Shaders/sprite.glsl", error);
    ASSERT_TRUE(context) << error;
    input = std::make_unique<DesktopInput>(*window);
    RunOptions options;
    options.dataDir = world.dir;
    options.seed = 5;
    session = std::make_unique<Session>(options, *context, input.get());
    ASSERT_EQ(session->start(), 0);
    input->setPlayerLocator([this] {
      return playerScreenPosition(session->game().player->getPosition(), session->game().cameraEye);
    });
    events = std::make_unique<DesktopEvents>(*window, *context, *input, *session);
    drain();
  }

  void drain() {
    while (events->dispatchEvent()) {
    }
  }

  void push(SDL_Event e) {
    SDL_PushEvent(&e);
    drain();
  }

  void pushWindowEvent(SDL_WindowEventID id) {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.windowID = SDL_GetWindowID(window->handle());
    e.window.event = static_cast<Uint8>(id);
    push(e);
  }

  TestWorld world;
  std::unique_ptr<DesktopWindow> window;
  std::unique_ptr<GlRenderContext> context;
  std::unique_ptr<DesktopInput> input;
  std::unique_ptr<Session> session;
  std::unique_ptr<DesktopEvents> events;
};

TEST_F(EventsTest, LosingTheFocusPausesPlayAndLosesTheDevices) {
  session->game().gameState = GameState::Playing;
  pushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
  EXPECT_EQ(session->game().gameState, GameState::Paused);
  KeyArray keys{};
  EXPECT_EQ(input->pollKeyboard(keys), PollResult::Lost);
  pushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
  input->acquire();
  EXPECT_EQ(input->pollKeyboard(keys), PollResult::Ok);
  // On the title menu a lost focus changes no screen.
  session->game().gameState = GameState::Menu;
  pushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
  EXPECT_EQ(session->game().gameState, GameState::Menu);
}

}  // namespace
}  // namespace vw::test
