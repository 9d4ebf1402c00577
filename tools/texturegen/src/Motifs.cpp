#include "Motifs.h"

#include "Palette.h"

#include <cmath>

namespace vw::art {

float gearSdf(glm::vec2 p, glm::vec2 centre, float outerRadius, float rootRadius, int teeth, float turnDegrees)
{
    const glm::vec2 q = p - centre;
    const float r = glm::length(q);
    const float sector = 2.0f * kPi / teeth;
    float a = std::atan2(q.y, q.x) - radians(turnDegrees);
    a = a - sector * std::floor(a / sector + 0.5f);  // -sector/2 .. sector/2
    // A tooth is a rounded box standing on the root circle.
    const glm::vec2 local(r * std::cos(a), r * std::sin(a));
    const float toothHalf = sector * rootRadius * 0.26f;
    const float height = outerRadius - rootRadius;
    const float tooth = sdf::roundBox(local, glm::vec2(rootRadius + height * 0.5f, 0.0f),
                                      glm::vec2(height * 0.5f + toothHalf * 0.5f, toothHalf), toothHalf * 0.45f);
    return sdf::smoothUnite(r - rootRadius, tooth, height * 0.25f);
}

float dropSdf(glm::vec2 p, glm::vec2 centre, float r, float pointHeight)
{
    const glm::vec2 tip = centre + glm::vec2(0.0f, -pointHeight);
    const float alpha = std::acos(std::clamp(r / pointHeight, 0.0f, 1.0f));
    const glm::vec2 left = centre + r * glm::vec2(-std::sin(alpha), -std::cos(alpha));
    const glm::vec2 right = centre + r * glm::vec2(std::sin(alpha), -std::cos(alpha));
    const glm::vec2 tri[3] = {tip, right, left};
    return sdf::smoothUnite(sdf::circle(p, centre, r), sdf::polygon(p, tri), r * 0.05f);
}

float snowflakeSdf(glm::vec2 p, glm::vec2 centre, float armLength, float thickness)
{
    float d = sdf::circle(p, centre, thickness * 1.4f);
    for (int i = 0; i < 6; ++i) {
        const float a = radians(90.0f + 60.0f * i);
        const glm::vec2 dir(std::cos(a), -std::sin(a));
        const glm::vec2 tip = centre + dir * armLength;
        d = std::min(d, sdf::capsule(p, centre, tip, thickness * 0.5f));
        for (float at : {0.45f, 0.72f}) {
            const glm::vec2 base = centre + dir * (armLength * at);
            const float len = armLength * (at < 0.5f ? 0.32f : 0.22f);
            for (float side : {-1.0f, 1.0f}) {
                const float b = a + side * radians(50.0f);
                const glm::vec2 end = base + glm::vec2(std::cos(b), -std::sin(b)) * len;
                d = std::min(d, sdf::capsule(p, base, end, thickness * 0.4f));
            }
        }
    }
    return d;
}

float polylineSdf(glm::vec2 p, const std::vector<glm::vec2>& points, float radius)
{
    float d = 1e30f;
    for (std::size_t i = 1; i < points.size(); ++i)
        d = std::min(d, sdf::segment(p, points[i - 1], points[i]));
    return d - radius;
}

float taperedPolylineSdf(glm::vec2 p, const std::vector<glm::vec2>& points, float startRadius, float endRadius)
{
    float d = 1e30f;
    const float n = static_cast<float>(std::max<std::size_t>(points.size() - 1, 1));
    for (std::size_t i = 1; i < points.size(); ++i) {
        const float ra = startRadius + (endRadius - startRadius) * ((i - 1) / n);
        const float rb = startRadius + (endRadius - startRadius) * (i / n);
        d = std::min(d, sdf::taperedCapsule(p, points[i - 1], points[i], ra, rb));
    }
    return d;
}

Color metalRamp(const Color& dark, const Color& base, const Color& light, float t)
{
    // t: 0 = facing the light, 1 = turned away.
    Color c = t < 0.5f ? mixColor(light, base, t * 2.0f) : mixColor(base, dark, (t - 0.5f) * 2.0f);
    // A narrow bright band just on the lit side reads as polish.
    const float band = std::exp(-((t - 0.18f) * (t - 0.18f)) * 220.0f);
    return mixColor(c, palette::cream, band * 0.55f);
}

void drawRivet(Painter& paint, glm::vec2 centre, float radius, const Color& base)
{
    paint.circle(centre - paint.light() * (radius * 0.4f), radius * 1.05f, withAlpha(palette::ink, 0.5f));
    auto f = [&](glm::vec2 p) { return sdf::circle(p, centre, radius); };
    fillMetal(paint, Box::around(centre, glm::vec2(radius)), f, scaled(base, 0.45f), base,
              mixColor(base, palette::cream, 0.7f), radius, palette::ink, radius * 0.22f);
}

}  // namespace vw::art
