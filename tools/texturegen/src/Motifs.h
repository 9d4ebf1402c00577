#pragma once
// Shapes and finishes that recur across the pictures: gears, drops, snowflakes,
// rivets, polished brass.

#include "Shapes.h"

#include <type_traits>
#include <vector>

namespace vw::art {

// Distance to a cog of the given tooth count; teeth stand between rootRadius and outerRadius.
float gearSdf(glm::vec2 p, glm::vec2 centre, float outerRadius, float rootRadius, int teeth, float turnDegrees = 0.0f);
// A water drop standing point up, its round part of radius r centred at centre.
float dropSdf(glm::vec2 p, glm::vec2 centre, float r, float pointHeight);
// A six-armed snowflake with side branches.
float snowflakeSdf(glm::vec2 p, glm::vec2 centre, float armLength, float thickness);
// Distance to a chain of segments, minus radius.
float polylineSdf(glm::vec2 p, const std::vector<glm::vec2>& points, float radius);
// The same with the radius going from startRadius to endRadius along the chain.
float taperedPolylineSdf(glm::vec2 p, const std::vector<glm::vec2>& points, float startRadius, float endRadius);

// Draws each cell of a sheet through a pen whose local units are the cell's
// size in game units. A drawCell that returns false leaves its cell empty.
template <class DrawCell>
Image drawSheet(int columns, int rows, glm::vec2 units, float pixelsPerUnit, DrawCell drawCell)
{
    const int cw = static_cast<int>(units.x * pixelsPerUnit), ch = static_cast<int>(units.y * pixelsPerUnit);
    Canvas sheet(cw * columns, ch * rows);
    for (int row = 0; row < rows; ++row)
        for (int col = 0; col < columns; ++col) {
            Canvas cell(cw, ch);
            Painter paint(cell, Pen(glm::vec2(0.0f), pixelsPerUnit));
            bool drawn = true;
            if constexpr (std::is_void_v<decltype(drawCell(paint, col, row))>)
                drawCell(paint, col, row);
            else
                drawn = drawCell(paint, col, row);
            if (drawn)
                sheet.copy(cell, col * cw, row * ch);
        }
    return sheet.toImage();
}

// Polished metal: a colour ramp from dark through base to light, lit from the
// upper left, with a hard specular band. t is 0..1 across the surface (0 lit side).
Color metalRamp(const Color& dark, const Color& base, const Color& light, float t);

// The game's emblem (a brass cog framing a rainy roofline and the hero's umbrella),
// size local units across, centred at centre.
void drawEmblem(Painter& paint, glm::vec2 centre, float size);

// A domed rivet with an ink ring and a highlight.
void drawRivet(Painter& paint, glm::vec2 centre, float radius, const Color& base);

// Pillow-shaded fill of any shape in polished brass (or another metal ramp).
template <class Sdf>
void fillMetal(Painter& paint, const Box& bounds, const Sdf& f, const Color& dark, const Color& base,
               const Color& light, float bevel, const Color& outline, float outlineWidth)
{
    const glm::vec2 l = paint.light();
    auto metal = [&](glm::vec2 p, float d) {
        const float edge = std::clamp(1.0f + d / bevel, 0.0f, 1.0f);
        const float facing = glm::dot(normalOf(f, p, bevel * 0.05f + 0.01f), l);
        // Flat faces take a gentle diagonal sheen; the bevel takes the light.
        const glm::vec2 span = bounds.max - bounds.min;
        const float diag = glm::dot((p - bounds.min) / glm::max(span, glm::vec2(1e-3f)) - glm::vec2(0.5f), -l) + 0.5f;
        float t = 0.35f + 0.35f * diag;
        t = t * (1.0f - edge * edge) + (0.5f - 0.5f * facing) * edge * edge;
        return metalRamp(dark, base, light, std::clamp(t, 0.0f, 1.0f));
    };
    if (outlineWidth > 0.0f)
        paint.outlined(bounds, f, metal, outline, outlineWidth);
    else
        paint.fill(bounds, f, metal);
}

}  // namespace vw::art
