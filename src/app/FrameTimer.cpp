#include "app/FrameTimer.h"

namespace vw {

FrameTimer::FrameTimer(Clock& clock) : clock_(clock) {
  std::int64_t frequency = clock_.frequency();
  secondsPerCount_ = frequency > 0 ? 1.0 / static_cast<double>(frequency) : 0.0;
}

void FrameTimer::tick() {
  currentCount_ = clock_.counter();
  deltaTime_ = static_cast<double>(currentCount_ - previousCount_) * secondsPerCount_;
  previousCount_ = currentCount_;
  if (deltaTime_ < 0) deltaTime_ = 0;
}

void FramePacer::start(Clock& clock) {
  std::int64_t frequency = clock.frequency();
  if (frequency > 0) {
    useHighResCounter_ = true;
    ticksPerFrame_ = static_cast<std::uint32_t>(frequency) / 60u;
    nextFrameTime_ = clock.counter();
  } else {
    useHighResCounter_ = false;
    nextFrameTime_ = clock.milliseconds();
  }
  updateDue = true;
}

std::int64_t FramePacer::read(Clock& clock) const {
  return useHighResCounter_ ? clock.counter() : clock.milliseconds();
}

void FramePacer::frameDrawn(std::int64_t reading) {
  nextFrameTime_ += ticksPerFrame_;
  if (nextFrameTime_ < reading) nextFrameTime_ = reading + ticksPerFrame_;
  updateDue = true;
}

}  // namespace vw
