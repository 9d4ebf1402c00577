#include <gtest/gtest.h>

#include "app/FrameTimer.h"

namespace vw {
namespace {

class FakeClock : public Clock {
 public:
  std::int64_t counter() override { return now; }
  std::int64_t frequency() override { return perSecond; }
  std::int64_t milliseconds() override { return ms; }
  std::int64_t now = 0;
  std::int64_t perSecond = 6000;
  std::int64_t ms = 0;
};

TEST(FrameTimer, StepIsNeverNegative) {
  FakeClock clock;
  FrameTimer timer(clock);
  clock.now = 1000;
  timer.tick();
  clock.now = 900;  // a counter that went back
  timer.tick();
  EXPECT_EQ(timer.getDeltaTime(), 0.0f);
}

TEST(FramePacer, DrawsOnBoundariesAndReschedulesLateFrames) {
  FakeClock clock;
  clock.now = 1000;
  FramePacer pacer;
  pacer.start(clock);
  ASSERT_TRUE(pacer.useHighResCounter());
  EXPECT_FALSE(pacer.frameDue(1000));  // not greater than the next frame time
  EXPECT_TRUE(pacer.frameDue(1001));
  pacer.frameDrawn(1001);
  EXPECT_EQ(pacer.nextFrameTime(), 1100);
  EXPECT_TRUE(pacer.updateDue);
  // Drawing fell behind by more than one period: no burst of catch-up frames.
  pacer.frameDrawn(1450);
  EXPECT_EQ(pacer.nextFrameTime(), 1550);
}

}  // namespace
}  // namespace vw
