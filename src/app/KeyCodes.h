#pragma once
// Keyboard scan codes (the standard set-1 codes) indexing every key snapshot.
namespace vw::Key {

constexpr int Escape = 1;
constexpr int One = 2;    // choose Water
constexpr int Two = 3;    // choose Steam
constexpr int Three = 4;  // choose Ice
constexpr int Q = 16;     // cycle power
constexpr int W = 17;     // jump, umbrella
constexpr int E = 18;
constexpr int R = 19;  // restart from the pause screen
constexpr int T = 20;  // retry the puzzle from the pause screen
constexpr int P = 25;  // pause and unpause
constexpr int A = 30;  // walk left
constexpr int S = 31;
constexpr int D = 32;  // walk right
constexpr int Grave = 41;
constexpr int Space = 57;  // jump, umbrella
constexpr int F3 = 61;     // frame-rate readout in view
constexpr int M = 50;      // mute
constexpr int Up = 200;
constexpr int Left = 203;
constexpr int Right = 205;
constexpr int Down = 208;

}  // namespace vw::Key

#include <optional>
#include <string_view>

namespace vw {

// The key names of input scripts (W A S D E Q R T P 1 2 3 SPACE LEFT RIGHT UP
// DOWN GRAVE, and ESCAPE, F3, M) and their scan codes.
std::optional<int> keyCodeForName(std::string_view name);
// The script name of a scan code, or empty for keys scripts cannot name.
std::string_view keyNameForCode(int code);

}  // namespace vw
