#include <gtest/gtest.h>

#include <sstream>

#include "app/InputScript.h"
#include "app/KeyCodes.h"
#include "support/ScriptedDevices.h"

namespace vw {
namespace {

std::optional<InputScript> parse(const std::string& text, std::string& error) {
  std::istringstream in(text);
  return parseInputScript(in, "walk.txt", error);
}

TEST(InputScript, ParsesStepsKeysMouseAndSteps) {
  std::string error;
  auto script = parse(
      "# warm-up\n"
      "seed 42\n"
      "\n"
      "10 D SPACE   # run and jump\n"
      "dt 0.02\n"
      "3 mouse 120.5 40 down\n"
      "2\n",
      error);
  ASSERT_TRUE(script) << error;
  EXPECT_EQ(*script->seed, 42u);
  ASSERT_EQ(script->steps.size(), 3u);
  EXPECT_EQ(script->steps[0].count, 10u);
  EXPECT_EQ(script->steps[0].keys, (std::vector<int>{Key::D, Key::Space}));
  EXPECT_FLOAT_EQ(script->steps[0].dt, 1.0f / 60.0f);
  EXPECT_EQ(script->steps[1].cursor, Vec2(120.5f, 40));
  EXPECT_TRUE(script->steps[1].buttonDown);
  EXPECT_FLOAT_EQ(script->steps[1].dt, 0.02f);
  EXPECT_EQ(script->steps[2].cursor, Vec2(120.5f, 40));  // the cursor stays where it was
  EXPECT_FALSE(script->steps[2].buttonDown);
  EXPECT_EQ(script->totalUpdates(), 15u);
}

TEST(InputScript, MalformedLinesNameTheFileAndLine) {
  const char* bad[] = {"3 JUMP\n", "x D\n", "dt fast\n", "dt -1\n", "2 mouse 10\n", "-2 D\n",
                       "1 D\nseed 4\n", "seed\n"};
  for (const char* text : bad) {
    std::string error;
    EXPECT_FALSE(parse(text, error)) << text;
    EXPECT_NE(error.find("walk.txt:"), std::string::npos) << error;
  }
  std::string error;
  parse("1 D\n\n1 D\nseed 4\n", error);
  EXPECT_EQ(error.rfind("walk.txt:4:", 0), 0u) << error;
}

TEST(InputRecorder, RecordedScriptReplaysTheSameSnapshots) {
  test::ScriptedDevices live;
  Input input;
  input.setDevices(&live);
  InputRecorder recorder(7);
  KeyArray held{};
  const float steps[] = {0.016f, 0.016f, 0.0171234f, 0.016f};
  for (int i = 0; i < 4; ++i) {
    live.hold({i < 2 ? Key::D : Key::W});
    live.cursor = Vec2(100.25f + static_cast<float>(i / 3), 200);
    live.button = i == 3;
    input.read(held);
    recorder.record(input, steps[i]);
  }
  std::string error;
  auto script = parse(recorder.text(), error);
  ASSERT_TRUE(script) << error << "\n" << recorder.text();
  EXPECT_EQ(*script->seed, 7u);
  ASSERT_EQ(script->totalUpdates(), 4u);
  ScriptInputDevices replay(*script);
  for (int i = 0; i < 4; ++i) {
    ASSERT_TRUE(replay.advance());
    KeyArray keys{};
    MouseState mouse;
    replay.pollKeyboard(keys);
    replay.pollMouse(mouse);
    EXPECT_EQ(keys[Key::D] != 0, i < 2);
    EXPECT_EQ(keys[Key::W] != 0, i >= 2);
    EXPECT_EQ(mouse.buttons[0] != 0, i == 3);
    EXPECT_EQ(replay.dt(), steps[i]);
    EXPECT_EQ(replay.cursorPosition().x, 100.25f + static_cast<float>(i / 3));
  }
}

}  // namespace
}  // namespace vw
