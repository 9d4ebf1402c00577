#pragma once
// The desktop frame loop: window events always first; when there are none,
// one update, then one frame at the next 1/60-second boundary. It sleeps
// until half a millisecond before the boundary instead of burning a core.
namespace vw {

class Clock;
class Session;

// What the loop needs from the windowing platform.
class LoopPlatform {
 public:
  virtual ~LoopPlatform() = default;
  // Handles one pending event; false when the queue is empty.
  virtual bool dispatchEvent() = 0;
  // The window was closed.
  virtual bool quitRequested() const = 0;
  // Blocks for about the given seconds (events still queue meanwhile).
  virtual void sleep(double seconds) = 0;
};

// Runs until the window closes or the session is done.
void runFrameLoop(Session& session, LoopPlatform& platform, Clock& clock);

}  // namespace vw
