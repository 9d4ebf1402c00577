#pragma once
// SDL's keyboard scancodes (USB usage codes) as the game's set-1 scan codes.
namespace vw {

// The set-1 code of an SDL scancode, or 0 for keys the table does not know.
int set1CodeForScancode(int sdlScancode);

}  // namespace vw
