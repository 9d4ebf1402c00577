// Pictures that show how the world works and frame its screens: the steam
// jet's vent (shut and open), the link lamps in their colours, the veil over
// a frozen scene and the board of the closing panel.

#include "Motifs.h"
#include "Noise.h"
#include "Palette.h"
#include "Pictures.h"

#include <array>
#include <cmath>

namespace vw::art {

namespace {

namespace pal = palette;

// The eight link colours, in the order the puzzle loader hands them out:
// far apart in hue, and light and dark alternate so neighbours differ in
// brightness too.
constexpr std::array<std::uint32_t, 8> kLinkColours = {0xff3b30, 0x3d8bff, 0xffd60a, 0x2fd158,
                                                       0xff40c8, 0x40f0ff, 0xff8c1a, 0xf2f2f2};

}  // namespace

Image drawVentSheet()
{
    // 60 x 20 game units: an iron grate housing set in the floor. Row 0 shut:
    // cold, closed louvres. Row 1 open: the louvres turned edge-on over a
    // glowing throat, brass trim lit.
    return drawSheet(1, 2, {60.0f, 20.0f}, 4.0f, [](Painter& paint, int, int row) {
        const bool open = row == 1;
        const glm::vec2 hMid(30.0f, 11.0f), hHalf(29.0f, 8.5f);
        auto housing = [&](glm::vec2 p) { return sdf::roundBox(p, hMid, hHalf, 2.5f); };
        fillMetal(paint, Box::around(hMid, hHalf), housing, pal::ironDark, pal::iron, pal::slateLight, 1.6f, pal::ink,
                  0.8f);
        const glm::vec2 tMid(30.0f, 11.0f), tHalf(22.0f, 4.6f);
        auto throat = [&](glm::vec2 p) { return sdf::roundBox(p, tMid, tHalf, 1.2f); };
        if (open) {
            paint.fill(Box::around(tMid, tHalf), throat, [&](glm::vec2 p, float) {
                const float t = std::clamp(std::abs(p.y - tMid.y) / tHalf.y, 0.0f, 1.0f);
                return mixColor(hexColor(0xfff4c8), hexColor(0xff8a1e), t * t);
            });
            paint.glow(Box::around(tMid, tHalf + glm::vec2(6.0f)), throat, withAlpha(hexColor(0xffb347), 0.7f), 4.0f);
            for (int i = 0; i < 9; ++i) {
                const float x = 10.5f + i * 4.9f;
                paint.rect({x - 0.45f, 6.6f}, {x + 0.45f, 15.4f}, withAlpha(pal::ironDark, 0.95f));
            }
        } else {
            paint.fill(Box::around(tMid, tHalf), throat, hexColor(0x15171c));
            for (int i = 0; i < 4; ++i) {
                const float y = 7.3f + i * 2.3f;
                const glm::vec2 a(8.5f, y), b(51.5f, y + 1.5f);
                paint.fill(Box{a, b}.grown(0.2f), [&](glm::vec2 p) { return sdf::roundBox(p, (a + b) * 0.5f, (b - a) * 0.5f, 0.5f); },
                           [&](glm::vec2 p, float) { return mixColor(pal::slate, pal::slateDark, (p.y - a.y) / 1.5f); });
            }
        }
        const Color trim = open ? pal::brassLight : pal::brassDark;
        paint.rect({4.0f, 3.2f}, {56.0f, 4.2f}, withAlpha(trim, 0.95f));
        drawRivet(paint, {4.6f, 11.0f}, 1.3f, open ? pal::brass : pal::slateLight);
        drawRivet(paint, {55.4f, 11.0f}, 1.3f, open ? pal::brass : pal::slateLight);
    });
}

Image drawLinkMarkSheet()
{
    // One column per link colour, 22 x 22 game units: a brass-ringed glass
    // lamp. Row 0 dark (the switch is off), row 1 lit.
    return drawSheet(static_cast<int>(kLinkColours.size()), 2, {22.0f, 22.0f}, 4.0f, [](Painter& paint, int col, int row) {
        const bool lit = row == 1;
        const Color colour = hexColor(kLinkColours[static_cast<std::size_t>(col)]);
        const glm::vec2 c(11.0f, 11.0f);
        if (lit)
            paint.glow(Box::around(c, glm::vec2(11.0f)), [&](glm::vec2 p) { return sdf::circle(p, c, 6.5f); },
                       withAlpha(colour, 0.9f), 4.0f);
        auto bezel = [&](glm::vec2 p) { return sdf::circle(p, c, 8.2f); };
        fillMetal(paint, Box::around(c, glm::vec2(9.0f)), bezel, pal::brassDark, pal::brass, pal::brassLight, 2.0f,
                  pal::ink, 0.8f);
        const Color glass = lit ? colour : scaled(colour, 0.42f);
        const Color core = lit ? mixColor(colour, hexColor(0xffffff), 0.75f) : scaled(colour, 0.6f);
        paint.outlined(Box::around(c, glm::vec2(6.5f)), [&](glm::vec2 p) { return sdf::circle(p, c, 5.8f); },
                       [&](glm::vec2 p, float) {
                           const float t = std::clamp(glm::length(p - c + glm::vec2(1.2f, 1.2f)) / 6.0f, 0.0f, 1.0f);
                           return mixColor(core, glass, t);
                       },
                       pal::ink, 0.6f);
        paint.circle(c + glm::vec2(-2.0f, -2.2f), 1.3f, withAlpha(hexColor(0xffffff), lit ? 0.9f : 0.45f));
    });
}

Image drawShade()
{
    // The veil over a frozen scene: the ink colour, half see-through.
    Canvas c(8, 8);
    c.fill(withAlpha(hexColor(0x0d0f18), 0.55f));
    return c.toImage();
}

Image drawPanel()
{
    // 640 x 400 game units at one pixel each: a slate board in a brass frame
    // with corner rivets and a cog at each upper corner.
    constexpr float kW = 640.0f, kH = 400.0f;
    Canvas canvas(static_cast<int>(kW), static_cast<int>(kH));
    Painter paint(canvas, Pen(glm::vec2(0.0f), 1.0f));
    const glm::vec2 mid(kW * 0.5f, kH * 0.5f);
    auto frame = [&](glm::vec2 p) { return sdf::roundBox(p, mid, mid - glm::vec2(6.0f), 22.0f); };
    paint.fill(Box{{0.0f, 0.0f}, {kW, kH}}, [&](glm::vec2 p) { return frame(p - glm::vec2(3.0f, 5.0f)); },
               withAlpha(pal::ink, 0.5f), 5.0f);
    fillMetal(paint, Box{{0.0f, 0.0f}, {kW, kH}}, frame, pal::brassDark, pal::brass, pal::brassLight, 8.0f, pal::ink, 2.0f);
    auto board = [&](glm::vec2 p) { return sdf::roundBox(p, mid, mid - glm::vec2(26.0f), 12.0f); };
    paint.outlined(Box{{0.0f, 0.0f}, {kW, kH}}, board, [&](glm::vec2 p, float d) {
        Color c = mixColor(hexColor(0x35425e), hexColor(0x1f2639), p.y / kH);
        c = scaled(c, 1.0f + 0.1f * (fbm(p / 60.0f, 77u, 3) - 0.5f));
        return scaled(c, 1.0f - 0.4f * std::exp(d / 8.0f));
    }, pal::ink, 2.0f);
    for (float x : {16.0f, kW - 16.0f})
        for (float y : {16.0f, kH - 16.0f})
            drawRivet(paint, {x, y}, 5.0f, pal::brassLight);
    for (float x : {70.0f, kW - 70.0f}) {
        const glm::vec2 c(x, 70.0f);
        fillMetal(paint, Box::around(c, glm::vec2(30.0f)), [&](glm::vec2 p) { return gearSdf(p, c, 24.0f, 19.0f, 10, x); },
                  pal::brassDark, pal::brass, pal::brassLight, 3.0f, pal::ink, 1.2f);
        drawRivet(paint, c, 6.0f, pal::slateLight);
    }
    paint.rect({120.0f, 150.0f}, {kW - 120.0f, 152.0f}, withAlpha(pal::brass, 0.8f));
    paint.rect({120.0f, 268.0f}, {kW - 120.0f, 270.0f}, withAlpha(pal::brass, 0.8f));
    return canvas.toImage();
}

}  // namespace vw::art
