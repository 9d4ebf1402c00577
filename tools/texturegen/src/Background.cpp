// The backdrop: a rainy steam-age town at dusk, 3200 x 2560 pixels (drawn at
// 3200 x 2560 units, so one pixel per unit). Three layers of rooftops recede into
// the mist under a low sky, with lit windows, smoking stacks, a clock tower, a
// gasometer, an airship and slanting rain.
//
// The game's camera mostly looks at the band between rows ~1200 and ~2050, so the
// skyline sits there; above is sky, below the town sinks into fog.

#include "Motifs.h"
#include "Noise.h"
#include "Palette.h"
#include "Pictures.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace vw::art {

namespace {

constexpr int kW = 3200, kH = 2560;

// A coarse grid of noise, sampled bilinearly: cheap soft fields over the whole picture.
class SoftField {
public:
    SoftField(int cell, std::uint32_t seed, float scale, int octaves)
        : cell_(cell), w_(kW / cell + 2), h_(kH / cell + 2), v_(static_cast<std::size_t>(w_) * h_)
    {
        for (int y = 0; y < h_; ++y)
            for (int x = 0; x < w_; ++x)
                v_[y * w_ + x] = fbm(glm::vec2(x * cell_, y * cell_) / scale, seed, octaves);
    }
    float at(float x, float y) const
    {
        const float fx = std::clamp(x / cell_, 0.0f, w_ - 1.001f), fy = std::clamp(y / cell_, 0.0f, h_ - 1.001f);
        const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
        const float tx = fx - ix, ty = fy - iy;
        const float a = v_[iy * w_ + ix], b = v_[iy * w_ + ix + 1], c = v_[(iy + 1) * w_ + ix], d = v_[(iy + 1) * w_ + ix + 1];
        return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
    }

private:
    int cell_, w_, h_;
    std::vector<float> v_;
};

// One depth of the town.
struct Layer {
    float skyline;      // typical roof height (row)
    float variation;    // how much roofs rise above it
    float minWidth, maxWidth;
    Color body;         // silhouette colour
    Color alt;          // a second wall colour (brick, rust) mixed into some buildings
    Color rim;          // lit roof edges
    Color window;       // lit window colour (alpha 0: no windows)
    float windowSize;
    float litShare;     // share of windows that are lit
    std::uint64_t seed;
};

void sky(Canvas& c)
{
    const SoftField clouds(8, 401u, 520.0f, 5), wisps(8, 402u, 160.0f, 3);
    const Color top = hexColor(0x26324a), high = hexColor(0x4b5d78), low = hexColor(0x93a3b3), horizon = hexColor(0xc4c8c4);
    for (int y = 0; y < kH; ++y) {
        const float t = y / 1350.0f;
        Color g = t < 0.45f ? mixColor(top, high, t / 0.45f)
                            : (t < 0.85f ? mixColor(high, low, (t - 0.45f) / 0.4f) : mixColor(low, horizon, std::min(1.0f, (t - 0.85f) / 0.15f)));
        for (int x = 0; x < kW; ++x) {
            // Rain clouds: dark banks with paler, lit undersides.
            const float cl = clouds.at(x * 0.6f, y * 1.6f);
            const float bank = smoothstep01(0.42f, 0.7f, cl) * (1.0f - smoothstep01(900.0f, 1400.0f, static_cast<float>(y)));
            Color col = mixColor(g, hexColor(0x2a3346), bank * 0.55f);
            const float lit = smoothstep01(0.5f, 0.62f, cl) - smoothstep01(0.62f, 0.75f, cl);
            col = mixColor(col, hexColor(0xaab6c4), std::max(lit, 0.0f) * 0.25f * (1.0f - bank * 0.5f));
            col = mixColor(col, hexColor(0xd0d8de), smoothstep01(0.55f, 0.8f, wisps.at(x * 0.5f, y * 2.0f)) * 0.12f);
            c.pixel(x, y) = glm::vec4(glm::vec3(col), 1.0f);
        }
    }
    // A warm break in the clouds low over the town.
    Painter paint(c, Pen(glm::vec2(0.0f), 1.0f));
    paint.glow(Box::around({2050.0f, 1150.0f}, glm::vec2(600.0f, 120.0f)),
               [](glm::vec2 p) { return sdf::ellipse(p, {2050.0f, 1150.0f}, {520.0f, 70.0f}); },
               withAlpha(hexColor(0xf1c98e), 0.35f), 260.0f);
}

void airship(Painter& paint, glm::vec2 at, float size, const Color& body, const Color& light)
{
    auto hull = [&](glm::vec2 p) { return sdf::ellipse(p, at, glm::vec2(size, size * 0.27f)); };
    auto fins = [&](glm::vec2 p) {
        const glm::vec2 tail = at + glm::vec2(-size * 0.92f, 0.0f);
        const glm::vec2 fin[3] = {tail + glm::vec2(size * 0.2f, 0.0f), tail + glm::vec2(-size * 0.12f, -size * 0.22f), tail + glm::vec2(-size * 0.12f, size * 0.22f)};
        return sdf::polygon(p, fin);
    };
    auto gondola = [&](glm::vec2 p) {
        return sdf::roundBox(p, at + glm::vec2(size * 0.05f, size * 0.36f), glm::vec2(size * 0.22f, size * 0.06f), size * 0.03f);
    };
    const Box area = Box::around(at, glm::vec2(size * 1.2f, size * 0.5f));
    paint.fill(area, [&](glm::vec2 p) { return std::min({hull(p), fins(p), gondola(p), sdf::segment(p, at + glm::vec2(-size * 0.1f, size * 0.2f), at + glm::vec2(-size * 0.05f, size * 0.32f)) - 1.5f, sdf::segment(p, at + glm::vec2(size * 0.2f, size * 0.2f), at + glm::vec2(size * 0.15f, size * 0.32f)) - 1.5f}); }, body);
    // Lit upper edge and ribs.
    paint.fill(area, [&](glm::vec2 p) { return sdf::intersect(hull(p), -(hull(p + glm::vec2(0.0f, size * 0.04f)))); }, withAlpha(light, 0.7f));
    for (int i = -3; i <= 3; ++i) {
        const float x = at.x + i * size * 0.22f;
        paint.fill(area, [&](glm::vec2 p) { return sdf::intersect(std::abs(p.x - x) - 1.2f, hull(p) + 2.0f); }, withAlpha(scaled(body, 0.8f), 0.8f));
    }
    for (int i = 0; i < 4; ++i)
        paint.rect(at + glm::vec2(size * (-0.12f + i * 0.09f), size * 0.34f), at + glm::vec2(size * (-0.08f + i * 0.09f), size * 0.38f), hexColor(0xffc870));
}

// A rising, drifting plume of steam from (x, y).
void plume(Painter& paint, glm::vec2 from, float size, float alpha, std::uint64_t seed)
{
    Rng rng(seed);
    glm::vec2 p = from;
    float r = size * 0.3f;
    constexpr int kPuffs = 9;
    for (int i = 0; i < kPuffs; ++i) {
        const float a = alpha * (1.0f - static_cast<float>(i) / kPuffs);
        const Color col = withAlpha(mixColor(hexColor(0xe9eef2), hexColor(0xaeb9c4), static_cast<float>(i) / kPuffs), a);
        const glm::vec2 c = p + glm::vec2(rng.range(-0.3f, 0.3f), rng.range(-0.2f, 0.2f)) * r;
        paint.fill(Box::around(c, glm::vec2(r)), [&](glm::vec2 q) { return sdf::circle(q, c, r * 0.7f); }, col, r * 0.6f);
        p += glm::vec2(size * 0.12f + i * size * 0.04f, -size * 0.26f);
        r *= 1.16f;
    }
}

// Chimney stacks standing on a roof, with their smoke positions recorded.
void chimneys(Painter& paint, Rng& rng, float left, float right, float roof, float unit, const Color& body, const Color& rim,
              std::vector<glm::vec3>& smoke)
{
    const int n = rng.below(3);
    for (int i = 0; i < n; ++i) {
        const float x = rng.range(left + unit, std::max(left + unit, right - unit * 2.0f));
        const float w = unit * rng.range(0.6f, 1.0f), h = unit * rng.range(1.2f, 2.6f);
        paint.rect({x, roof - h}, {x + w, roof + 2.0f}, body);
        paint.rect({x - unit * 0.15f, roof - h - unit * 0.25f}, {x + w + unit * 0.15f, roof - h + unit * 0.05f}, body);
        paint.rect({x - unit * 0.15f, roof - h - unit * 0.25f}, {x + w + unit * 0.15f, roof - h - unit * 0.17f}, rim);
        if (rng.unit() < 0.25f)
            smoke.emplace_back(x + w * 0.5f, roof - h - unit * 0.3f, unit);
    }
}

// One building: walls, a roof of some kind, chimneys and windows.
void building(Painter& paint, Rng& rng, const Layer& base, float left, float width, float top, std::vector<glm::vec3>& smoke)
{
    Layer layer = base;
    layer.body = mixColor(base.body, base.alt, rng.unit() < 0.4f ? rng.range(0.3f, 0.8f) : 0.0f);
    layer.body = scaled(layer.body, rng.range(0.92f, 1.06f));
    const float right = left + width, bottom = static_cast<float>(kH) + 10.0f;
    const float unit = layer.windowSize;
    // Walls darken towards the street.
    paint.fill(Box{{left, top}, {right, bottom}}, [&](glm::vec2 p) { return sdf::box(p, {(left + right) * 0.5f, (top + bottom) * 0.5f}, {(right - left) * 0.5f, (bottom - top) * 0.5f}); },
               [&](glm::vec2 p, float) { return scaled(layer.body, 1.0f - 0.3f * smoothstep01(top, top + 900.0f, p.y)); });
    // Pilasters: faint vertical bands that give the walls some build.
    for (float x = left + unit * 0.6f; x < right - unit; x += unit * 7.0f)
        paint.rect({x, top + unit}, {x + unit * 0.5f, bottom}, withAlpha(scaled(layer.body, 1.12f), 0.5f));
    // Lit edge on the left wall top, a cornice line.
    paint.rect({left, top}, {right, top + std::max(2.0f, unit * 0.18f)}, layer.rim);
    const int roof = rng.below(6);
    const float mid = (left + right) * 0.5f;
    if (roof == 0) {  // gable
        const float h = width * rng.range(0.3f, 0.5f);
        const glm::vec2 tri[3] = {{left - 3.0f, top + 1.0f}, {mid, top - h}, {right + 3.0f, top + 1.0f}};
        paint.polygon(tri, layer.body);
        paint.line(tri[0], tri[1], std::max(2.0f, unit * 0.15f), layer.rim);
    } else if (roof == 1) {  // mansard with dormers
        const float h = unit * rng.range(2.0f, 3.2f);
        const glm::vec2 quad[4] = {{left - 2.0f, top + 1.0f}, {left + h * 0.35f, top - h}, {right - h * 0.35f, top - h}, {right + 2.0f, top + 1.0f}};
        paint.polygon(quad, layer.body);
        paint.line(quad[1], quad[2], std::max(2.0f, unit * 0.15f), layer.rim);
        paint.line(quad[0], quad[1], std::max(1.5f, unit * 0.1f), layer.rim);
        for (float x = left + h * 0.6f; x + unit < right - h * 0.5f; x += unit * 2.4f) {
            paint.rect({x, top - h * 0.62f}, {x + unit, top - h * 0.05f}, layer.body);
            if (layer.window.a > 0.0f && rng.unit() < layer.litShare)
                paint.rect({x + unit * 0.2f, top - h * 0.5f}, {x + unit * 0.8f, top - h * 0.12f}, layer.window);
        }
    } else if (roof == 2) {  // dome with a finial
        const float r = std::min(width * 0.42f, unit * 6.0f);
        paint.fill(Box::around({mid, top}, glm::vec2(r)), [&](glm::vec2 p) { return sdf::intersect(sdf::circle(p, {mid, top + r * 0.15f}, r), p.y - top - 1.0f); }, layer.body);
        paint.fill(Box::around({mid, top}, glm::vec2(r + 3.0f)), [&](glm::vec2 p) {
            return sdf::intersect(sdf::intersect(sdf::ring(p, {mid, top + r * 0.15f}, r - 1.5f, std::max(1.5f, unit * 0.1f)), p.y - top), p.x - mid);
        }, layer.rim);
        paint.line({mid, top - r * 0.85f}, {mid, top - r * 1.3f}, std::max(2.0f, unit * 0.15f), layer.body);
        paint.circle({mid, top - r * 1.3f}, std::max(2.5f, unit * 0.22f), layer.rim);
    } else if (roof == 3) {  // saw-tooth factory roof
        const int teeth = std::max(2, static_cast<int>(width / (unit * 3.0f)));
        const float tw = width / teeth, h = unit * 1.6f;
        for (int i = 0; i < teeth; ++i) {
            const glm::vec2 tri[3] = {{left + i * tw, top + 1.0f}, {left + i * tw, top - h}, {left + (i + 1) * tw, top + 1.0f}};
            paint.polygon(tri, layer.body);
            paint.line(tri[1], tri[2], std::max(1.5f, unit * 0.12f), layer.rim);
        }
    } else if (roof == 4 && width < unit * 9.0f) {  // a thin spire
        const float h = width * rng.range(1.2f, 2.0f);
        const glm::vec2 tri[3] = {{left + width * 0.12f, top + 1.0f}, {mid, top - h}, {right - width * 0.12f, top + 1.0f}};
        paint.polygon(tri, layer.body);
        paint.line(tri[0], tri[1], std::max(1.5f, unit * 0.12f), layer.rim);
    } else {  // flat roof with a parapet and a water tank
        paint.rect({left - 3.0f, top - unit * 0.4f}, {right + 3.0f, top + 2.0f}, layer.body);
        paint.rect({left - 3.0f, top - unit * 0.4f}, {right + 3.0f, top - unit * 0.25f}, layer.rim);
        if (rng.unit() < 0.5f && width > unit * 5.0f) {
            const float tx = left + width * rng.range(0.2f, 0.6f), tw = unit * 2.2f, th = unit * 2.0f;
            paint.rect({tx, top - unit * 0.4f - th * 0.6f}, {tx + unit * 0.2f, top}, layer.body);
            paint.rect({tx + tw - unit * 0.2f, top - unit * 0.4f - th * 0.6f}, {tx + tw, top}, layer.body);
            paint.roundRect({tx - unit * 0.2f, top - unit * 0.4f - th * 1.6f}, {tx + tw + unit * 0.2f, top - unit * 0.4f - th * 0.55f}, unit * 0.3f, layer.body);
            paint.rect({tx - unit * 0.2f, top - unit * 0.4f - th * 1.6f}, {tx + tw + unit * 0.2f, top - unit * 0.4f - th * 1.45f}, layer.rim);
        }
    }
    chimneys(paint, rng, left, right, top, unit, layer.body, layer.rim, smoke);

    // Windows: some buildings are blind warehouses, others have rows of tall
    // (sometimes arched) windows, a few of them lit.
    if (layer.window.a <= 0.0f || rng.unit() < 0.25f)
        return;
    const bool arched = rng.unit() < 0.5f;
    const float wx = unit, wy = unit * (arched ? 1.9f : 1.5f), gapX = unit * 1.5f, gapY = unit * 1.9f;
    const int cols = static_cast<int>((width - gapX) / (wx + gapX));
    if (cols <= 0)
        return;
    const float startX = left + (width - (cols * (wx + gapX) - gapX)) * 0.5f;
    const float busy = rng.range(0.3f, 1.4f);
    auto windowSdf = [&](glm::vec2 p, float x, float y) {
        const float box = sdf::box(p, {x + wx * 0.5f, y + wy * 0.5f}, {wx * 0.5f, wy * 0.5f});
        return arched ? std::min(sdf::box(p, {x + wx * 0.5f, y + wy * 0.5f + wx * 0.25f}, {wx * 0.5f, wy * 0.5f - wx * 0.25f}),
                                 sdf::circle(p, {x + wx * 0.5f, y + wx * 0.5f}, wx * 0.5f))
                      : box;
    };
    for (float y = top + unit * 1.4f; y < kH; y += wy + gapY) {
        for (int i = 0; i < cols; ++i) {
            const float x = startX + i * (wx + gapX);
            const Box b{{x, y}, {x + wx, y + wy}};
            auto shape = [&](glm::vec2 p) { return windowSdf(p, x, y); };
            if (rng.unit() < layer.litShare * busy) {
                paint.glow(b, shape, withAlpha(layer.window, 0.22f), unit * 1.3f);
                paint.fill(b, shape, [&](glm::vec2 p, float) { return mixColor(layer.window, scaled(layer.window, 0.75f), (p.y - y) / wy); });
                paint.rect({x + wx * 0.46f, y}, {x + wx * 0.54f, y + wy}, withAlpha(scaled(layer.window, 0.4f), 0.8f));
                paint.rect({x, y + wy * 0.5f}, {x + wx, y + wy * 0.56f}, withAlpha(scaled(layer.window, 0.4f), 0.8f));
            } else {
                paint.fill(b, shape, scaled(layer.body, 0.72f));
            }
            // A sill under each window.
            paint.rect({x - unit * 0.15f, y + wy}, {x + wx + unit * 0.15f, y + wy + unit * 0.18f}, withAlpha(scaled(layer.body, 1.25f), 0.8f));
        }
    }
}

void townLayer(Painter& paint, const Layer& layer, std::vector<glm::vec3>& smoke)
{
    Rng rng(layer.seed);
    float x = -rng.range(0.0f, layer.maxWidth);
    while (x < kW) {
        const float w = rng.range(layer.minWidth, layer.maxWidth);
        const float top = layer.skyline - layer.variation * std::pow(rng.unit(), 1.5f);
        building(paint, rng, layer, x, w, top, smoke);
        x += w + (rng.unit() < 0.25f ? rng.range(0.0f, layer.minWidth * 0.5f) : -2.0f);
    }
}

// Mist lying over everything below row y0, thickest at y1.
void fog(Canvas& c, float y0, float y1, const Color& colour, float strength, std::uint32_t seed)
{
    const SoftField drift(16, seed, 380.0f, 4);
    const int from = std::max(0, static_cast<int>(y0));
    for (int y = from; y < kH; ++y) {
        const float base = smoothstep01(y0, y1, static_cast<float>(y));
        for (int x = 0; x < kW; ++x) {
            const float n = drift.at(x * 0.5f, y * 2.2f);
            const float a = strength * base * (0.55f + 0.9f * (n - 0.5f));
            if (a > 0.0f)
                c.blend(x, y, colour, std::min(a, 1.0f));
        }
    }
}

void clockTower(Painter& paint, glm::vec2 base, float scale, const Color& body, const Color& rim, const Color& face)
{
    const float w = 70.0f * scale;
    paint.rect({base.x - w * 0.5f, base.y - 520.0f * scale}, {base.x + w * 0.5f, kH + 10.0f}, body);
    paint.rect({base.x - w * 0.62f, base.y - 540.0f * scale}, {base.x + w * 0.62f, base.y - 500.0f * scale}, body);
    const glm::vec2 roof[3] = {{base.x - w * 0.62f, base.y - 538.0f * scale}, {base.x, base.y - 700.0f * scale}, {base.x + w * 0.62f, base.y - 538.0f * scale}};
    paint.polygon(roof, body);
    paint.line(roof[0], roof[1], 3.0f * scale, rim);
    paint.line({base.x, base.y - 700.0f * scale}, {base.x, base.y - 760.0f * scale}, 4.0f * scale, body);
    const glm::vec2 clock(base.x, base.y - 440.0f * scale);
    const float r = w * 0.36f;
    paint.glow(Box::around(clock, glm::vec2(r)), [&](glm::vec2 p) { return sdf::circle(p, clock, r); }, withAlpha(face, 0.35f), r * 1.4f);
    paint.circle(clock, r + 3.0f * scale, rim);
    paint.circle(clock, r, face);
    paint.line(clock, clock + glm::vec2(0.0f, -r * 0.75f), 3.0f * scale, body);
    paint.line(clock, clock + glm::vec2(r * 0.5f, r * 0.2f), 3.0f * scale, body);
}

void gasometer(Painter& paint, glm::vec2 base, float r, float h, const Color& body, const Color& rim)
{
    paint.fill(Box{{base.x - r, base.y - h - r * 0.3f}, {base.x + r, kH + 10.0f}}, [&](glm::vec2 p) {
        return std::min(sdf::box(p, {base.x, (base.y - h + kH) * 0.5f}, {r * 0.92f, (kH - base.y + h) * 0.5f}),
                        sdf::ellipse(p, {base.x, base.y - h}, {r * 0.92f, r * 0.18f}));
    }, withAlpha(scaled(body, 0.92f), 1.0f));
    // The lattice frame around the holder.
    for (int i = 0; i <= 6; ++i) {
        const float x = base.x - r + i * r / 3.0f;
        paint.line({x, base.y - h - r * 0.25f}, {x, kH + 10.0f}, 5.0f, body);
    }
    for (int j = 0; j < 4; ++j) {
        const float y = base.y - h - r * 0.25f + j * h * 0.3f;
        paint.line({base.x - r, y}, {base.x + r, y}, 4.0f, body);
        paint.line({base.x - r, y - 2.0f}, {base.x + r, y - 2.0f}, 1.5f, rim);
        for (int i = 0; i < 6; ++i) {
            const float x = base.x - r + i * r / 3.0f;
            paint.line({x, y}, {x + r / 3.0f, y + h * 0.3f}, 2.0f, body);
        }
    }
}

}  // namespace

Image drawBackground()
{
    Canvas c(kW, kH);
    sky(c);
    Painter paint(c, Pen(glm::vec2(0.0f), 1.0f));
    std::vector<glm::vec3> smoke;

    airship(paint, {820.0f, 640.0f}, 210.0f, hexColor(0x4a566b), hexColor(0xb9c4d0));

    // Far: pale and hazy, the clock tower and gasometer among the roofs.
    const Layer far{1330.0f, 210.0f, 90.0f, 220.0f, hexColor(0x7e8b9c), hexColor(0x8c8790), hexColor(0x98a5b4), hexColor(0xf3d49a, 0.7f), 9.0f, 0.1f, 501};
    clockTower(paint, {1180.0f, 1330.0f}, 1.0f, far.body, far.rim, hexColor(0xf7e2b0));
    gasometer(paint, {2500.0f, 1300.0f}, 150.0f, 150.0f, far.body, far.rim);
    townLayer(paint, far, smoke);
    for (std::size_t i = 0; i < smoke.size(); ++i)
        plume(paint, glm::vec2(smoke[i]), smoke[i].z * 9.0f, 0.35f, 600 + i);
    smoke.clear();
    fog(c, 1150.0f, 1700.0f, hexColor(0xb4bfca), 0.55f, 411u);

    // Middle: slate roofs with lit windows and two great factory stacks.
    const Layer mid{1520.0f, 240.0f, 120.0f, 300.0f, hexColor(0x4d5a6e), hexColor(0x6a5150), hexColor(0x7d8aa0), hexColor(0xffc570), 13.0f, 0.18f, 502};
    for (float x : {1640.0f, 1760.0f}) {
        paint.fill(Box{{x - 40.0f, 1000.0f}, {x + 40.0f, kH + 10.0f}}, [&](glm::vec2 p) {
            const float halfW = 24.0f + (p.y - 1040.0f) * 0.03f;
            return sdf::intersect(std::abs(p.x - x) - halfW, 1040.0f - p.y);
        }, hexColor(0x55505a));
        for (float y = 1060.0f; y < 1500.0f; y += 80.0f)
            paint.rect({x - 26.0f - (y - 1040.0f) * 0.03f, y}, {x + 26.0f + (y - 1040.0f) * 0.03f, y + 6.0f}, hexColor(0x6b3a2a));
        plume(paint, {x, 1030.0f}, 140.0f, 0.55f, 700 + static_cast<std::uint64_t>(x));
    }
    townLayer(paint, mid, smoke);
    for (std::size_t i = 0; i < smoke.size(); ++i)
        plume(paint, glm::vec2(smoke[i]), smoke[i].z * 8.0f, 0.4f, 800 + i);
    smoke.clear();
    fog(c, 1450.0f, 2050.0f, hexColor(0x9eabb8), 0.5f, 412u);

    // Near: dark slate and rust, brass domes, bright windows.
    const Layer near{1800.0f, 260.0f, 170.0f, 420.0f, hexColor(0x252c3b), hexColor(0x4a2f2a), hexColor(0x8a6a3c), hexColor(0xffb34d), 19.0f, 0.22f, 503};
    townLayer(paint, near, smoke);
    for (std::size_t i = 0; i < smoke.size(); ++i)
        plume(paint, glm::vec2(smoke[i]), smoke[i].z * 6.0f, 0.35f, 900 + i);
    // A long steam main running across the near roofs on brackets.
    for (float y : {1905.0f}) {
        paint.capsule({-20.0f, y}, {kW + 20.0f, y}, 13.0f, hexColor(0x15191f));
        paint.capsule({-20.0f, y}, {kW + 20.0f, y}, 10.0f, hexColor(0x6b4a2a));
        paint.capsule({-20.0f, y - 4.0f}, {kW + 20.0f, y - 4.0f}, 2.5f, hexColor(0xb08850));
        for (float x = 60.0f; x < kW; x += 260.0f) {
            paint.rect({x - 9.0f, y - 16.0f}, {x + 9.0f, y + 16.0f}, hexColor(0x15191f));
            paint.rect({x - 6.0f, y - 14.0f}, {x + 6.0f, y + 14.0f}, hexColor(0x8a6a3c));
        }
    }
    fog(c, 1900.0f, 2560.0f, hexColor(0x6f7d8e), 0.6f, 413u);

    // Rain: thin slanting streaks over everything.
    Rng rain(77u);
    for (int i = 0; i < 5200; ++i) {
        const glm::vec2 a(rain.range(-100.0f, kW + 100.0f), rain.range(-100.0f, kH));
        const float len = rain.range(30.0f, 90.0f);
        const glm::vec2 b = a + glm::vec2(len * 0.22f, len);
        paint.fill(boundsOf({a, b}).grown(2.0f), [&](glm::vec2 p) { return sdf::capsule(p, a, b, 0.7f); },
                   withAlpha(hexColor(0xdce6ef), rain.range(0.10f, 0.28f)));
    }
    return c.toOpaqueImage();
}

}  // namespace vw::art
