#pragma once
// The game's matrix conventions, kept in one place on top of GLM.
//
// Matrices follow the row-vector convention: a point p is transformed as
// p x M, and a sprite's world matrix is a scale followed by a translation in
// its last row. GLM stores a column-vector matrix with the very same memory
// layout (translation at m[3][0..2]), so a glm::mat4 is used as is; only the
// order of products flips: "a then b" is b * a in GLM terms.
#include <glm/glm.hpp>

namespace vw {

using Vec2 = glm::vec2;
using Vec3 = glm::vec3;
using Matrix = glm::mat4;

// Product in row-vector order: transforms by a first, then by b.
Matrix multiply(const Matrix& a, const Matrix& b);
Matrix translation(float x, float y, float z);
Matrix scaling(float x, float y, float z);
// Left-handed look-at, as the camera builds its view.
Matrix lookAtLH(Vec3 eye, Vec3 target, Vec3 up);
// Left-handed orthographic projection of width x height, depth mapped to 0..1.
Matrix orthoLH(float width, float height, float nearPlane, float farPlane);
// The translation row (x, y, z) of a matrix.
inline Vec3 translationOf(const Matrix& m) { return Vec3(m[3][0], m[3][1], m[3][2]); }
void setTranslationXY(Matrix& m, float x, float y);
// p x M with the homogeneous divide.
Vec3 transformCoord(Vec3 p, const Matrix& m);

}  // namespace vw
