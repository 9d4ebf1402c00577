#pragma once
// The desktop game: an SDL2 window with an OpenGL 3.3 core context. The only
// place in the game that knows SDL or OpenGL.
namespace vw {

struct RunOptions;

// Opens the window, runs the game until it ends, returns the exit status.
int runDesktop(const RunOptions& options);

}  // namespace vw
