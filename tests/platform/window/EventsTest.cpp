// The desktop's event queue as the frame loop sees it: focus, fullscreen,
// and game controllers plugged in, used and pulled out.
#include <gtest/gtest.h>

#include <SDL.h>

#include <tuple>

#include "TestWorld.h"
#include "app/KeyCodes.h"
#include "app/Session.h"
#include "platform/DesktopEvents.h"
#include "platform/DesktopInput.h"

namespace vw::test {
namespace {

class EventsTest : public WindowTest {
 protected:
  void SetUp() override {
    // Pads keep reporting whether or not the test's window has the focus.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    WindowTest::SetUp();
    if (HasFatalFailure()) return;
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

TEST_F(EventsTest, F11AndAltEnterToggleFullscreenAndEnterAloneDoesNot) {
  const std::tuple<SDL_Scancode, Uint16, bool> presses[] = {{SDL_SCANCODE_F11, KMOD_NONE, true},
                                                            {SDL_SCANCODE_RETURN, KMOD_NONE, true},  // just a key
                                                            {SDL_SCANCODE_RETURN, KMOD_LALT, false}};
  for (auto [scancode, mod, wanted] : presses) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.keysym.scancode = scancode;
    e.key.keysym.mod = mod;
    push(e);
    for (int i = 0; i < 200 && window->fullscreen() != wanted; ++i) {
      SDL_PumpEvents();
      SDL_Delay(5);
    }
    EXPECT_EQ(window->fullscreen(), wanted) << SDL_GetScancodeName(scancode) << " with modifiers " << mod;
  }
}

// A pad plugged in plays at once (A jumps, the trigger sprays where the right
// stick aims); pulled out, it lets go of everything.
TEST_F(EventsTest, APluggedInControllerPlaysUntilItIsPulledOut) {
  const int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                              SDL_CONTROLLER_BUTTON_MAX, 0);
  ASSERT_GE(index, 0) << SDL_GetError();
  drain();  // the pad arrives as an event
  ASSERT_FALSE(input->controllers().empty());
  SDL_Joystick* pad = SDL_JoystickOpen(index);
  ASSERT_TRUE(pad);
  SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_A, 1);
  SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767);
  SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_RIGHTX, 32767);
  SDL_PumpEvents();
  drain();
  KeyArray keys{};
  MouseState mouse;
  ASSERT_EQ(input->pollKeyboard(keys), PollResult::Ok);
  ASSERT_EQ(input->pollMouse(mouse), PollResult::Ok);
  EXPECT_EQ(keys[Key::W], 0x80);
  EXPECT_EQ(mouse.buttons[0], 0x80);
  const Vec2 player = playerScreenPosition(session->game().player->getPosition(), session->game().cameraEye);
  EXPECT_FLOAT_EQ(input->cursorPosition().x, player.x + kStickAimReach);
  SDL_JoystickClose(pad);
  SDL_JoystickDetachVirtual(index);
  drain();
  EXPECT_TRUE(input->controllers().empty());
  input->pollKeyboard(keys);
  input->pollMouse(mouse);
  EXPECT_EQ(keys[Key::W], 0);
  EXPECT_EQ(mouse.buttons[0], 0);
}

}  // namespace
}  // namespace vw::test
