#pragma once
// The camera: an orthographic view of 1000 x 800 world units that follows
// the player with a dead zone.
#include "render/Matrix.h"

namespace vw {

struct CameraMatrices {
  Matrix view{1.0f};
  Matrix projection{1.0f};
  Matrix viewProj{1.0f};
};

// Left-handed look-at and orthographic projection (near 1, far 1000) of the screen size.
CameraMatrices buildCamera(Vec3 eye, Vec3 target, Vec3 up);
// How far the camera moves to bring a player back to the edge of the dead
// zone: 0.1 of the half-width sideways, 0.2 of the half-height up and down.
Vec2 cameraFollow(const Matrix& playerWorld, const Matrix& viewProj);
// The matrix that draws the unit quad over the whole screen wherever the camera is.
Matrix fullScreenMatrix(const Matrix& viewProj);

}  // namespace vw
