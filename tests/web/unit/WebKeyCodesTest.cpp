// The browser's physical key names reach the game as the scan codes the
// desktop uses for the same keys.
#include <gtest/gtest.h>

#include "app/KeyCodes.h"
#include "web/WebKeyCodes.h"

namespace vw {
namespace {

TEST(WebKeyCodes, TheGamesKeysHaveTheirScanCodes) {
  const std::pair<const char*, int> cases[] = {
      {"KeyW", Key::W},         {"KeyA", Key::A},          {"KeyS", Key::S},         {"KeyD", Key::D},
      {"KeyQ", Key::Q},         {"KeyE", Key::E},          {"KeyR", Key::R},         {"KeyP", Key::P},
      {"KeyM", Key::M},         {"Digit1", Key::One},      {"Digit2", Key::Two},     {"Digit3", Key::Three},
      {"Space", Key::Space},    {"Escape", Key::Escape},   {"Backquote", Key::Grave}, {"F3", Key::F3},
      {"ArrowUp", Key::Up},     {"ArrowLeft", Key::Left},  {"ArrowRight", Key::Right}, {"ArrowDown", Key::Down},
      // Unknown names, and key values rather than codes, are no key.
      {"", 0},                  {"w", 0},                  {"KeyW ", 0},             {"Unidentified", 0},
  };
  for (const auto& [code, expected] : cases) EXPECT_EQ(set1CodeForKeyCode(code), expected) << code;
}

TEST(WebKeyCodes, NoTwoKeysShareACode) {
  std::vector<int> seen;
  for (const char* code : {"KeyA", "KeyB", "KeyC", "KeyZ", "Digit0", "Digit9", "Enter", "NumpadEnter", "ShiftLeft",
                           "ShiftRight", "ControlLeft", "ControlRight", "AltLeft", "AltRight", "F11", "F12"}) {
    const int c = set1CodeForKeyCode(code);
    EXPECT_NE(c, 0) << code;
    EXPECT_EQ(std::count(seen.begin(), seen.end(), c), 0) << code;
    seen.push_back(c);
  }
}

}  // namespace
}  // namespace vw
