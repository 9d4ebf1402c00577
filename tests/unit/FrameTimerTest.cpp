#include <gtest/gtest.h>

#include <cmath>

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

TEST(FrameTimer, StepIsNeverNegativeAndZeroGivesInfiniteRate) {
  FakeClock clock;
  FrameTimer timer(clock);
  clock.now = 1000;
  timer.tick();
  clock.now = 900;  // a counter that went back
  timer.tick();
  EXPECT_EQ(timer.getDeltaTime(), 0.0f);
  timer.tick();
  EXPECT_TRUE(std::isinf(1.0f / timer.getDeltaTime()));
}

TEST(FramePacer, DrawsOnBoundariesAndReschedulesLateFrames) {
  FakeClock clock;
  clock.now = 1000;
  FramePacer pacer;
  pacer.start(clock);
  ASSERT_TRUE(pacer.useHighResCounter());
  EXPECT_EQ(pacer.ticksPerFrame(), 100u);  // 6000 / 60
  EXPECT_FALSE(pacer.frameDue(1000));      // not greater than the next frame time
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
