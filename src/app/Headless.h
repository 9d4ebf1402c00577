#pragma once
namespace vw {

struct RunOptions;

// Runs the game with no window and no OpenGL: the same start-up, updates
// and render pass against the no-op render context, fixed steps, no pacing.
int runHeadless(const RunOptions& options);

}  // namespace vw
