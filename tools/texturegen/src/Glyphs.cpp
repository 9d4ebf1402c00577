// The bitmap font: an 8 x 14 sheet of 64-pixel cells, rasterised from a
// TrueType font with stb_truetype at four times the size, outlined with a
// distance transform and shrunk, so letters stay crisp at every text size.

#include "Palette.h"
#include "Pictures.h"

#include <stb_truetype.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <limits>
#include <stdexcept>
#include <vector>

namespace vw::art {

namespace {

constexpr int kColumns = 8;
constexpr int kRows = 14;
constexpr int kCell = 64;            // pixels of one finished cell
constexpr int kSuper = 4;            // drawing resolution factor
constexpr int kBig = kCell * kSuper;  // pixels of one cell while drawing
constexpr float kEm = 50.0f;          // font size, finished pixels
constexpr float kOutline = 3.6f;      // outline width, finished pixels
constexpr float kMaxInk = kCell * 2.0f / 3.0f;  // glyph width limit incl. outline
constexpr float kWiden = 1.3f;
constexpr float kShadowX = 1.6f;                // drop shadow offset, finished pixels                  // horizontal stretch of the font's glyphs

// (character, column, row) of every glyph on the sheet.
struct GlyphCell {
    char character;
    int column;
    int row;
};

std::vector<GlyphCell> glyphCells()
{
    std::vector<GlyphCell> cells;
    for (int i = 0; i < 26; ++i)
        cells.push_back({static_cast<char>('A' + i), i % kColumns, i / kColumns});
    for (int i = 0; i < 26; ++i)
        cells.push_back({static_cast<char>('a' + i), (26 + i) % kColumns, (26 + i) / kColumns});
    for (int i = 0; i < 10; ++i)
        cells.push_back({static_cast<char>('0' + i), (52 + i) % kColumns, (52 + i) / kColumns});
    const GlyphCell signs[] = {{',', 7, 7}, {'.', 6, 7}, {':', 0, 8}, {';', 1, 8}, {'\'', 2, 8}, {'"', 3, 8},
                               {'(', 4, 8}, {')', 5, 8}, {'!', 6, 8}, {'?', 7, 8}, {'+', 0, 9}, {'-', 1, 9},
                               {'/', 2, 9}, {'=', 3, 9}, {'*', 4, 9}};
    cells.insert(cells.end(), std::begin(signs), std::end(signs));
    return cells;  // space, (5, 9), stays blank
}

std::vector<unsigned char> readFont(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw std::runtime_error(path + ": cannot open the font file");
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (bytes.size() < 12)
        throw std::runtime_error(path + ": not a TrueType font");
    return bytes;
}

// Squared-distance transform of one line (Felzenszwalb and Huttenlocher).
void distanceLine(const float* f, float* d, int n, std::vector<int>& v, std::vector<float>& z)
{
    constexpr float inf = std::numeric_limits<float>::infinity();
    int k = 0;
    v[0] = 0;
    z[0] = -inf;
    z[1] = inf;
    for (int q = 1; q < n; ++q) {
        if (f[q] == inf)
            continue;
        while (true) {
            const int r = v[k];
            if (f[r] == inf) {  // only possible for the first entry
                v[k] = q;
                break;
            }
            const float s = ((f[q] + q * q) - (f[r] + r * r)) / (2.0f * (q - r));
            if (s <= z[k]) {
                if (k == 0) {
                    v[0] = q;
                    break;
                }
                --k;
                continue;
            }
            ++k;
            v[k] = q;
            z[k] = s;
            z[k + 1] = inf;
            break;
        }
    }
    k = 0;
    for (int q = 0; q < n; ++q) {
        while (z[k + 1] < q)
            ++k;
        const int r = v[k];
        d[q] = f[r] == inf ? inf : (q - r) * (q - r) + f[r];
    }
}

// Euclidean distance (pixels) from every pixel to the nearest inked one.
std::vector<float> distanceToInk(const std::vector<float>& coverage, int w, int h)
{
    constexpr float inf = std::numeric_limits<float>::infinity();
    std::vector<float> grid(coverage.size());
    for (std::size_t i = 0; i < coverage.size(); ++i)
        grid[i] = coverage[i] >= 0.5f ? 0.0f : inf;
    const int n = std::max(w, h);
    std::vector<float> f(n), d(n), z(n + 1);
    std::vector<int> v(n);
    for (int x = 0; x < w; ++x) {
        for (int y = 0; y < h; ++y)
            f[y] = grid[y * w + x];
        distanceLine(f.data(), d.data(), h, v, z);
        for (int y = 0; y < h; ++y)
            grid[y * w + x] = d[y];
    }
    for (int y = 0; y < h; ++y) {
        distanceLine(&grid[y * w], d.data(), w, v, z);
        for (int x = 0; x < w; ++x)
            grid[y * w + x] = std::sqrt(d[x]);
    }
    return grid;
}

// One glyph drawn at kSuper times the cell size.
Canvas drawGlyph(const stbtt_fontinfo& font, char c)
{
    const float scale = stbtt_ScaleForMappingEmToPixels(&font, kEm * kSuper);
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    stbtt_GetCodepointBitmapBox(&font, c, scale, scale, &x0, &y0, &x1, &y1);

    // Glyphs are drawn a little wide, so that lines read as words at the
    // game's fixed advance of two thirds of a cell; any glyph whose ink (with
    // its outline) would then overlap its neighbours is narrowed again.
    float scaleX = scale * kWiden;
    const float frame = (2.0f * kOutline + kShadowX) * kSuper;  // outline both sides, shadow to the right
    const float inkWidth = static_cast<float>(x1 - x0) * kWiden + frame;
    if (inkWidth > kMaxInk * kSuper)
        scaleX = scale * (kMaxInk * kSuper - frame) / static_cast<float>(x1 - x0);
    stbtt_GetCodepointBitmapBox(&font, c, scaleX, scale, &x0, &y0, &x1, &y1);

    const int gw = std::max(x1 - x0, 0), gh = std::max(y1 - y0, 0);
    std::vector<unsigned char> glyph(static_cast<std::size_t>(gw) * gh + 1);
    if (gw > 0 && gh > 0)
        stbtt_MakeCodepointBitmap(&font, glyph.data(), gw, gh, gw, scaleX, scale, c);

    // The ink (with its shadow) is centred across the cell; the baseline puts
    // capitals and descenders evenly about the cell's middle.
    int ascent = 0, descent = 0, gap = 0;
    stbtt_GetFontVMetrics(&font, &ascent, &descent, &gap);
    const float capTop = 0.73f * kEm * kSuper, below = -descent * scale;
    const float baseline = kBig * 0.5f + (capTop - below) * 0.5f;
    const int left = static_cast<int>(std::lround((kBig - gw - kShadowX * kSuper) * 0.5f));
    const int top = static_cast<int>(std::lround(baseline)) + y0;

    std::vector<float> coverage(static_cast<std::size_t>(kBig) * kBig, 0.0f);
    for (int y = 0; y < gh; ++y)
        for (int x = 0; x < gw; ++x) {
            const int cx = left + x, cy = top + y;
            if (cx >= 0 && cy >= 0 && cx < kBig && cy < kBig)
                coverage[cy * kBig + cx] = glyph[y * gw + x] / 255.0f;
        }
    const std::vector<float> dist = distanceToInk(coverage, kBig, kBig);

    const float radius = kOutline * kSuper;
    const int shadowDx = static_cast<int>(kShadowX * kSuper), shadowDy = static_cast<int>(2.2f * kSuper);
    const float inkTop = static_cast<float>(top), inkBottom = static_cast<float>(top + gh);
    const Color fillTop = hexColor(0xfffbef), fillBottom = hexColor(0xf4cf86);
    const Color shadow = withAlpha(hexColor(0x0d0b12), 0.45f);

    Canvas big(kBig, kBig);
    for (int y = 0; y < kBig; ++y)
        for (int x = 0; x < kBig; ++x) {
            auto outlineAt = [&](int px, int py) {
                if (px < 0 || py < 0 || px >= kBig || py >= kBig)
                    return 0.0f;
                return std::clamp(radius - dist[py * kBig + px] + 0.5f * kSuper, 0.0f, static_cast<float>(kSuper)) /
                       kSuper;
            };
            big.blend(x, y, shadow, outlineAt(x - shadowDx, y - shadowDy));
            big.blend(x, y, palette::ink, outlineAt(x, y));
            const float t = std::clamp((y - inkTop) / std::max(inkBottom - inkTop, 1.0f), 0.0f, 1.0f);
            big.blend(x, y, mixColor(fillTop, fillBottom, t * t), coverage[y * kBig + x]);
        }
    return big;
}

}  // namespace

Image drawGlyphSheet(const std::string& fontPath)
{
    const std::vector<unsigned char> bytes = readFont(fontPath);
    stbtt_fontinfo font;
    const int offset = stbtt_GetFontOffsetForIndex(bytes.data(), 0);
    if (offset < 0 || !stbtt_InitFont(&font, bytes.data(), offset))
        throw std::runtime_error(fontPath + ": not a TrueType font stb_truetype can read");
    if (stbtt_FindGlyphIndex(&font, 'A') == 0)
        throw std::runtime_error(fontPath + ": the font has no Latin letters");

    Canvas sheet(kColumns * kCell, kRows * kCell);
    for (const GlyphCell& cell : glyphCells())
        sheet.copy(drawGlyph(font, cell.character).downsampled(kSuper), cell.column * kCell, cell.row * kCell);
    return sheet.toImage();
}

}  // namespace vw::art
