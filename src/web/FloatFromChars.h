#pragma once
// Emscripten's C++ library (LLVM 14) has std::from_chars for integers only.
// The browser build includes this header first in every file of the game
// core, so the float readings of input scripts compile there too, with the
// same rules: no leading spaces, no '+', no hexadecimal, the whole number
// read or nothing, out of range reported.
#include <charconv>

namespace std {

from_chars_result from_chars(const char* first, const char* last, float& value,
                             chars_format format = chars_format::general);
from_chars_result from_chars(const char* first, const char* last, double& value,
                             chars_format format = chars_format::general);

}  // namespace std
