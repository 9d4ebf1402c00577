#pragma once
// The browser's key names (KeyboardEvent.code, which names the physical key
// whatever the layout) as the game's set-1 scan codes.
#include <string_view>

namespace vw {

// The set-1 code of a KeyboardEvent.code, or 0 for keys the table does not know.
int set1CodeForKeyCode(std::string_view code);

}  // namespace vw
