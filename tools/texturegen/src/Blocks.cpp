// Blocks: plain stone, wet stone, ice, the heavy iron box, the rusty crate and
// the rising door. Puzzles stretch them to any size (40 x 40 up to 2000 x 100),
// so each is a 256 x 256 picture of broad, soft features with bevelled edges
// and no fine detail that would smear.

#include "Motifs.h"
#include "Noise.h"
#include "Palette.h"
#include "Pictures.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace vw::art {

namespace {

constexpr int kSize = 256;

// Distance in pixels from (x, y) to the nearest picture edge and whether that
// edge faces the light (top or left).
struct EdgeInfo {
    float distance;
    bool lit;
};

EdgeInfo edgeAt(float x, float y)
{
    const float left = x, top = y, right = kSize - x, bottom = kSize - y;
    const float litD = std::min(left, top), darkD = std::min(right, bottom);
    return litD <= darkD ? EdgeInfo{litD, true} : EdgeInfo{darkD, false};
}

// Raised bevel and a dark rim on a finished material.
Color bevelEdge(Color c, float x, float y, float bevel, const Color& light, const Color& dark, const Color& rim,
                float rimWidth = 2.5f)
{
    const EdgeInfo e = edgeAt(x, y);
    if (e.distance < bevel) {
        const float w = 1.0f - e.distance / bevel;
        c = mixColor(c, e.lit ? light : dark, 0.75f * w);
    }
    if (e.distance < rimWidth)
        c = mixColor(c, rim, std::clamp(rimWidth - e.distance, 0.0f, 1.0f));
    return c;
}

template <class Shader>
Image shadeBlock(Shader shader)
{
    Canvas c(kSize, kSize);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const Color col = shader(glm::vec2(x + 0.5f, y + 0.5f));
            c.pixel(x, y) = glm::vec4(glm::vec3(col), 1.0f);
        }
    return c.toImage();
}

// Where a point falls in the dressed-stone pattern: three courses of staggered
// stones. inset is the distance to the stone's own edge (negative in the mortar),
// litEdge whether the nearest stone edge is its top or left side.
struct StoneCell {
    float inset;
    bool litEdge;
    std::uint32_t id;
};

StoneCell stoneAt(glm::vec2 p)
{
    static constexpr float rows[4] = {0.0f, 92.0f, 176.0f, 256.0f};
    static constexpr float joints[3][3] = {{-1.0f, 108.0f, 300.0f}, {46.0f, 178.0f, 300.0f}, {-1.0f, 122.0f, 300.0f}};
    int row = p.y < rows[1] ? 0 : (p.y < rows[2] ? 1 : 2);
    float left = 0.0f, right = kSize;
    int index = 0;
    for (float j : joints[row]) {
        if (j < 0.0f)
            continue;
        if (p.x < j) {
            right = std::min(j, static_cast<float>(kSize));
            break;
        }
        left = j;
        ++index;
    }
    const float half = 2.0f;  // half the mortar gap
    const float dl = p.x - left - (left > 0.0f ? half : 0.0f), dr = right - p.x - (right < kSize ? half : 0.0f);
    const float dt = p.y - rows[row] - (row > 0 ? half : 0.0f), db = rows[row + 1] - p.y - (row < 2 ? half : 0.0f);
    const float litD = std::min(dl, dt), darkD = std::min(dr, db);
    return {std::min(litD, darkD), litD <= darkD, static_cast<std::uint32_t>(row * 4 + index)};
}

// Dressed stone in two tones, each stone a little different, chiselled edges.
Color stoneColour(glm::vec2 p, const Color& lo, const Color& hi, const Color& mortar, const Color& edgeLight,
                  const Color& edgeDark)
{
    const StoneCell s = stoneAt(p);
    if (s.inset < 0.0f)
        return mortar;
    const float tone = hashUnit(s.id, 3u, 17u);
    const float m = fbm(p / 48.0f + glm::vec2(static_cast<float>(s.id) * 3.1f), 11u, 4) * 0.8f +
                    fbm(p / 12.0f, 12u, 2) * 0.2f;
    Color c = mixColor(lo, hi, std::clamp(smoothstep01(0.25f, 0.8f, m) * 0.8f + tone * 0.35f - 0.1f, 0.0f, 1.0f));
    // Pits and chips: small dark flecks.
    c = mixColor(c, scaled(lo, 0.75f), smoothstep01(0.8f, 0.88f, valueNoise(p / 4.0f, 18u)) * 0.35f);
    const float bevel = 7.0f;
    if (s.inset < bevel) {
        const float w = 1.0f - s.inset / bevel;
        c = mixColor(c, s.litEdge ? edgeLight : edgeDark, 0.6f * w * w);
    }
    return c;
}

}  // namespace

Image drawStone()
{
    const Color lo = hexColor(0x5b6678), hi = hexColor(0x95a2b3);
    return shadeBlock([&](glm::vec2 p) {
        Color c = stoneColour(p, lo, hi, hexColor(0x262c38), hexColor(0xd2dbe6), hexColor(0x3a4252));
        // Warm weathering low on the stone, cool at the top.
        c = mixColor(c, hexColor(0x8c8170), smoothstep01(0.6f, 0.8f, fbm(p / 40.0f, 14u, 3)) * 0.3f);
        return bevelEdge(c, p.x, p.y, 10.0f, hexColor(0xe4ebf2), hexColor(0x252b37), palette::ink);
    });
}

Image drawWetBlock()
{
    const Color lo = hexColor(0x1d2a42), hi = hexColor(0x3d5577);
    return shadeBlock([&](glm::vec2 p) {
        Color c = stoneColour(p, lo, hi, hexColor(0x0b101c), hexColor(0x9fd0f5), hexColor(0x111a2a));
        // Wet stone shines where it faces the light: a bright glaze on each stone's top edge.
        const StoneCell s = stoneAt(p);
        if (s.inset >= 0.0f && s.litEdge && s.inset < 4.0f)
            c = mixColor(c, hexColor(0xdff3ff), 0.55f * (1.0f - s.inset / 4.0f));
        // Broad reflected sky across the face.
        const float gloss = std::exp(-std::pow((p.x * 0.7f + p.y - 170.0f) / 46.0f, 2.0f));
        c = mixColor(c, hexColor(0x7fb6e0), gloss * 0.28f);
        // Runnels: darker streaks running down from the top, each with a glint.
        const float runnel = smoothstep01(0.64f, 0.82f, valueNoise(glm::vec2(p.x / 10.0f, p.y / 180.0f), 22u));
        c = mixColor(c, scaled(lo, 0.6f), runnel * 0.5f);
        // Standing drops: a dark lens with a white glint on a few stones.
        const glm::vec2 cell = glm::floor(p / 43.0f);
        const auto cx = static_cast<std::uint32_t>(cell.x), cy = static_cast<std::uint32_t>(cell.y);
        if (hashUnit(cx, cy, 23u) > 0.6f && s.inset > 6.0f) {
            const glm::vec2 centre = (cell + glm::vec2(0.25f + 0.5f * hashUnit(cx, cy, 24u), 0.25f + 0.5f * hashUnit(cx, cy, 25u))) * 43.0f;
            const float r = 4.0f + 3.0f * hashUnit(cx, cy, 26u);
            const float d = glm::length((p - centre) * glm::vec2(1.0f, 0.8f));
            c = mixColor(c, scaled(lo, 0.5f), std::clamp(r + 1.0f - d, 0.0f, 1.0f) * 0.6f);
            const float glint = glm::length(p - centre + glm::vec2(r * 0.35f, r * 0.4f));
            c = mixColor(c, hexColor(0xf2fbff), std::clamp(r * 0.4f - glint + 0.5f, 0.0f, 1.0f));
        }
        return bevelEdge(c, p.x, p.y, 10.0f, hexColor(0xb5defa), hexColor(0x0a101c), hexColor(0x060a14));
    });
}

Image drawIceBlock()
{
    // Crack lines: a few random walks across the block.
    Rng rng(31u);
    std::vector<std::vector<glm::vec2>> cracks;
    for (int i = 0; i < 4; ++i) {
        std::vector<glm::vec2> pts;
        glm::vec2 p(rng.range(40.0f, 216.0f), rng.range(40.0f, 216.0f));
        float a = rng.range(0.0f, 2.0f * kPi);
        const int steps = 4 + rng.below(3);
        for (int s = 0; s <= steps; ++s) {
            pts.push_back(p);
            a += rng.range(-0.7f, 0.7f);
            p += glm::vec2(std::cos(a), std::sin(a)) * rng.range(14.0f, 26.0f);
        }
        cracks.push_back(pts);
    }
    // Facet centres for a coarse crystal pattern.
    std::vector<glm::vec2> facets;
    for (int i = 0; i < 9; ++i)
        facets.emplace_back(rng.range(0.0f, 256.0f), rng.range(0.0f, 256.0f));
    return shadeBlock([&](glm::vec2 p) {
        const float t = p.y / kSize;
        Color c = mixColor(hexColor(0xc4f1ff), hexColor(0x3f9fd0), smoothstep01(0.0f, 1.0f, t));
        // Facets: each crystal face a little lighter or darker, with a bright seam.
        float d1 = 1e9f, d2 = 1e9f;
        int nearest = 0;
        for (int i = 0; i < static_cast<int>(facets.size()); ++i) {
            const float d = glm::length(p - facets[i]);
            if (d < d1) {
                d2 = d1;
                d1 = d;
                nearest = i;
            } else if (d < d2) {
                d2 = d;
            }
        }
        c = scaled(c, 0.9f + 0.2f * hashUnit(static_cast<std::uint32_t>(nearest), 0u, 34u));
        c = mixColor(c, hexColor(0xeafcff), std::clamp(2.0f - (d2 - d1), 0.0f, 1.0f) * 0.35f);
        // Cloudy depths.
        c = mixColor(c, hexColor(0x2c7fb3), smoothstep01(0.5f, 0.85f, fbm(p / 50.0f, 32u, 3)) * 0.35f);
        // Trapped bubbles.
        const glm::vec2 cell = glm::floor(p / 24.0f);
        const auto cx = static_cast<std::uint32_t>(cell.x), cy = static_cast<std::uint32_t>(cell.y);
        if (hashUnit(cx, cy, 35u) > 0.7f) {
            const glm::vec2 centre = (cell + glm::vec2(hashUnit(cx, cy, 36u), hashUnit(cx, cy, 37u))) * 24.0f;
            const float r = 1.5f + 2.0f * hashUnit(cx, cy, 38u);
            c = mixColor(c, hexColor(0xf0fcff), std::clamp(1.0f - std::abs(glm::length(p - centre) - r), 0.0f, 1.0f) * 0.6f);
        }
        // Two broad glossy streaks across the face.
        const float u = p.x + p.y * 0.9f;
        const float streak = std::exp(-std::pow((u - 110.0f) / 18.0f, 2.0f)) + 0.7f * std::exp(-std::pow((u - 160.0f) / 7.0f, 2.0f));
        c = mixColor(c, hexColor(0xffffff), std::min(streak, 1.0f) * 0.5f);
        // Cracks: a white line with a blue shadow.
        float crack = 1e9f;
        for (const auto& line : cracks)
            crack = std::min(crack, polylineSdf(p, line, 0.0f));
        c = mixColor(c, hexColor(0x1d6a9a), std::clamp(3.5f - crack, 0.0f, 1.0f) * 0.4f);
        c = mixColor(c, hexColor(0xffffff), std::clamp(1.8f - crack, 0.0f, 1.0f) * 0.85f);
        // Frosted rim.
        const EdgeInfo e = edgeAt(p.x, p.y);
        const float frost = smoothstep01(0.3f, 0.65f, fbm(p / 7.0f, 33u, 2)) * std::clamp(1.0f - e.distance / 20.0f, 0.0f, 1.0f);
        c = mixColor(c, hexColor(0xf4fdff), frost * 0.8f);
        return bevelEdge(c, p.x, p.y, 9.0f, hexColor(0xffffff), hexColor(0x1f6f9f), hexColor(0x0e3f5e), 3.0f);
    });
}

Image drawHeavyBox()
{
    namespace pal = palette;
    Canvas c(kSize, kSize);
    const float border = 30.0f;
    // Steel plate with a brushed grain.
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const glm::vec2 p(x + 0.5f, y + 0.5f);
            const float grain = valueNoise(glm::vec2(p.x / 40.0f, p.y / 2.5f), 41u);
            Color col = mixColor(hexColor(0x3d434d), hexColor(0x5a626e), 0.4f + 0.3f * grain + 0.3f * fbm(p / 50.0f, 42u, 3));
            const EdgeInfo e = edgeAt(p.x, p.y);
            if (e.distance < border) {  // the frame: a band of darker iron
                col = mixColor(hexColor(0x2b3038), hexColor(0x48505c), 0.5f + 0.5f * fbm(p / 30.0f, 43u, 2));
                // A lit or shaded lip where the frame meets the panel.
                if (e.distance > border - 4.0f)
                    col = mixColor(col, e.lit ? hexColor(0x161a20) : hexColor(0x8993a2), 0.6f);
            }
            c.pixel(x, y) = glm::vec4(glm::vec3(col), 1.0f);
        }
    Painter paint(c, Pen(glm::vec2(0.0f), 1.0f));
    // Hazard stripes across the top and bottom of the panel.
    for (float y0 : {border + 6.0f, kSize - border - 6.0f - 34.0f}) {
        const Box band{glm::vec2(border + 6.0f, y0), glm::vec2(kSize - border - 6.0f, y0 + 34.0f)};
        const glm::vec2 mid = (band.min + band.max) * 0.5f, half = (band.max - band.min) * 0.5f;
        paint.outlined(band, [&](glm::vec2 p) { return sdf::roundBox(p, mid, half, 3.0f); },
                       [&](glm::vec2 p, float d) {
                           const bool yellow = std::fmod(p.x + p.y + 1000.0f, 40.0f) < 20.0f;
                           Color col = yellow ? pal::hazard : hexColor(0x1c1c20);
                           // Worn paint: lighter scuffs on the stripes.
                           col = mixColor(col, hexColor(0x8a8f96), smoothstep01(0.72f, 0.85f, fbm(p / 9.0f, 44u, 3)) * 0.6f);
                           return scaled(col, 1.0f + 0.18f * std::clamp(1.0f + d / 4.0f, 0.0f, 1.0f) * (p.y < mid.y ? 1.0f : -1.0f));
                       },
                       pal::ink, 2.0f);
    }
    // An embossed weight in the middle.
    const glm::vec2 w(128.0f, 128.0f);
    const glm::vec2 weight[4] = {{w.x - 26.0f, w.y + 16.0f}, {w.x + 26.0f, w.y + 16.0f}, {w.x + 17.0f, w.y - 10.0f},
                                 {w.x - 17.0f, w.y - 10.0f}};
    auto weightSdf = [&](glm::vec2 p) {
        return std::min(sdf::polygon(p, weight) - 2.0f, sdf::ring(p, w + glm::vec2(0.0f, -15.0f), 7.0f, 2.8f));
    };
    paint.fill(Box::around(w, glm::vec2(32.0f)), [&](glm::vec2 p) { return weightSdf(p - glm::vec2(1.5f, 2.0f)); },
               withAlpha(hexColor(0x9aa4b2), 0.5f));
    paint.fill(Box::around(w, glm::vec2(32.0f)), weightSdf, [&](glm::vec2 p, float d) {
        return bevelled(hexColor(0x2f343c), weightSdf, p, d, 3.0f, 0.5f);
    });
    // Rivets all round the frame.
    const float r = 5.0f, inset = border * 0.5f;
    for (int i = 0; i < 6; ++i) {
        const float t = inset + (kSize - 2.0f * inset) * i / 5.0f;
        for (glm::vec2 at : {glm::vec2(t, inset), glm::vec2(t, kSize - inset), glm::vec2(inset, t), glm::vec2(kSize - inset, t)})
            drawRivet(paint, at, r, hexColor(0x7d8794));
    }
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            glm::vec4& px = c.pixel(x, y);
            const Color col = bevelEdge(Color(px), x + 0.5f, y + 0.5f, 6.0f, hexColor(0xaab3bf), hexColor(0x101318), pal::ink);
            px = glm::vec4(glm::vec3(col), 1.0f);
        }
    return c.toImage();
}

Image drawRustyBox()
{
    namespace pal = palette;
    Canvas c(kSize, kSize);
    const float frame = 26.0f;
    // Planks: four horizontal boards with grain, set in a frame of boards.
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const glm::vec2 p(x + 0.5f, y + 0.5f);
            const EdgeInfo e = edgeAt(p.x, p.y);
            const bool inFrame = e.distance < frame;
            const float across = inFrame ? (std::min(p.x, kSize - p.x) < std::min(p.y, kSize - p.y) ? p.x : p.y) : p.y;
            const int board = static_cast<int>(inFrame ? 99 + std::floor(across / 128.0f) : std::floor((p.y - frame) / 51.0f));
            const glm::vec2 g = inFrame && std::min(p.x, kSize - p.x) < std::min(p.y, kSize - p.y) ? glm::vec2(p.y, p.x)
                                                                                                   : p;
            const float grain = fbm(glm::vec2(g.x / 90.0f, g.y / 5.0f + board * 7.0f), 51u + board, 3);
            Color col = mixColor(hexColor(0x6e4322), hexColor(0xb07a45), smoothstep01(0.3f, 0.75f, grain));
            col = scaled(col, 0.88f + 0.2f * hashUnit(static_cast<std::uint32_t>(board), 1u, 52u));
            if (!inFrame) {
                const float seam = std::fmod(p.y - frame, 51.0f);
                if (seam < 3.0f || seam > 49.5f)
                    col = hexColor(0x2a170b);
                col = scaled(col, 0.85f);  // the panel sits behind the frame
            } else if (e.distance > frame - 4.0f) {
                col = mixColor(col, e.lit ? hexColor(0x2a170b) : hexColor(0xd9a066), 0.5f);
            }
            c.pixel(x, y) = glm::vec4(glm::vec3(col), 1.0f);
        }
    Painter paint(c, Pen(glm::vec2(0.0f), 1.0f));
    // A diagonal brace board.
    const glm::vec2 a(frame + 4.0f, kSize - frame - 12.0f), b(kSize - frame - 4.0f, frame + 12.0f);
    auto brace = [&](glm::vec2 p) { return sdf::intersect(sdf::bar(p, a, b, 34.0f), sdf::box(p, glm::vec2(128.0f), glm::vec2(128.0f - frame))); };
    paint.fill(Box{glm::vec2(frame), glm::vec2(kSize - frame)}, [&](glm::vec2 p) { return brace(p - glm::vec2(0.0f, 5.0f)); },
               withAlpha(hexColor(0x1d0f06), 0.55f));
    paint.fill(Box{glm::vec2(frame), glm::vec2(kSize - frame)}, brace, [&](glm::vec2 p, float d) {
        const glm::vec2 u = glm::normalize(b - a);
        const float along = glm::dot(p - a, u), side = glm::dot(p - a, glm::vec2(-u.y, u.x));
        const float grain = fbm(glm::vec2(along / 90.0f, side / 5.0f), 53u, 3);
        const Color col = mixColor(hexColor(0x7a4c27), hexColor(0xc08a52), smoothstep01(0.3f, 0.75f, grain));
        return bevelled(col, brace, p, d, 4.0f, 0.35f);
    });
    // Rusted iron corner plates with rivets.
    for (int corner = 0; corner < 4; ++corner) {
        const glm::vec2 o((corner & 1) ? kSize : 0.0f, (corner & 2) ? kSize : 0.0f);
        const glm::vec2 dir((corner & 1) ? -1.0f : 1.0f, (corner & 2) ? -1.0f : 1.0f);
        auto plate = [&](glm::vec2 p) {
            const glm::vec2 q = (p - o) * dir;  // corner-local, pointing inwards
            const glm::vec2 tri[3] = {{0.0f, 0.0f}, {62.0f, 0.0f}, {0.0f, 62.0f}};
            return sdf::intersect(sdf::polygon(q, tri) - 2.0f, sdf::box(q, glm::vec2(31.0f), glm::vec2(31.0f)));
        };
        const Box bounds{glm::min(o, o + dir * 66.0f), glm::max(o, o + dir * 66.0f)};
        paint.fill(bounds, plate, [&](glm::vec2 p, float d) {
            const float rustiness = fbm(p / 10.0f, 54u + corner, 3);
            Color col = mixColor(hexColor(0x6b3a22), hexColor(0xc0622a), smoothstep01(0.3f, 0.7f, rustiness));
            col = mixColor(col, hexColor(0x4a4e55), smoothstep01(0.62f, 0.7f, fbm(p / 14.0f, 55u, 2)) * 0.7f);
            return bevelled(col, plate, p, d, 3.0f, 0.45f);
        });
        for (glm::vec2 r : {glm::vec2(14.0f, 14.0f), glm::vec2(36.0f, 12.0f), glm::vec2(12.0f, 36.0f)})
            drawRivet(paint, o + dir * r, 4.0f, hexColor(0xb86a3c));
    }
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            glm::vec4& px = c.pixel(x, y);
            const Color col = bevelEdge(Color(px), x + 0.5f, y + 0.5f, 5.0f, hexColor(0xe0b07a), hexColor(0x22120a), pal::ink);
            px = glm::vec4(glm::vec3(col), 1.0f);
        }
    return c.toImage();
}

Image drawRisingDoor()
{
    namespace pal = palette;
    Canvas c(kSize, kSize);
    // Vertical iron slats between brass rails: stretches cleanly to a tall door.
    const int slats = 5;
    const float rail = 30.0f, slatW = static_cast<float>(kSize) / slats;
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const glm::vec2 p(x + 0.5f, y + 0.5f);
            const float inSlat = std::fmod(p.x, slatW) / slatW;  // 0..1 across a slat
            const int slat = static_cast<int>(p.x / slatW);
            Color col = metalRamp(hexColor(0x1e242c), hexColor(0x4a5360), hexColor(0x8c97a6),
                                  std::clamp(0.15f + inSlat * 0.8f, 0.0f, 1.0f));
            col = scaled(col, 0.9f + 0.15f * fbm(glm::vec2(p.x / 30.0f + slat * 5.0f, p.y / 60.0f), 61u, 3));
            if (inSlat < 0.06f || inSlat > 0.95f)
                col = hexColor(0x0f1217);
            // Streaks of rust running down from the rails.
            const float streak = smoothstep01(0.6f, 0.85f, valueNoise(glm::vec2(p.x / 7.0f, p.y / 200.0f), 62u));
            col = mixColor(col, pal::rust, streak * 0.4f * (1.0f - smoothstep01(rail, 140.0f, p.y)));
            c.pixel(x, y) = glm::vec4(glm::vec3(col), 1.0f);
        }
    Painter paint(c, Pen(glm::vec2(0.0f), 1.0f));
    for (float y0 : {0.0f, kSize - rail}) {
        const glm::vec2 mid(128.0f, y0 + rail * 0.5f), half(128.0f, rail * 0.5f);
        auto band = [&](glm::vec2 p) { return sdf::box(p, mid, half); };
        fillMetal(paint, Box::around(mid, half), band, pal::brassDark, pal::brass, pal::brassLight, 8.0f, pal::ink, 0.0f);
        for (int i = 0; i < slats; ++i)
            drawRivet(paint, glm::vec2((i + 0.5f) * slatW, mid.y), 5.0f, pal::brassLight);
    }
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            glm::vec4& px = c.pixel(x, y);
            const Color col = bevelEdge(Color(px), x + 0.5f, y + 0.5f, 4.0f, hexColor(0xc9d2dc), hexColor(0x0c0f13), pal::ink);
            px = glm::vec4(glm::vec3(col), 1.0f);
        }
    return c.toImage();
}

}  // namespace vw::art
