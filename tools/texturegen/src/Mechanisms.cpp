// Puzzle mechanisms with sheets: the floor button, the trap door and the water wheel.

#include "Motifs.h"
#include "Noise.h"
#include "Palette.h"
#include "Pictures.h"

#include <cmath>

namespace vw::art {

namespace {

// Wood grain colour along a board (u along, v across, in local units).
Color boardColour(float u, float v, std::uint32_t seed, const Color& dark, const Color& light)
{
    const float grain = fbm(glm::vec2(u / 30.0f, v / 1.6f), seed, 3);
    return mixColor(dark, light, smoothstep01(0.3f, 0.75f, grain));
}

}  // namespace

Image drawButtonSheet()
{
    namespace pal = palette;
    return drawSheet(1, 2, {60.0f, 20.0f}, 4.0f, [](Painter& paint, int, int row) {
        const bool pressed = row == 1;
        // The plate: brass with grip grooves; pressed, it sinks into the housing.
        const float top = pressed ? 10.5f : 4.0f;
        const glm::vec2 pMid(30.0f, top + 4.5f), pHalf(21.0f, 4.5f);
        auto plate = [&](glm::vec2 p) { return sdf::roundBox(p, pMid, pHalf, 1.8f); };
        fillMetal(paint, Box::around(pMid, pHalf), plate, pal::brassDark, pressed ? hexColor(0xc8923a) : pal::brass,
                  pal::brassLight, 1.6f, pal::ink, 0.7f);
        for (int i = 0; i < 7; ++i) {
            const float x = 15.0f + i * 5.0f;
            paint.capsule({x, top + 1.6f}, {x, top + 2.6f}, 0.45f, withAlpha(pal::brassDark, 0.8f));
        }
        // The housing: a low iron plinth with a brass trim and end rivets.
        const glm::vec2 hMid(30.0f, 16.0f), hHalf(28.5f, 3.6f);
        auto housing = [&](glm::vec2 p) {
            return sdf::roundBox(p, hMid, hHalf, 1.5f);
        };
        fillMetal(paint, Box::around(hMid, hHalf), housing, pal::ironDark, pal::iron, pal::slateLight, 1.4f, pal::ink,
                  0.7f);
        paint.rect({4.0f, 13.1f}, {56.0f, 13.9f}, withAlpha(pal::brass, 0.9f));
        drawRivet(paint, {5.5f, 16.8f}, 1.1f, pal::brassLight);
        drawRivet(paint, {54.5f, 16.8f}, 1.1f, pal::brassLight);
        // The signal lamp: dim red while raised, bright green once pressed.
        const glm::vec2 lamp(30.0f, 16.8f);
        const Color on = pressed ? hexColor(0x7dff8a) : hexColor(0x8a2a22);
        if (pressed)
            paint.glow(Box::around(lamp, glm::vec2(2.0f)), [&](glm::vec2 p) { return sdf::circle(p, lamp, 1.4f); },
                       withAlpha(hexColor(0x9dffa8), 0.8f), 2.2f);
        paint.outlined(Box::around(lamp, glm::vec2(1.6f)), [&](glm::vec2 p) { return sdf::circle(p, lamp, 1.4f); },
                       [&](glm::vec2 p, float) { return mixColor(hexColor(0xffffff), on, std::clamp(glm::length(p - lamp + glm::vec2(0.5f)) / 1.2f, 0.0f, 1.0f)); },
                       pal::ink, 0.5f);
        return true;
    });
}

Image drawTrapDoorSheet()
{
    namespace pal = palette;
    constexpr float kSize = 100.0f, kThick = 20.0f;
    const glm::vec2 hinge(kThick * 0.5f, kThick * 0.5f);
    // The lid as it lies closed: iron-bound planks along the top of the cell.
    auto drawLid = [&](Painter& paint) {
        const glm::vec2 mid(kSize * 0.5f, kThick * 0.5f), half(kSize * 0.5f - 0.8f, kThick * 0.5f - 0.8f);
        auto lid = [&](glm::vec2 p) { return sdf::roundBox(p, mid, half, 2.5f); };
        paint.outlined(Box::around(mid, half), lid,
                       [&](glm::vec2 p, float d) {
                           const int board = p.y < mid.y ? 0 : 1;
                           Color c = boardColour(p.x, p.y + board * 9.0f, 81u + board, hexColor(0x4a2a12), hexColor(0x8a5a30));
                           if (std::abs(p.y - mid.y) < 0.6f)
                               c = hexColor(0x1e1008);
                           return bevelled(c, lid, p, d, 2.5f, 0.4f, paint.light());
                       },
                       pal::ink, 1.0f);
        // Iron straps with rivets, and a brass pull ring near the free end.
        for (float x : {34.0f, 72.0f}) {
            const glm::vec2 sMid(x, kThick * 0.5f), sHalf(4.0f, kThick * 0.5f - 0.3f);
            auto strap = [&](glm::vec2 p) { return sdf::box(p, sMid, sHalf); };
            fillMetal(paint, Box::around(sMid, sHalf), strap, pal::ironDark, pal::iron, pal::slateLight, 1.5f, pal::ink, 0.6f);
            drawRivet(paint, {x, 5.0f}, 1.3f, pal::slateLight);
            drawRivet(paint, {x, 15.0f}, 1.3f, pal::slateLight);
        }
        paint.fill(Box::around({88.0f, 10.0f}, glm::vec2(5.0f)),
                   [&](glm::vec2 p) { return sdf::ring(p, {88.0f, 10.0f}, 3.4f, 1.3f); }, pal::ink);
        fillMetal(paint, Box::around({88.0f, 10.0f}, glm::vec2(4.5f)),
                  [&](glm::vec2 p) { return sdf::ring(p, {88.0f, 10.0f}, 3.4f, 0.75f); }, pal::brassDark, pal::brass,
                  pal::brassLight, 0.8f, pal::ink, 0.0f);
    };
    // The hinge knuckle stays put while the lid swings about it.
    auto drawHinge = [&](Painter& paint) {
        auto knuckle = [&](glm::vec2 p) { return sdf::circle(p, hinge, 6.5f); };
        fillMetal(paint, Box::around(hinge, glm::vec2(7.0f)), knuckle, pal::brassDark, pal::brass, pal::brassLight,
                  3.0f, pal::ink, 1.0f);
        drawRivet(paint, hinge, 2.2f, pal::iron);
    };
    return drawSheet(13, 3, {kSize, kSize}, 2.0f, [&](Painter& paint, int col, int row) {
        float angle;  // degrees clockwise, 0 closed, 90 hanging open
        if (row == 0)
            angle = 0.0f;
        else if (row == 2)
            angle = 90.0f;
        else
            angle = 90.0f * std::pow(col / 12.0f, 1.5f);  // gravity: slow to leave, quick to fall
        if (row != 1 && col != 0)
            return false;
        Painter swung = paint.with(paint.pen().rotated(angle, hinge));
        drawLid(swung);
        drawHinge(paint);
        return true;
    });
}

Image drawWaterWheelSheet()
{
    namespace pal = palette;
    constexpr float kSize = 100.0f;
    const glm::vec2 c(50.0f, 50.0f);
    constexpr int kPaddles = 8;  // 45 degrees apart: a frame step of 15.7 degrees reads as turning one way
    auto drawWheel = [&](Painter& paint) {
        // Paddles: broad boards held between the two rims, reaching past the outer one.
        for (int i = 0; i < kPaddles; ++i) {
            const float a = radians(360.0f / kPaddles * i + 22.5f);
            const glm::vec2 dir(std::cos(a), std::sin(a)), side(-dir.y, dir.x);
            const glm::vec2 inner = c + dir * 21.0f, outer = c + dir * 48.5f;
            const glm::vec2 quad[4] = {inner - side * 4.0f, outer - side * 8.0f, outer + side * 8.0f, inner + side * 4.0f};
            auto paddle = [&](glm::vec2 p) { return sdf::polygon(p, quad) + 0.6f; };
            paint.outlined(boundsOf(quad), paddle,
                           [&](glm::vec2 p, float d) {
                               const float along = glm::dot(p - c, dir);
                               Color col = boardColour(along, glm::dot(p - c, side), 91u + i, hexColor(0x5a3417), hexColor(0x9c6a3a));
                               // Darkened by the water it dips into.
                               col = scaled(col, 1.0f - 0.3f * smoothstep01(38.0f, 48.0f, along));
                               return bevelled(col, paddle, p, d, 1.8f, 0.45f, paint.light());
                           },
                           pal::ink, 1.0f);
            paint.line(outer - side * 7.4f - dir * 1.4f, outer + side * 7.4f - dir * 1.4f, 1.8f, pal::iron);
        }
        // Four stout spokes from the hub to the inner rim.
        for (int i = 0; i < 4; ++i) {
            const float a = radians(90.0f * i);
            const glm::vec2 dir(std::cos(a), std::sin(a));
            auto spoke = [&](glm::vec2 p) { return sdf::bar(p, c + dir * 8.0f, c + dir * 23.0f, 5.6f); };
            paint.outlined(boundsOf({c + dir * 8.0f, c + dir * 23.0f}).grown(4.0f), spoke,
                           [&](glm::vec2 p, float d) {
                               const glm::vec2 side(-dir.y, dir.x);
                               const Color col = boardColour(glm::dot(p - c, dir), glm::dot(p - c, side), 95u + i, hexColor(0x5e3819), hexColor(0xa4703f));
                               return bevelled(col, spoke, p, d, 1.5f, 0.4f, paint.light());
                           },
                           pal::ink, 0.8f);
        }
        // Rims: an outer wooden ring bound in iron, and an inner ring.
        for (const glm::vec2 ringSize : {glm::vec2(38.0f, 3.4f), glm::vec2(22.5f, 2.4f)}) {
            auto rim = [&](glm::vec2 p) { return sdf::ring(p, c, ringSize.x, ringSize.y); };
            paint.outlined(Box::around(c, glm::vec2(42.0f)), rim,
                           [&](glm::vec2 p, float d) {
                               const float a = std::atan2(p.y - c.y, p.x - c.x);
                               const Color col = boardColour(a * ringSize.x, glm::length(p - c), 97u, hexColor(0x5e3819), hexColor(0xa4703f));
                               return bevelled(col, rim, p, d, 1.8f, 0.45f, paint.light());
                           },
                           pal::ink, 0.9f);
        }
        paint.fill(Box::around(c, glm::vec2(40.0f)), [&](glm::vec2 p) { return sdf::ring(p, c, 38.0f, 0.75f); },
                   withAlpha(pal::iron, 0.95f));
        for (int i = 0; i < kPaddles; ++i) {
            const float a = radians(360.0f / kPaddles * i + 22.5f);
            drawRivet(paint, c + glm::vec2(std::cos(a), std::sin(a)) * 38.0f, 1.4f, pal::slateLight);
            drawRivet(paint, c + glm::vec2(std::cos(a), std::sin(a)) * 22.5f, 1.1f, pal::slateLight);
        }
        // Brass hub with a bolt circle.
        auto hub = [&](glm::vec2 p) { return gearSdf(p, c, 12.0f, 10.0f, 10); };
        fillMetal(paint, Box::around(c, glm::vec2(12.5f)), hub, pal::brassDark, pal::brass, pal::brassLight, 3.0f,
                  pal::ink, 1.0f);
        for (int i = 0; i < 5; ++i) {
            const float a = radians(72.0f * i - 90.0f);
            drawRivet(paint, c + glm::vec2(std::cos(a), std::sin(a)) * 6.3f, 1.1f, pal::brassLight);
        }
        auto axle = [&](glm::vec2 p) { return sdf::circle(p, c, 2.6f); };
        fillMetal(paint, Box::around(c, glm::vec2(3.0f)), axle, pal::ironDark, pal::iron, pal::slateLight, 2.6f,
                  pal::ink, 0.8f);
    };
    return drawSheet(23, 2, {kSize, kSize}, 2.0f, [&](Painter& paint, int col, int row) {
        if (row == 0 && col != 0)
            return false;
        const float turn = row == 0 ? 0.0f : 360.0f * col / 23.0f;
        Painter turned = paint.with(paint.pen().rotated(turn, c));
        drawWheel(turned);
        return true;
    });
}

}  // namespace vw::art
