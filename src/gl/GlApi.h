#pragma once
// The OpenGL entry points both builds draw through: OpenGL 3.3 core via
// libepoxy on the desktop, OpenGL ES 3.0 (WebGL 2) in the browser. The
// calls the game makes are the ones the two agree on.
#ifdef __EMSCRIPTEN__
#include <GLES3/gl3.h>
#else
#include <epoxy/gl.h>
#endif

namespace vw {

// What every shader stage starts with: the GLSL version this build
// compiles (and, for GLSL ES, the float precision it needs).
#ifdef __EMSCRIPTEN__
inline constexpr const char* kGlslPreamble = "#version 300 es\nprecision highp float;\nprecision highp int;\n";
#else
inline constexpr const char* kGlslPreamble = "#version 330 core\n";
#endif

}  // namespace vw
