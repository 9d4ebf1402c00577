#include "physics/Geometry.h"

#include <cmath>

namespace vw {

bool pointInRect(Vec3 p, Bounds r) {
  return r.left <= p.x && p.x <= r.right && r.bottom <= p.y && p.y <= r.top;
}

Penetration penetration(Bounds m, Bounds o) {
  Penetration p;
  p.dx = o.left < m.left ? o.right - m.left : o.left - m.right;
  p.dy = o.top < m.top ? o.top - m.bottom : o.bottom - m.top;
  return p;
}

CollisionType collisionSide(Bounds m, Bounds o) {
  Penetration p = penetration(m, o);
  if (std::fabs(p.dx) <= std::fabs(p.dy)) return CollisionType::Side;
  return o.top < m.top ? CollisionType::Top : CollisionType::Bottom;
}

}  // namespace vw
