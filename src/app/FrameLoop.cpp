#include "app/FrameLoop.h"

#include "app/FrameTimer.h"
#include "app/Session.h"

namespace vw {

namespace {

// Sleep until this much is left before the frame is due; spin after. A
// sleep overshoots by a few tenths of a millisecond at most, and every
// millisecond spun costs 6 % of a core at 60 frames per second.
constexpr double kSpinMargin = 0.0005;

double secondsUntil(const FramePacer& pacer, Clock& clock, std::int64_t reading) {
  double perSecond = pacer.useHighResCounter() ? static_cast<double>(clock.frequency()) : 1000.0;
  return static_cast<double>(pacer.nextFrameTime() - reading) / perSecond;
}

}  // namespace

void runFrameLoop(Session& session, LoopPlatform& platform, Clock& clock) {
  FrameTimer timer(clock);
  FramePacer pacer;
  pacer.start(clock);
  timer.tick();
  while (!platform.quitRequested() && !session.done()) {
    if (platform.dispatchEvent()) continue;
    if (pacer.updateDue) {
      timer.tick();
      session.update(timer.getDeltaTime());
      pacer.updateDue = false;
      continue;  // events that arrived during the update go first
    }
    std::int64_t reading = pacer.read(clock);
    if (!pacer.frameDue(reading)) {
      double left = secondsUntil(pacer, clock, reading);
      if (left > kSpinMargin) platform.sleep(left - kSpinMargin);
      continue;
    }
    session.render();
    pacer.frameDrawn(reading);
  }
}

}  // namespace vw
