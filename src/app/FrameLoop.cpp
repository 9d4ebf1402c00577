#include "app/FrameLoop.h"

#include "app/FrameTimer.h"
#include "app/Session.h"

namespace vw {

namespace {

// Sleep while more than this is left before the frame is due; spin after.
constexpr double kSpinMargin = 0.0015;

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
      if (left > kSpinMargin) platform.sleep(left - 0.001);
      continue;
    }
    session.render();
    pacer.frameDrawn(reading);
  }
}

}  // namespace vw
