#include "render/Matrix.h"

#include <glm/ext/matrix_clip_space.hpp>
#include <glm/ext/matrix_transform.hpp>

namespace vw {

Matrix multiply(const Matrix& a, const Matrix& b) { return b * a; }

Matrix translation(float x, float y, float z) { return glm::translate(Matrix(1.0f), Vec3(x, y, z)); }

Matrix scaling(float x, float y, float z) { return glm::scale(Matrix(1.0f), Vec3(x, y, z)); }

Matrix lookAtLH(Vec3 eye, Vec3 target, Vec3 up) { return glm::lookAtLH(eye, target, up); }

Matrix orthoLH(float width, float height, float nearPlane, float farPlane) {
  return glm::orthoLH_ZO(-width / 2, width / 2, -height / 2, height / 2, nearPlane, farPlane);
}

void setTranslationXY(Matrix& m, float x, float y) {
  m[3][0] = x;
  m[3][1] = y;
}

Vec3 transformCoord(Vec3 p, const Matrix& m) {
  glm::vec4 r = m * glm::vec4(p, 1.0f);
  return Vec3(r) / r.w;
}

}  // namespace vw
