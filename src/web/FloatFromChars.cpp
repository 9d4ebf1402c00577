#include "web/FloatFromChars.h"

#include <cerrno>
#include <cstdlib>
#include <string>

namespace {

// Where a decimal number (optional '-', digits, '.', exponent, or inf/nan)
// starting at first ends; first when there is none.
const char* numberEnd(const char* first, const char* last) {
  const char* p = first;
  if (p != last && *p == '-') ++p;
  const char* digits = p;
  while (p != last && ((*p >= '0' && *p <= '9') || *p == '.')) ++p;
  if (p == digits) {
    // inf, infinity, nan: let strtod judge the letters that follow.
    return p != last && (*p == 'i' || *p == 'I' || *p == 'n' || *p == 'N') ? last : first;
  }
  if (p != last && (*p == 'e' || *p == 'E')) {
    const char* e = p + 1;
    if (e != last && (*e == '-' || *e == '+')) ++e;
    const char* expDigits = e;
    while (e != last && *e >= '0' && *e <= '9') ++e;
    if (e != expDigits) p = e;
  }
  return p;
}

template <typename T>
std::from_chars_result readFloat(const char* first, const char* last, T& value) {
  const char* end = numberEnd(first, last);
  if (end == first) return {first, std::errc::invalid_argument};
  const std::string text(first, end);
  char* stop = nullptr;
  errno = 0;
  const T read = sizeof(T) == sizeof(float) ? static_cast<T>(std::strtof(text.c_str(), &stop))
                                             : static_cast<T>(std::strtod(text.c_str(), &stop));
  if (stop == text.c_str()) return {first, std::errc::invalid_argument};
  const char* ptr = first + (stop - text.c_str());
  if (errno == ERANGE) return {ptr, std::errc::result_out_of_range};
  value = read;
  return {ptr, std::errc()};
}

}  // namespace

namespace std {

from_chars_result from_chars(const char* first, const char* last, float& value, chars_format) {
  return readFloat(first, last, value);
}

from_chars_result from_chars(const char* first, const char* last, double& value, chars_format) {
  return readFloat(first, last, value);
}

}  // namespace std
