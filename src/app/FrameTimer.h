#pragma once
// FrameTimer measures the seconds between two updates on a monotonic counter;
// FramePacer decides when the next frame is drawn (every 1/60 s).
#include <cstdint>

namespace vw {

// A monotonic counter and its frequency (the desktop's, or a test's).
class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::int64_t counter() = 0;
  // Counts per second; 0 when there is no high-resolution counter.
  virtual std::int64_t frequency() = 0;
  // Milliseconds, the fallback pacing clock.
  virtual std::int64_t milliseconds() = 0;
};

class FrameTimer {
 public:
  explicit FrameTimer(Clock& clock);
  // Reads the counter; deltaTime becomes the seconds since the previous tick (never negative).
  void tick();
  float getDeltaTime() const { return static_cast<float>(deltaTime_); }

 private:
  Clock& clock_;
  double secondsPerCount_ = 0;
  double deltaTime_ = -1;
  std::int64_t previousCount_ = 0;
  std::int64_t currentCount_ = 0;
};

// The pacing arithmetic of the frame loop: one update, then one frame at or
// after the next boundary; a late frame is rescheduled one period after the
// late reading instead of bursting to catch up.
class FramePacer {
 public:
  // Starts the pacing clock: the high-resolution counter when it exists,
  // else the millisecond clock with a 10 ms period.
  void start(Clock& clock);
  std::int64_t read(Clock& clock) const;
  bool frameDue(std::int64_t reading) const { return reading > nextFrameTime_; }
  // Call after a frame was drawn at the given reading.
  void frameDrawn(std::int64_t reading);

  bool useHighResCounter() const { return useHighResCounter_; }
  std::uint32_t ticksPerFrame() const { return ticksPerFrame_; }
  std::int64_t nextFrameTime() const { return nextFrameTime_; }

  bool updateDue = true;

 private:
  bool useHighResCounter_ = false;
  std::uint32_t ticksPerFrame_ = 10;
  std::int64_t nextFrameTime_ = 0;
};

}  // namespace vw
