#include "render/Camera.h"

#include "render/RenderContext.h"

namespace vw {

namespace {

float deadZone(float n, float edge, float half) {
  if (n > edge) return (n - edge) * half;
  if (n < -edge) return (n + edge) * half;
  return 0;
}

}  // namespace

CameraMatrices buildCamera(Vec3 eye, Vec3 target, Vec3 up) {
  CameraMatrices m;
  m.view = lookAtLH(eye, target, up);
  m.projection = orthoLH(static_cast<float>(kScreenWidth), static_cast<float>(kScreenHeight), 1.0f, 1000.0f);
  m.viewProj = multiply(m.view, m.projection);
  return m;
}

Vec2 cameraFollow(const Matrix& playerWorld, const Matrix& viewProj) {
  Vec3 n = translationOf(multiply(playerWorld, viewProj));
  return Vec2(deadZone(n.x, 0.1f, kScreenWidth / 2.0f), deadZone(n.y, 0.2f, kScreenHeight / 2.0f));
}

Matrix fullScreenMatrix(const Matrix& viewProj) {
  Matrix m = multiply(scaling(static_cast<float>(kScreenWidth), static_cast<float>(kScreenHeight), 1), viewProj);
  setTranslationXY(m, 0, 0);
  return m;
}

}  // namespace vw
