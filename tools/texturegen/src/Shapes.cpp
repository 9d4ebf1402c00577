#include "Shapes.h"

namespace vw::art {

Pen Pen::rotated(float degreesClockwise, glm::vec2 pivot) const
{
    const float a = radians(degreesClockwise);
    const float c = std::cos(a), s = std::sin(a);
    // Column-major: columns (c, s) and (-s, c) turn +x towards +y, clockwise on a y-down screen.
    const glm::mat2 r(c, s, -s, c);
    Pen out = *this;
    out.m_ = m_ * r;
    out.origin_ = origin_ + m_ * pivot - out.m_ * pivot;
    return out;
}

Pen Pen::moved(glm::vec2 offset) const
{
    Pen out = *this;
    out.origin_ = toPixel(offset);
    return out;
}

Pen Pen::zoomed(float factor) const
{
    Pen out = *this;
    out.m_ = m_ * factor;
    out.scale_ = scale_ * factor;
    return out;
}

Box boundsOf(std::span<const glm::vec2> points)
{
    Box b{glm::vec2(1e30f), glm::vec2(-1e30f)};
    for (const glm::vec2& p : points) {
        b.min = glm::min(b.min, p);
        b.max = glm::max(b.max, p);
    }
    return b;
}

Box boundsOf(std::initializer_list<glm::vec2> points)
{
    return boundsOf(std::span<const glm::vec2>(points.begin(), points.size()));
}

namespace sdf {

float polygon(glm::vec2 p, std::span<const glm::vec2> v)
{
    if (v.empty())
        return 1e30f;
    float d = glm::dot(p - v[0], p - v[0]);
    float s = 1.0f;
    for (std::size_t i = 0, j = v.size() - 1; i < v.size(); j = i, ++i) {
        const glm::vec2 e = v[j] - v[i];
        const glm::vec2 w = p - v[i];
        const glm::vec2 b = w - e * std::clamp(glm::dot(w, e) / std::max(glm::dot(e, e), 1e-12f), 0.0f, 1.0f);
        d = std::min(d, glm::dot(b, b));
        const bool c1 = p.y >= v[i].y, c2 = p.y < v[j].y, c3 = e.x * w.y > e.y * w.x;
        if ((c1 && c2 && c3) || (!c1 && !c2 && !c3))
            s = -s;
    }
    return s * std::sqrt(d);
}

}  // namespace sdf
}  // namespace vw::art
