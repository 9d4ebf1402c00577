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

}  // namespace
}  // namespace vw
