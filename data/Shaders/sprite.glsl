// The sprite effect: every picture of the game is a textured quad drawn
// through this file. The loader compiles it twice, once with VERTEX and once
// with FRAGMENT defined, after the version line of the build (GLSL 3.30 core on the
// desktop, GLSL ES 3.00 in the browser); write it in the part both accept.
//
// gWVP      world x view x projection (row-vector matrices uploaded as they
//           are, so the product reads matrix * vector here)
// txDiffuse the picture to sample
// uvScale, uvOffset  pick one cell of a sprite sheet: uv = texCoord * uvScale + uvOffset
// dir       x = -1 mirrors the cell left to right
// flipV     1 while sampling a render target (its rows are stored bottom-up)

#ifdef VERTEX
in vec3 position;
in vec2 texCoord;

uniform mat4 gWVP;
uniform vec2 uvScale;
uniform vec2 uvOffset;
uniform vec2 dir;
uniform int flipV;

out vec2 uv;

void main() {
  gl_Position = gWVP * vec4(position, 1.0);
  vec2 t = texCoord;
  if (dir.x < 0.0) t.x = 1.0 - t.x;
  uv = t * uvScale + uvOffset;
  if (flipV != 0) uv.y = 1.0 - uv.y;
}
#endif

#ifdef FRAGMENT
in vec2 uv;

uniform sampler2D txDiffuse;

out vec4 colour;

void main() {
  colour = texture(txDiffuse, uv);
}
#endif
