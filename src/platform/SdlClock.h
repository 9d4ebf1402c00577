#pragma once
// The desktop's clocks: SDL's performance counter and millisecond ticks.
#include "app/FrameTimer.h"

namespace vw {

class SdlClock final : public Clock {
 public:
  std::int64_t counter() override;
  std::int64_t frequency() override;
  std::int64_t milliseconds() override;
};

}  // namespace vw
