#include "platform/SdlClock.h"

#include <SDL_timer.h>

namespace vw {

std::int64_t SdlClock::counter() { return static_cast<std::int64_t>(SDL_GetPerformanceCounter()); }

std::int64_t SdlClock::frequency() { return static_cast<std::int64_t>(SDL_GetPerformanceFrequency()); }

std::int64_t SdlClock::milliseconds() { return static_cast<std::int64_t>(SDL_GetTicks64()); }

}  // namespace vw
