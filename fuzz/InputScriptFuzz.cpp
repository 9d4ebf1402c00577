// Feeds arbitrary bytes to the input script parser, then plays what it
// accepted for a few hundred updates: every step is finite and within the
// step bound, and the keys held are real key codes.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "app/InputScript.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  std::string error;
  std::optional<vw::InputScript> script = vw::parseInputScript(in, "fuzz.txt", error);
  if (!script) {
    if (error.rfind("fuzz.txt:", 0) != 0) std::abort();
    return 0;
  }
  vw::ScriptInputDevices devices(std::move(*script));
  vw::KeyArray keys{};
  vw::MouseState mouse{};
  for (int update = 0; update < 300 && devices.advance(); ++update) {
    if (!(devices.dt() >= 0 && devices.dt() <= vw::kMaxStep)) std::abort();
    const vw::Vec2 cursor = devices.cursorPosition();
    if (!std::isfinite(cursor.x) || !std::isfinite(cursor.y)) std::abort();
    devices.pollKeyboard(keys);
    devices.pollMouse(mouse);
  }
  return 0;
}
