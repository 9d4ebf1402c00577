// The spray particles. The game adds them up in a layer (colour one-to-one), so
// their colour is stored multiplied by alpha: black wherever they are clear,
// and a dense stream brightens towards the core colour without square edges.

#include "Noise.h"
#include "Palette.h"
#include "Pictures.h"
#include "Shapes.h"

#include <algorithm>
#include <cmath>

namespace vw::art {

namespace {

constexpr int kSize = 64;

// Radius 0..1 of a pixel centre from the middle of the particle picture.
float radiusAt(int x, int y)
{
    const glm::vec2 p((x + 0.5f) / kSize - 0.5f, (y + 0.5f) / kSize - 0.5f);
    return glm::length(p) * 2.0f;
}

// 1 inside, fading to exactly 0 before the picture's edge.
float window(float r)
{
    return 1.0f - smoothstep01(0.72f, 0.96f, r);
}

}  // namespace

Image drawSteamParticle()
{
    Canvas c(kSize, kSize);
    const Color edge = hexColor(0xb9c6d4), core = hexColor(0xffffff);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const float r = radiusAt(x, y);
            const glm::vec2 p(x / 16.0f, y / 16.0f);
            const float wisps = 0.55f + 0.45f * fbm(p, 71u, 3);
            const float a = std::exp(-r * r * 3.2f) * wisps * window(r) * 0.85f;
            c.blend(x, y, mixColor(edge, core, std::exp(-r * r * 5.0f)), a);
        }
    return c.toImage(EdgeColour::Premultiplied);
}

Image drawWaterParticle()
{
    Canvas c(kSize, kSize);
    const Color body = hexColor(0x0b62d8), rim = hexColor(0x1a8fff), core = hexColor(0xc8f2ff);
    // A drop seen head on: round, a soft halo, a bright core a little up and left.
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const float r = radiusAt(x, y);
            const float halo = std::exp(-r * r * 4.0f) * 0.45f;
            const float drop = 1.0f - smoothstep01(0.42f, 0.58f, r);
            const glm::vec2 q((x + 0.5f) / kSize - 0.44f, (y + 0.5f) / kSize - 0.42f);
            const float spark = std::exp(-glm::dot(q, q) * 180.0f);
            const float a = std::min(1.0f, std::max(halo, drop * 0.9f)) * window(r);
            Color colour = mixColor(rim, body, drop);
            colour = mixColor(colour, core, std::min(1.0f, spark * 1.3f + drop * 0.15f));
            c.blend(x, y, colour, a);
        }
    return c.toImage(EdgeColour::Premultiplied);
}

Image drawIceParticle()
{
    Canvas c(kSize, kSize);
    Painter paint(c, Pen(glm::vec2(0.0f), kSize / 2.0f));  // local units: the picture is 2 x 2
    const glm::vec2 mid(1.0f, 1.0f);
    // A six-pointed crystal, long and short arms alternating, over a pale glow.
    auto crystal = [&](glm::vec2 p) {
        float d = 1e9f;
        for (int i = 0; i < 6; ++i) {
            const float a = radians(90.0f + 60.0f * i);
            const float len = i % 2 == 0 ? 0.62f : 0.46f;
            const glm::vec2 tip = mid + glm::vec2(std::cos(a), -std::sin(a)) * len;
            d = std::min(d, sdf::taperedCapsule(p, mid, tip, 0.13f, 0.015f));
        }
        return std::min(d, sdf::circle(p, mid, 0.2f));
    };
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const float r = radiusAt(x, y);
            c.blend(x, y, hexColor(0x8fe3ff), std::exp(-r * r * 5.0f) * 0.5f * window(r));
        }
    const Box all{glm::vec2(0.0f), glm::vec2(2.0f)};
    paint.fill(all, crystal, [&](glm::vec2 p, float d) {
        const float depth = std::clamp(-d / 0.12f, 0.0f, 1.0f);
        const float facet = 0.5f + 0.5f * std::sin(std::atan2(p.y - mid.y, p.x - mid.x) * 6.0f);
        return mixColor(hexColor(0xbff1ff), hexColor(0xffffff), std::max(depth * 0.7f, facet * 0.4f));
    });
    Image img = c.toImage(EdgeColour::Premultiplied);
    return img;
}

}  // namespace vw::art
