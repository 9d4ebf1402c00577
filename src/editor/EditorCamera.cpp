#include "editor/EditorCamera.h"

#include <algorithm>

#include "render/RenderContext.h"

namespace vw {

Vec2 EditorCamera::toWindow(Vec2 p) const {
  const Vec2 view{kScreenWidth / 2.0f + (p.x - centre.x) * zoom, kScreenHeight / 2.0f - (p.y - centre.y) * zoom};
  return viewTopLeft_ + view * viewScale_;
}

Vec2 EditorCamera::fromWindow(Vec2 w) const {
  const Vec2 view = (w - viewTopLeft_) / viewScale_;
  return {centre.x + (view.x - kScreenWidth / 2.0f) / zoom, centre.y - (view.y - kScreenHeight / 2.0f) / zoom};
}

void EditorCamera::pan(Vec2 windowDelta) {
  centre.x -= windowDelta.x * unitsPerPixel();
  centre.y += windowDelta.y * unitsPerPixel();
}

void EditorCamera::zoomAt(Vec2 window, float factor) {
  const Vec2 before = fromWindow(window);
  zoom = std::clamp(zoom * factor, kMinZoom, kMaxZoom);
  centre += before - fromWindow(window);
}

Matrix EditorCamera::viewProj(float worldOffset) const {
  const Vec3 eye{centre.x + worldOffset, centre.y, -10};
  const Vec3 target{eye.x, eye.y, 0};
  return multiply(lookAtLH(eye, target, Vec3(0, 1, 0)),
                  orthoLH(static_cast<float>(kScreenWidth) / zoom, static_cast<float>(kScreenHeight) / zoom, 1, 1000));
}

}  // namespace vw
