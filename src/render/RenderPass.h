#pragma once
// The render pass: one frame of the current screen, drawn through a render
// context (OpenGL on the desktop, the no-op context when headless).
namespace vw {

class Game;
class RenderContext;

// Draws and presents one frame.
void renderFrame(Game& game, RenderContext& context);

}  // namespace vw
