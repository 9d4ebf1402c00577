// The title banner: slate cloth with gold embroidery hanging from a brass rod,
// the emblem at the top, quiet panels behind the menu items, the three powers
// stitched below them and a swallow-tailed foot with tassels. The title menu
// shows only the top of the cloth (down to kShownDepth); every decoration but
// the foot sits there.

#include "Motifs.h"
#include "Noise.h"
#include "Palette.h"
#include "Pictures.h"

#include <cmath>
#include <utility>
#include <vector>

namespace vw::art {

namespace {

namespace pal = palette;

constexpr float kW = 283.0f, kH = 1205.0f;
constexpr float kScale = 2.0f;
constexpr float kClothTop = 34.0f;
constexpr float kTailDepth = 70.0f;  // how far the swallow-tail's notch rises
// How much of the cloth the title menu shows: the banner's top edge is 37.5
// units below the screen's top, and 800 units of screen lie below that.
constexpr float kShownDepth = 762.0f;
// The menu items' rows on the cloth: "Start Game" first, "Continue" fourth.
constexpr float kFirstItemRow = 362.0f;
constexpr float kItemSpacing = 100.0f;
constexpr int kItemRows = 4;
const Color kGold = hexColor(0xe8b75a);
const Color kGoldDark = hexColor(0x9a6a22);

// The cloth's outline (clockwise on screen): straight sides, a notched foot.
const std::vector<glm::vec2> kCloth = {{10.0f, kClothTop}, {kW - 10.0f, kClothTop}, {kW - 10.0f, kH - 6.0f},
                                       {kW * 0.5f, kH - 6.0f - kTailDepth}, {10.0f, kH - 6.0f}};

float clothSdf(glm::vec2 p)
{
    return sdf::polygon(p, kCloth);
}

// The outline moved inwards by d (mitred corners).
std::vector<glm::vec2> inset(const std::vector<glm::vec2>& poly, float d)
{
    std::vector<glm::vec2> out;
    const std::size_t n = poly.size();
    for (std::size_t i = 0; i < n; ++i) {
        const glm::vec2 prev = poly[(i + n - 1) % n], cur = poly[i], next = poly[(i + 1) % n];
        // Clockwise on a y-down screen: the inside lies to the right of each edge.
        auto inward = [](glm::vec2 a, glm::vec2 b) {
            const glm::vec2 e = glm::normalize(b - a);
            return glm::vec2(-e.y, e.x);
        };
        const glm::vec2 n1 = inward(prev, cur), n2 = inward(cur, next);
        const glm::vec2 m = glm::normalize(n1 + n2);
        out.push_back(cur + m * (d / glm::dot(m, n1)));
    }
    return out;
}

Color clothColour(glm::vec2 p, float d)
{
    // Deep slate with hanging folds, a faint weave, darker towards the foot.
    const float fold = std::sin(p.x / kW * kPi * 5.0f + std::sin(p.y / 300.0f) * 0.6f);
    const float weave = (hashUnit(static_cast<std::uint32_t>(p.x * 2.0f), static_cast<std::uint32_t>(p.y * 2.0f), 5u) - 0.5f) * 0.04f;
    Color c = mixColor(hexColor(0x3a4866), hexColor(0x222b40), p.y / kH * 0.6f);
    c = scaled(c, 1.0f + 0.12f * fold + weave + 0.08f * (fbm(p / 80.0f, 301u, 3) - 0.5f));
    // Shade just inside the edge, where the cloth turns.
    c = scaled(c, 1.0f - 0.35f * std::exp(d / 5.0f));
    return c;
}

// An embroidered gold line along a distance field's zero (width in units).
template <class Sdf>
void stitch(Painter& paint, const Box& bounds, const Sdf& f, float width)
{
    auto line = [&](glm::vec2 p) { return std::abs(f(p)) - width * 0.5f; };
    paint.fill(bounds.grown(width), [&](glm::vec2 p) { return line(p - glm::vec2(0.6f, 0.9f)); },
               withAlpha(hexColor(0x0c0f18), 0.6f));
    const glm::vec2 light = paint.light();
    paint.fill(bounds.grown(width), line, [&](glm::vec2 p, float d) {
        return bevelled(kGold, line, p, d, width * 0.5f, 0.5f, light);
    });
}

void drawRod(Painter& paint)
{
    // Two chains rising out of the picture.
    for (float x : {40.0f, kW - 40.0f})
        for (int i = 0; i < 3; ++i) {
            const glm::vec2 c(x, 4.0f + i * 7.0f);
            paint.fill(Box::around(c, glm::vec2(4.0f, 5.0f)),
                       [&](glm::vec2 p) { return sdf::ring(p, c, i % 2 == 0 ? 3.0f : 2.4f, 1.2f) - 0.0f; }, pal::ink);
            paint.fill(Box::around(c, glm::vec2(4.0f, 5.0f)),
                       [&](glm::vec2 p) { return sdf::ring(p, c, i % 2 == 0 ? 3.0f : 2.4f, 0.6f); }, pal::brass);
        }
    const glm::vec2 mid(kW * 0.5f, 26.0f), half(kW * 0.5f - 16.0f, 5.0f);
    auto rod = [&](glm::vec2 p) { return sdf::roundBox(p, mid, half, 4.0f); };
    fillMetal(paint, Box::around(mid, half), rod, pal::brassDark, pal::brass, pal::brassLight, 5.0f, pal::ink, 1.5f);
    for (float x : {12.0f, kW - 12.0f}) {
        auto finial = [&](glm::vec2 p) {
            return sdf::smoothUnite(sdf::circle(p, {x, 26.0f}, 8.5f), sdf::circle(p, {x + (x < kW * 0.5f ? -5.0f : 5.0f), 26.0f}, 4.0f), 2.0f);
        };
        fillMetal(paint, Box::around({x, 26.0f}, glm::vec2(14.0f)), finial, pal::brassDark, pal::brass, pal::brassLight, 8.0f, pal::ink, 1.5f);
    }
}

void drawTassel(Painter& paint, glm::vec2 top)
{
    auto cord = [&](glm::vec2 p) { return sdf::capsule(p, top, top + glm::vec2(0.0f, 8.0f), 1.6f); };
    paint.outlined(Box::around(top + glm::vec2(0.0f, 4.0f), glm::vec2(3.0f, 6.0f)), cord, kGold, pal::ink, 1.0f);
    const glm::vec2 knob = top + glm::vec2(0.0f, 10.0f);
    auto ball = [&](glm::vec2 p) { return sdf::circle(p, knob, 4.0f); };
    fillMetal(paint, Box::around(knob, glm::vec2(5.0f)), ball, kGoldDark, kGold, pal::brassLight, 4.0f, pal::ink, 1.0f);
    const glm::vec2 skirt[4] = {knob + glm::vec2(-3.5f, 2.0f), knob + glm::vec2(3.5f, 2.0f), knob + glm::vec2(6.0f, 16.0f),
                                knob + glm::vec2(-6.0f, 16.0f)};
    auto fringe = [&](glm::vec2 p) { return sdf::polygon(p, skirt) - 0.8f; };
    paint.outlined(boundsOf(skirt).grown(1.0f), fringe,
                   [&](glm::vec2 p, float) {
                       const float strand = std::abs(std::fmod(p.x - knob.x + 50.0f, 2.0f) - 1.0f);
                       return mixColor(kGoldDark, kGold, strand);
                   },
                   pal::ink, 1.0f);
}

}  // namespace

Image drawMenuBanner()
{
    Canvas canvas(static_cast<int>(kW * kScale), static_cast<int>(kH * kScale));
    Painter paint(canvas, Pen(glm::vec2(0.0f), kScale));
    const Box clothBox{glm::vec2(8.0f, kClothTop - 2.0f), glm::vec2(kW - 8.0f, kH - 4.0f)};

    // Drop shadow of the cloth on nothing: a soft dark edge reads as thickness.
    paint.fill(clothBox, [&](glm::vec2 p) { return clothSdf(p - glm::vec2(2.0f, 3.0f)); }, withAlpha(pal::ink, 0.35f), 3.0f);
    paint.outlined(clothBox, clothSdf, clothColour, pal::ink, 2.0f);

    // Gold border a little inside the edge, and a fine inner rule, stitched side by side.
    for (const auto& [by, width] : {std::pair{12.0f, 4.0f}, std::pair{19.0f, 1.4f}}) {
        const std::vector<glm::vec2> path = inset(kCloth, by);
        for (std::size_t i = 0; i < path.size(); ++i) {
            const glm::vec2 a = path[i], b = path[(i + 1) % path.size()];
            stitch(paint, boundsOf({a, b}).grown(3.0f), [&](glm::vec2 p) { return sdf::segment(p, a, b); }, width);
        }
    }
    // Small diamonds stitched along both sides of the border.
    for (float y = kClothTop + 60.0f; y < kH - kTailDepth - 60.0f; y += 46.0f)
        for (float x : {22.0f, kW - 22.0f}) {
            const glm::vec2 c(x, y);
            stitch(paint, Box::around(c, glm::vec2(6.0f)), [&](glm::vec2 p) {
                const glm::vec2 q = glm::abs(p - c);
                return (q.x + q.y * 0.7f) - 3.5f;
            }, 1.2f);
        }

    // The emblem in a stitched medallion.
    const glm::vec2 emblem(kW * 0.5f, 170.0f);
    paint.fill(Box::around(emblem, glm::vec2(112.0f)), [&](glm::vec2 p) { return sdf::circle(p, emblem + glm::vec2(3.0f, 5.0f), 104.0f); },
               withAlpha(pal::ink, 0.45f), 6.0f);
    stitch(paint, Box::around(emblem, glm::vec2(112.0f)), [&](glm::vec2 p) { return sdf::circle(p, emblem, 108.0f); }, 2.0f);
    drawEmblem(paint, emblem, 206.0f);
    // Rays stitched between the medallion and the border.
    for (int i = 0; i < 4; ++i) {
        const float a = radians(35.0f + 110.0f * (i % 2) + (i < 2 ? 0.0f : 180.0f));
        const glm::vec2 dir(std::cos(a), std::sin(a));
        const glm::vec2 a0 = emblem + dir * 112.0f, a1 = emblem + dir * 124.0f;
        stitch(paint, boundsOf({a0, a1}).grown(3.0f), [&](glm::vec2 p) { return sdf::segment(p, a0, a1); }, 1.6f);
    }

    // Scrolled dividers between the menu items' rows.
    for (int i = 0; i < kItemRows; ++i) {
        const float y = kFirstItemRow - kItemSpacing * 0.5f + kItemSpacing * i;
        const glm::vec2 a(50.0f, y), b(kW - 50.0f, y);
        stitch(paint, boundsOf({a, b}).grown(3.0f), [&](glm::vec2 p) { return sdf::segment(p, a, b); }, 1.6f);
        for (float side : {-1.0f, 1.0f}) {
            const glm::vec2 c(kW * 0.5f + side * 118.0f, y);
            stitch(paint, Box::around(c, glm::vec2(8.0f)), [&](glm::vec2 p) { return sdf::circle(p, c, 4.5f); }, 1.4f);
        }
        const glm::vec2 c(kW * 0.5f, y);
        stitch(paint, Box::around(c, glm::vec2(8.0f)), [&](glm::vec2 p) {
            const glm::vec2 q = glm::abs(p - c);
            return (q.x * 0.6f + q.y) - 4.5f;
        }, 1.6f);
    }

    // The three powers, stitched in their colours below the last item's row,
    // in small medallions that end above the bottom of the screen.
    const float powersY = kFirstItemRow + kItemSpacing * (kItemRows - 0.5f) + 24.0f;
    const glm::vec2 drop(kW * 0.5f - 62.0f, powersY), puff(kW * 0.5f, powersY), flake(kW * 0.5f + 62.0f, powersY);
    static_assert(kFirstItemRow + kItemSpacing * (kItemRows - 0.5f) + 24.0f + 24.0f < kShownDepth);
    for (const glm::vec2 c : {drop, puff, flake}) {
        stitch(paint, Box::around(c, glm::vec2(30.0f)), [&](glm::vec2 p) { return sdf::circle(p, c, 22.0f); }, 2.0f);
        paint.fill(Box::around(c, glm::vec2(22.0f)), [&](glm::vec2 p) { return sdf::circle(p, c, 20.5f); }, hexColor(0x1c2334));
    }
    paint.outlined(Box::around(drop, glm::vec2(16.0f)), [&](glm::vec2 p) { return dropSdf(p, drop + glm::vec2(0.0f, 4.0f), 8.0f, 18.0f); },
                   [&](glm::vec2 p, float) { return mixColor(pal::waterLight, pal::water, std::clamp((p.x - drop.x + 10.0f) / 20.0f, 0.0f, 1.0f)); },
                   pal::ink, 1.5f);
    paint.outlined(Box::around(puff, glm::vec2(20.0f)), [&](glm::vec2 p) {
                       float d = sdf::circle(p, puff + glm::vec2(-6.5f, 3.0f), 6.5f);
                       d = sdf::smoothUnite(d, sdf::circle(p, puff + glm::vec2(1.0f, -2.5f), 8.0f), 2.0f);
                       return sdf::smoothUnite(d, sdf::circle(p, puff + glm::vec2(8.0f, 4.0f), 5.5f), 2.0f);
                   },
                   [&](glm::vec2 p, float) { return mixColor(hexColor(0xffffff), hexColor(0xa9b8c8), std::clamp((p.y - puff.y + 8.0f) / 18.0f, 0.0f, 1.0f)); },
                   pal::ink, 1.5f);
    paint.outlined(Box::around(flake, glm::vec2(22.0f)), [&](glm::vec2 p) { return snowflakeSdf(p, flake, 14.5f, 2.6f); }, pal::ice, pal::ink, 1.3f);

    // The rod and chains, and the tassels at the foot (below the screen, seen only in the contact sheet).
    drawRod(paint);
    for (float x : {22.0f, kW - 22.0f})
        drawTassel(paint, {x, kH - 34.0f});
    drawTassel(paint, {kW * 0.5f, kH - 8.0f - kTailDepth - 24.0f});
    return canvas.toImage();
}

}  // namespace vw::art
