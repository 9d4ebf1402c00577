// The HUD power icons (a brass roundel with the power's sign; row 0 normal,
// row 1 selected) and the window icon.

#include "Motifs.h"
#include "Noise.h"
#include "Palette.h"
#include "Pictures.h"

#include <cmath>
#include <functional>

namespace vw::art {

namespace {

constexpr float kUnits = 60.0f;  // the icon's drawn size in the game
constexpr int kPixelsPerUnit = 2;
const glm::vec2 kMid(30.0f, 30.0f);

using Sign = std::function<void(Painter&, bool selected)>;

// A brass roundel: toothed rim, rivets, a slate field; selected roundels glow.
void drawRoundel(Painter& paint, bool selected, const Sign& sign)
{
    namespace pal = palette;
    const float outer = 28.6f;
    const Color brass = selected ? hexColor(0xf2c25a) : pal::brass;
    const Color brassLight = selected ? hexColor(0xfff4c8) : pal::brassLight;

    if (selected)  // a warm halo inside the picture's edge
        paint.glow(Box::around(kMid, glm::vec2(outer)), [&](glm::vec2 p) { return sdf::circle(p, kMid, 26.0f); },
                   withAlpha(hexColor(0xffd76a), 0.9f), 3.4f);
    auto rim = [&](glm::vec2 p) { return gearSdf(p, kMid, selected ? 27.4f : 26.6f, 24.6f, 16, 11.25f); };
    fillMetal(paint, Box::around(kMid, glm::vec2(outer)), rim, pal::brassDark, brass, brassLight, 2.5f, pal::ink,
              1.1f);
    for (int i = 0; i < 8; ++i) {
        const float a = radians(22.5f + 45.0f * i);
        drawRivet(paint, kMid + glm::vec2(std::cos(a), std::sin(a)) * 22.0f, 1.05f, pal::brassLight);
    }
    auto field = [&](glm::vec2 p) { return sdf::circle(p, kMid, 19.6f); };
    const Color fieldTop = selected ? hexColor(0x4fa6c4) : hexColor(0x36445a);
    const Color fieldBottom = selected ? hexColor(0x1d5470) : hexColor(0x1c2333);
    paint.outlined(Box::around(kMid, glm::vec2(20.0f)), field,
                   [&](glm::vec2 p, float d) {
                       const float t = std::clamp((p.y - 10.0f) / 40.0f, 0.0f, 1.0f);
                       Color c = mixColor(fieldTop, fieldBottom, t);
                       // A soft inner shadow under the rim.
                       const float rimShade = std::exp(d / 2.2f) * std::clamp((30.0f - p.y) / 20.0f + 0.3f, 0.0f, 1.0f);
                       return scaled(c, 1.0f - 0.45f * rimShade);
                   },
                   pal::ink, 0.9f);
    if (selected)  // a lamp-lit ring inside the rim
        paint.fill(Box::around(kMid, glm::vec2(20.0f)),
                   [&](glm::vec2 p) { return sdf::ring(p, kMid, 18.6f, 0.9f); }, withAlpha(hexColor(0xffe9a0), 0.9f));
    sign(paint, selected);
    // Glass: a curved highlight over the upper-left field.
    auto glint = [&](glm::vec2 p) {
        return sdf::subtract(sdf::circle(p, kMid, 17.6f), sdf::circle(p, kMid + glm::vec2(3.0f, 4.5f), 17.8f));
    };
    paint.fill(Box::around(kMid, glm::vec2(20.0f)), glint, withAlpha(hexColor(0xffffff), selected ? 0.4f : 0.25f));
}

Image drawRoundelSheet(const Sign& sign)
{
    const int cell = static_cast<int>(kUnits) * kPixelsPerUnit;
    Canvas sheet(cell, cell * 2);
    for (int row = 0; row < 2; ++row) {
        Canvas c(cell, cell);
        Painter paint(c, Pen(glm::vec2(0.0f), static_cast<float>(kPixelsPerUnit)));
        drawRoundel(paint, row == 1, sign);
        sheet.copy(c, 0, row * cell);
    }
    return sheet.toImage();
}

void waterSign(Painter& paint, bool selected)
{
    const glm::vec2 c = kMid + glm::vec2(0.0f, 3.5f);
    auto drop = [&](glm::vec2 p) { return dropSdf(p, c, 8.4f, 19.0f); };
    const Color deep = selected ? hexColor(0x1f8ff0) : hexColor(0x1872c8);
    const Color light = selected ? hexColor(0xbdf0ff) : hexColor(0x8fd6ff);
    paint.outlined(Box{c - glm::vec2(9.0f, 20.0f), c + glm::vec2(9.0f, 9.0f)}, drop,
                   [&](glm::vec2 p, float d) {
                       const float t = std::clamp((p.x - c.x + 8.0f) / 16.0f * 0.6f + (p.y - c.y + 16.0f) / 26.0f * 0.5f,
                                                  0.0f, 1.0f);
                       Color col = mixColor(light, deep, t);
                       return bevelled(col, drop, p, d, 2.0f, 0.35f);
                   },
                   palette::ink, 1.1f);
    paint.fill(Box::around(c + glm::vec2(-3.6f, -1.5f), glm::vec2(3.0f, 5.0f)),
               [&](glm::vec2 p) { return sdf::ellipse(p, c + glm::vec2(-3.6f, -1.5f), glm::vec2(1.5f, 3.6f)); },
               withAlpha(hexColor(0xffffff), 0.85f));
    paint.circle(c + glm::vec2(3.2f, 4.2f), 1.0f, withAlpha(hexColor(0xffffff), 0.6f));
}

void steamSign(Painter& paint, bool selected)
{
    // A kettle's puff: a cloud of round billows with two curls rising from it.
    const Color white = selected ? hexColor(0xffffff) : hexColor(0xeef3f8);
    const Color grey = selected ? hexColor(0xb8cad8) : hexColor(0x9aabbd);
    const glm::vec2 puffs[] = {{22.5f, 36.0f}, {29.0f, 32.0f}, {36.5f, 35.5f}, {27.0f, 39.5f}, {34.0f, 40.0f}};
    const float radii[] = {5.6f, 7.0f, 5.8f, 5.0f, 5.0f};
    auto cloud = [&](glm::vec2 p) {
        float d = 1e9f;
        for (int i = 0; i < 5; ++i)
            d = sdf::smoothUnite(d, sdf::circle(p, puffs[i], radii[i]), 1.2f);
        return d;
    };
    // Three wisps rising side by side, thinning as they go.
    std::vector<glm::vec2> wisps[3];
    const float baseX[3] = {23.5f, 30.0f, 36.5f}, top[3] = {17.0f, 13.0f, 18.0f};
    for (int w = 0; w < 3; ++w)
        for (int i = 0; i <= 20; ++i) {
            const float t = i / 20.0f;
            const float y = 29.0f - t * (29.0f - top[w]);
            wisps[w].emplace_back(baseX[w] + 1.9f * std::sin(t * 6.0f + w * 0.7f), y);
        }
    auto curls = [&](glm::vec2 p) {
        float d = 1e9f;
        for (const auto& w : wisps)
            d = std::min(d, taperedPolylineSdf(p, w, 1.7f, 0.7f));
        return d;
    };
    const Box area{glm::vec2(12.0f), glm::vec2(48.0f)};
    paint.outlined(area, curls, white, palette::ink, 1.0f);
    paint.outlined(area, cloud,
                   [&](glm::vec2 p, float d) {
                       const float t = std::clamp((p.y - 28.0f) / 16.0f, 0.0f, 1.0f);
                       return bevelled(mixColor(white, grey, t), cloud, p, d, 2.5f, 0.3f);
                   },
                   palette::ink, 1.1f);
}

void iceSign(Painter& paint, bool selected)
{
    const Color pale = selected ? hexColor(0xffffff) : hexColor(0xdff8ff);
    const Color deep = selected ? hexColor(0x8be6ff) : hexColor(0x7fcfe8);
    auto flake = [&](glm::vec2 p) { return snowflakeSdf(p, kMid, 15.0f, 2.6f); };
    paint.outlined(Box::around(kMid, glm::vec2(17.0f)), flake,
                   [&](glm::vec2 p, float) {
                       const float t = std::clamp(glm::length(p - kMid) / 15.0f, 0.0f, 1.0f);
                       return mixColor(pale, deep, t);
                   },
                   palette::ink, 1.0f);
}

}  // namespace

Image drawWaterIcon()
{
    return drawRoundelSheet(waterSign);
}

Image drawSteamIcon()
{
    return drawRoundelSheet(steamSign);
}

Image drawIceIcon()
{
    return drawRoundelSheet(iceSign);
}

void drawEmblem(Painter& outer, glm::vec2 centre, float size)
{
    namespace pal = palette;
    // Drawn in local units of a 64 x 64 square.
    Painter paint = outer.with(outer.pen().moved(centre - glm::vec2(size * 0.5f)).zoomed(size / 64.0f));
    const glm::vec2 mid(32.0f, 32.0f);

    auto cog = [&](glm::vec2 p) { return gearSdf(p, mid, 31.2f, 27.0f, 12, 15.0f); };
    fillMetal(paint, Box::around(mid, glm::vec2(32.0f)), cog, pal::brassDark, pal::brass, pal::brassLight, 3.0f,
              pal::ink, 1.0f);
    auto field = [&](glm::vec2 p) { return sdf::circle(p, mid, 23.0f); };
    paint.outlined(Box::around(mid, glm::vec2(24.0f)), field,
                   [&](glm::vec2 p, float d) {
                       const float t = std::clamp((p.y - 9.0f) / 46.0f, 0.0f, 1.0f);
                       Color sky = mixColor(hexColor(0x6d8fb0), hexColor(0x26324a), t);
                       // Rain streaks across the little sky.
                       const float streak = std::fmod(p.x * 1.0f + p.y * 0.35f + 100.0f, 4.0f);
                       if (streak < 0.35f && hashUnit(static_cast<std::uint32_t>((p.x + p.y * 0.35f + 100.0f) / 4.0f), 0,
                                                      7u) > 0.4f)
                           sky = mixColor(sky, hexColor(0xc8dcf0), 0.35f);
                       return scaled(sky, 1.0f - 0.4f * std::exp(d / 2.5f));
                   },
                   pal::ink, 1.0f);

    // A town's roofline at the bottom of the field, clipped to it.
    auto town = [&](glm::vec2 p) {
        float d = sdf::box(p, glm::vec2(32.0f, 50.0f), glm::vec2(24.0f, 6.0f));
        d = std::min(d, sdf::box(p, glm::vec2(17.0f, 44.0f), glm::vec2(4.0f, 5.0f)));
        d = std::min(d, sdf::box(p, glm::vec2(46.0f, 42.0f), glm::vec2(3.5f, 6.0f)));
        d = std::min(d, sdf::box(p, glm::vec2(50.5f, 38.0f), glm::vec2(1.2f, 4.0f)));
        const glm::vec2 roof[3] = {{21.0f, 46.0f}, {28.0f, 39.5f}, {35.0f, 46.0f}};
        d = std::min(d, sdf::polygon(p, roof));
        return sdf::intersect(d, sdf::circle(p, mid, 23.0f));
    };
    paint.fill(Box::around(mid, glm::vec2(24.0f)), town, hexColor(0x1a2030));
    for (glm::vec2 w : {glm::vec2(16.0f, 45.0f), glm::vec2(46.0f, 41.0f), glm::vec2(30.0f, 49.0f)})
        paint.roundRect(w - glm::vec2(0.9f, 1.2f), w + glm::vec2(0.9f, 1.2f), 0.3f, hexColor(0xffc65a));

    // The hero's umbrella, tilted, with a drop falling from it.
    const Pen tilted = paint.pen().rotated(-12.0f, glm::vec2(32.0f, 30.0f));
    Painter umb = paint.with(tilted);
    auto canopy = [&](glm::vec2 p) {
        const float dome = sdf::intersect(sdf::ellipse(p, glm::vec2(32.0f, 30.0f), glm::vec2(15.5f, 12.0f)),
                                          p.y - 30.0f);
        // Scalloped hem: bites out of the flat bottom edge.
        float bites = 1e9f;
        for (int i = 0; i < 4; ++i)
            bites = std::min(bites, sdf::ellipse(p, glm::vec2(20.4f + i * 7.7f, 31.2f), glm::vec2(3.9f, 2.3f)));
        return sdf::subtract(dome, bites);
    };
    umb.capsule({32.0f, 28.0f}, {32.0f, 45.0f}, 0.9f, pal::ink);
    umb.fill(Box{glm::vec2(31.0f, 28.0f), glm::vec2(33.0f, 45.0f)},
             [&](glm::vec2 p) { return sdf::capsule(p, {32.0f, 28.0f}, {32.0f, 44.5f}, 0.45f); }, pal::brassDark);
    umb.fill(Box{glm::vec2(26.0f, 43.0f), glm::vec2(33.5f, 49.0f)},
             [&](glm::vec2 p) { return sdf::intersect(sdf::ring(p, glm::vec2(30.0f, 44.6f), 2.0f, 0.8f), 44.6f - p.y); },
             pal::ink);
    umb.outlined(Box{glm::vec2(16.0f, 17.0f), glm::vec2(48.0f, 32.0f)}, canopy,
                 [&](glm::vec2 p, float d) {
                     // Panels: alternate light and dark gores from the tip.
                     const float a = std::atan2(p.y - 31.0f, p.x - 32.0f);
                     const bool dark = static_cast<int>(std::floor((a + kPi) / (kPi / 4.0f))) % 2 == 0;
                     Color col = dark ? pal::umbrellaDark : pal::umbrella;
                     col = mixColor(col, hexColor(0xff8a8a), 0.25f * std::clamp((28.0f - p.y) / 10.0f, 0.0f, 1.0f));
                     return bevelled(col, canopy, p, d, 2.0f, 0.3f);
                 },
                 pal::ink, 1.0f);
    umb.capsule({32.0f, 15.0f}, {32.0f, 18.6f}, 0.9f, pal::ink);
    umb.capsule({32.0f, 15.6f}, {32.0f, 18.0f}, 0.45f, pal::brassLight);

    auto drop = [&](glm::vec2 p) { return dropSdf(p, glm::vec2(47.0f, 33.0f), 3.0f, 6.5f); };
    paint.outlined(Box{glm::vec2(43.0f, 26.0f), glm::vec2(51.0f, 37.0f)}, drop,
                   [&](glm::vec2 p, float) {
                       return mixColor(pal::waterLight, pal::water, std::clamp((p.x - 44.0f) / 6.0f, 0.0f, 1.0f));
                   },
                   pal::ink, 0.8f);
}

Image drawWindowIcon()
{
    constexpr int kSize = 256;
    Canvas c(kSize, kSize);
    Painter paint(c, Pen(glm::vec2(0.0f), 1.0f));
    drawEmblem(paint, glm::vec2(kSize * 0.5f), static_cast<float>(kSize));
    return c.toImage();
}

}  // namespace vw::art
