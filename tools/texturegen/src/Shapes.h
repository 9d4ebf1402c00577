#pragma once
// Anti-aliased shapes from signed distance functions.
//
// A picture is drawn in its own "local" units (usually the world units the game
// draws it at, y down, origin top-left). A Pen maps local units to canvas pixels
// with a uniform scale and a rotation, so the same drawing code serves a sheet
// cell at any resolution and any angle. Coverage comes from the distance to the
// shape's edge, measured in pixels, which gives clean edges without supersampling.

#include "Canvas.h"

#include <glm/glm.hpp>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <span>

namespace vw::art {

constexpr float kPi = 3.14159265358979f;

inline float radians(float degrees)
{
    return degrees * (kPi / 180.0f);
}

// Axis-aligned rectangle in local units.
struct Box {
    glm::vec2 min;
    glm::vec2 max;
    static Box around(glm::vec2 centre, glm::vec2 half) { return {centre - half, centre + half}; }
    Box grown(float by) const { return {min - glm::vec2(by), max + glm::vec2(by)}; }
};

// Local units to pixels: pixel = origin + matrix * local, matrix = scale x rotation.
class Pen {
public:
    Pen() = default;
    Pen(glm::vec2 originPixels, float scale) : origin_(originPixels), m_(scale, 0.0f, 0.0f, scale), scale_(scale) {}

    float scale() const { return scale_; }
    glm::vec2 toPixel(glm::vec2 local) const { return origin_ + m_ * local; }
    glm::vec2 toLocal(glm::vec2 pixel) const { return inverse_() * (pixel - origin_); }
    // The same pen turned clockwise (as seen, y down) by degrees about a local point.
    Pen rotated(float degreesClockwise, glm::vec2 pivot) const;
    // A screen direction expressed in local units (for lighting rotated parts).
    glm::vec2 localDirection(glm::vec2 screen) const { return glm::normalize(inverse_() * screen); }
    // The same pen with its local origin moved to a local point.
    Pen moved(glm::vec2 offset) const;
    // Local units scaled by a further uniform factor.
    Pen zoomed(float factor) const;

private:
    glm::mat2 inverse_() const { return glm::transpose(m_) / (scale_ * scale_); }

    glm::vec2 origin_{0.0f};
    glm::mat2 m_{1.0f};
    float scale_ = 1.0f;
};

// Signed distances, local units, negative inside.
namespace sdf {

inline float circle(glm::vec2 p, glm::vec2 c, float r)
{
    return glm::length(p - c) - r;
}

inline float ellipse(glm::vec2 p, glm::vec2 c, glm::vec2 r)
{
    // A good approximation near the edge, which is all coverage needs.
    const glm::vec2 q = (p - c) / r;
    const float k = glm::length(q);
    if (k < 1e-6f)
        return -std::min(r.x, r.y);
    const float k2 = glm::length(q / r);
    return k * (k - 1.0f) / k2;
}

inline float box(glm::vec2 p, glm::vec2 c, glm::vec2 half)
{
    const glm::vec2 d = glm::abs(p - c) - half;
    return glm::length(glm::max(d, glm::vec2(0.0f))) + std::min(std::max(d.x, d.y), 0.0f);
}

inline float roundBox(glm::vec2 p, glm::vec2 c, glm::vec2 half, float radius)
{
    return box(p, c, half - glm::vec2(radius)) - radius;
}

// Distance to the segment a-b.
inline float segment(glm::vec2 p, glm::vec2 a, glm::vec2 b)
{
    const glm::vec2 pa = p - a, ba = b - a;
    const float h = std::clamp(glm::dot(pa, ba) / std::max(glm::dot(ba, ba), 1e-12f), 0.0f, 1.0f);
    return glm::length(pa - ba * h);
}

inline float capsule(glm::vec2 p, glm::vec2 a, glm::vec2 b, float r)
{
    return segment(p, a, b) - r;
}

// A capsule whose radius goes from ra at a to rb at b.
inline float taperedCapsule(glm::vec2 p, glm::vec2 a, glm::vec2 b, float ra, float rb)
{
    const glm::vec2 ba = b - a;
    const float l2 = std::max(glm::dot(ba, ba), 1e-12f);
    const float h = std::clamp(glm::dot(p - a, ba) / l2, 0.0f, 1.0f);
    return glm::length(p - a - ba * h) - (ra + (rb - ra) * h);
}

// Rectangle of the given thickness along the segment a-b (square ends).
inline float bar(glm::vec2 p, glm::vec2 a, glm::vec2 b, float thickness)
{
    const glm::vec2 axis = b - a;
    const float len = glm::length(axis);
    const glm::vec2 u = len > 1e-9f ? axis / len : glm::vec2(1.0f, 0.0f);
    const glm::vec2 q = p - (a + b) * 0.5f;
    const glm::vec2 local(glm::dot(q, u), glm::dot(q, glm::vec2(-u.y, u.x)));
    return box(local, glm::vec2(0.0f), glm::vec2(len * 0.5f, thickness * 0.5f));
}

inline float ring(glm::vec2 p, glm::vec2 c, float radius, float halfWidth)
{
    return std::abs(glm::length(p - c) - radius) - halfWidth;
}

// Any simple polygon (points in order).
float polygon(glm::vec2 p, std::span<const glm::vec2> points);

inline float unite(float a, float b)
{
    return std::min(a, b);
}
inline float intersect(float a, float b)
{
    return std::max(a, b);
}
inline float subtract(float a, float b)
{
    return std::max(a, -b);
}
// Union with a rounded join of size k.
inline float smoothUnite(float a, float b, float k)
{
    const float h = std::clamp(0.5f + 0.5f * (b - a) / k, 0.0f, 1.0f);
    return b + (a - b) * h - k * h * (1.0f - h);
}

}  // namespace sdf

Box boundsOf(std::span<const glm::vec2> points);
Box boundsOf(std::initializer_list<glm::vec2> points);

// Outward unit normal of a distance field at p (central differences).
template <class Sdf>
glm::vec2 normalOf(const Sdf& f, glm::vec2 p, float eps = 0.05f)
{
    const glm::vec2 g(f(p + glm::vec2(eps, 0.0f)) - f(p - glm::vec2(eps, 0.0f)),
                      f(p + glm::vec2(0.0f, eps)) - f(p - glm::vec2(0.0f, eps)));
    const float len = glm::length(g);
    return len > 1e-9f ? g / len : glm::vec2(0.0f, -1.0f);
}

// Light falls from the upper left in every picture (a screen direction).
inline glm::vec2 lightDirection()
{
    return glm::normalize(glm::vec2(-0.55f, -0.85f));
}

// Draws through a pen onto a canvas.
class Painter {
public:
    Painter(Canvas& canvas, Pen pen) : canvas_(canvas), pen_(pen) {}

    Canvas& canvas() { return canvas_; }
    const Pen& pen() const { return pen_; }
    Painter with(const Pen& pen) const { return {canvas_, pen}; }
    // The direction towards the light in this painter's local units.
    glm::vec2 light() const { return pen_.localDirection(lightDirection()); }

    // Fills the shape f (local distance function) inside local bounds box; paint(p, d)
    // gives the straight colour at local point p, d being the distance there.
    // softness (local units) widens the edge into a soft falloff.
    template <class Sdf, class Paint>
    void fill(const Box& bounds, const Sdf& f, const Paint& paint, float softness = 0.0f)
    {
        const float softPx = softness * pen_.scale();
        const Box px = pixelBounds_(bounds.grown(softness));
        const int x0 = std::max(0, static_cast<int>(std::floor(px.min.x)) - 1);
        const int y0 = std::max(0, static_cast<int>(std::floor(px.min.y)) - 1);
        const int x1 = std::min(canvas_.width() - 1, static_cast<int>(std::ceil(px.max.x)) + 1);
        const int y1 = std::min(canvas_.height() - 1, static_cast<int>(std::ceil(px.max.y)) + 1);
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) {
                const glm::vec2 p = pen_.toLocal(glm::vec2(x + 0.5f, y + 0.5f));
                const float d = f(p);
                const float dpx = d * pen_.scale();
                float coverage;
                if (softPx > 0.0f)
                    coverage = 1.0f - smooth_(std::clamp((dpx + softPx * 0.5f + 0.5f) / (softPx + 1.0f), 0.0f, 1.0f));
                else
                    coverage = std::clamp(0.5f - dpx, 0.0f, 1.0f);
                if (coverage <= 0.0f)
                    continue;
                canvas_.blend(x, y, paint(p, d), coverage);
            }
    }

    template <class Sdf>
    void fill(const Box& bounds, const Sdf& f, const Color& colour, float softness = 0.0f)
    {
        fill(bounds, f, [&](glm::vec2, float) { return colour; }, softness);
    }

    // Fills the shape over a dark outline of the given width (local units) around it.
    template <class Sdf, class Paint>
    void outlined(const Box& bounds, const Sdf& f, const Paint& paint, const Color& outline, float width)
    {
        fill(bounds.grown(width), [&](glm::vec2 p) { return f(p) - width; }, outline);
        fill(bounds, f, paint);
    }
    template <class Sdf>
    void outlined(const Box& bounds, const Sdf& f, const Color& colour, const Color& outline, float width)
    {
        outlined(bounds, f, [&](glm::vec2, float) { return colour; }, outline, width);
    }

    // Adds light (for glows): colour times a falloff of the shape's edge.
    template <class Sdf>
    void glow(const Box& bounds, const Sdf& f, const Color& colour, float radius)
    {
        const Box px = pixelBounds_(bounds.grown(radius));
        const int x0 = std::max(0, static_cast<int>(std::floor(px.min.x)));
        const int y0 = std::max(0, static_cast<int>(std::floor(px.min.y)));
        const int x1 = std::min(canvas_.width() - 1, static_cast<int>(std::ceil(px.max.x)));
        const int y1 = std::min(canvas_.height() - 1, static_cast<int>(std::ceil(px.max.y)));
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) {
                const float d = f(pen_.toLocal(glm::vec2(x + 0.5f, y + 0.5f)));
                const float t = std::clamp(1.0f - std::max(d, 0.0f) / radius, 0.0f, 1.0f);
                if (t > 0.0f)
                    canvas_.blend(x, y, colour, t * t);
            }
    }

    // Shorthands.
    void circle(glm::vec2 c, float r, const Color& colour)
    {
        fill(Box::around(c, glm::vec2(r)), [&](glm::vec2 p) { return sdf::circle(p, c, r); }, colour);
    }
    void capsule(glm::vec2 a, glm::vec2 b, float r, const Color& colour)
    {
        fill(boundsOf({a, b}).grown(r), [&](glm::vec2 p) { return sdf::capsule(p, a, b, r); }, colour);
    }
    void rect(glm::vec2 min, glm::vec2 max, const Color& colour)
    {
        const glm::vec2 c = (min + max) * 0.5f, h = (max - min) * 0.5f;
        fill(Box{min, max}, [&](glm::vec2 p) { return sdf::box(p, c, h); }, colour);
    }
    void roundRect(glm::vec2 min, glm::vec2 max, float radius, const Color& colour)
    {
        const glm::vec2 c = (min + max) * 0.5f, h = (max - min) * 0.5f;
        fill(Box{min, max}, [&](glm::vec2 p) { return sdf::roundBox(p, c, h, radius); }, colour);
    }
    void polygon(std::span<const glm::vec2> points, const Color& colour)
    {
        fill(boundsOf(points), [&](glm::vec2 p) { return sdf::polygon(p, points); }, colour);
    }
    void line(glm::vec2 a, glm::vec2 b, float width, const Color& colour) { capsule(a, b, width * 0.5f, colour); }

private:
    static float smooth_(float t) { return t * t * (3.0f - 2.0f * t); }
    Box pixelBounds_(const Box& local) const
    {
        const glm::vec2 corners[4] = {pen_.toPixel(local.min), pen_.toPixel({local.max.x, local.min.y}),
                                      pen_.toPixel({local.min.x, local.max.y}), pen_.toPixel(local.max)};
        return boundsOf(corners);
    }

    Canvas& canvas_;
    Pen pen_;
};

// Pillow shading: the colour brightened on edges facing the light and darkened on
// the others, within bevel local units of the edge.
template <class Sdf>
Color bevelled(const Color& base, const Sdf& f, glm::vec2 p, float d, float bevel, float strength,
               glm::vec2 light = lightDirection())
{
    const float edge = std::clamp(1.0f + d / bevel, 0.0f, 1.0f);
    if (edge <= 0.0f)
        return base;
    const float facing = glm::dot(normalOf(f, p, bevel * 0.05f + 0.01f), light);
    const float k = 1.0f + strength * facing * edge * edge;
    return {glm::clamp(glm::vec3(base) * k, 0.0f, 1.0f), base.a};
}

}  // namespace vw::art
