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

  void pushKey(SDL_Scancode sc, Uint16 mod = KMOD_NONE) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.windowID = SDL_GetWindowID(window->handle());
    e.key.state = SDL_PRESSED;
    e.key.keysym.scancode = sc;
    e.key.keysym.mod = mod;
    push(e);
  }

  void waitForFullscreen(bool wanted) {
    for (int i = 0; i < 200 && window->fullscreen() != wanted; ++i) {
      SDL_PumpEvents();
      SDL_Delay(5);
    }
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

TEST_F(EventsTest, F11AndAltEnterToggleFullscreen) {
  ASSERT_FALSE(window->fullscreen());
  pushKey(SDL_SCANCODE_F11);
  waitForFullscreen(true);
  EXPECT_TRUE(window->fullscreen());
  pushKey(SDL_SCANCODE_RETURN, KMOD_LALT);
  waitForFullscreen(false);
  EXPECT_FALSE(window->fullscreen());
  pushKey(SDL_SCANCODE_RETURN);  // Enter alone is just a key
  SDL_Delay(50);
  SDL_PumpEvents();
  EXPECT_FALSE(window->fullscreen());
}

TEST_F(EventsTest, ClosingTheWindowEndsTheLoop) {
  EXPECT_FALSE(events->quitRequested());
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  push(quit);
  EXPECT_TRUE(events->quitRequested());
}

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
  SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTX, -32768);
  SDL_PumpEvents();
  drain();

  KeyArray keys{};
  MouseState mouse;
  ASSERT_EQ(input->pollKeyboard(keys), PollResult::Ok);
  ASSERT_EQ(input->pollMouse(mouse), PollResult::Ok);
  EXPECT_EQ(keys[Key::W], 0x80);
  EXPECT_EQ(keys[Key::A], 0x80);
  EXPECT_EQ(keys[Key::D], 0);
  EXPECT_EQ(mouse.buttons[0], 0x80);
  // The aim point: the player's place on the screen, 150 pixels to the right.
  const Game& game = session->game();
  Vec2 player = playerScreenPosition(game.player->getPosition(), game.cameraEye);
  Vec2 cursor = input->cursorPosition();
  EXPECT_FLOAT_EQ(cursor.x, player.x + kStickAimReach);
  EXPECT_FLOAT_EQ(cursor.y, player.y);

  // The stick let go keeps the aim; moving the mouse takes it back.
  SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_RIGHTX, 0);
  SDL_PumpEvents();
  input->pollKeyboard(keys);
  input->pollMouse(mouse);
  EXPECT_FLOAT_EQ(input->cursorPosition().x, player.x + kStickAimReach);
  SDL_Event motion{};
  motion.type = SDL_MOUSEMOTION;
  push(motion);
  EXPECT_NE(input->cursorPosition().x, player.x + kStickAimReach);

  SDL_JoystickClose(pad);
  SDL_JoystickDetachVirtual(index);
  drain();
  EXPECT_TRUE(input->controllers().empty());
  input->pollKeyboard(keys);
  input->pollMouse(mouse);
  EXPECT_EQ(keys[Key::W], 0);
  EXPECT_EQ(mouse.buttons[0], 0);
}

TEST_F(EventsTest, AScriptedRunIsNotPausedByTheWindow) {
  world.write("run.txt", "5 D\n");
  RunOptions options;
  options.dataDir = world.dir;
  options.script = world.dir / "run.txt";
  Session scripted(options, *context, input.get());
  ASSERT_EQ(scripted.start(), 0);
  DesktopEvents scriptedEvents(*window, *context, *input, scripted);
  scripted.game().gameState = GameState::Playing;
  SDL_Event e{};
  e.type = SDL_WINDOWEVENT;
  e.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
  SDL_PushEvent(&e);
  while (scriptedEvents.dispatchEvent()) {
  }
  EXPECT_EQ(scripted.game().gameState, GameState::Playing);
}

}  // namespace
}  // namespace vw::test
