#pragma once
// The puzzle editor in the game's window: SDL events, Dear ImGui's SDL2 and
// OpenGL 3 backends, the editor's frame loop, and the play-test.
namespace vw {

struct RunOptions;

// Opens options.edit in the editor until the window closes; the exit status.
int runEditor(const RunOptions& options);

}  // namespace vw
