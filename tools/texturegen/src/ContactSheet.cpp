// The contact sheet: two mock screens composed the way the game composes them
// (the title menu on the sky-blue clear colour, and a play scene with sprites,
// blocks, HUD, text and additive spray layers), then every picture of the data
// directory on a labelled grid.

#include "ContactSheet.h"

#include "PictureTable.h"
#include "Png.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>
#include <sstream>

namespace vw::art {

namespace {

constexpr int kScreenW = 1000, kScreenH = 800;
const glm::vec3 kSkyBlue(0.0f, 0.8f, 1.0f);

struct Sheet {
    Image image;
    int columns = 1;
    int rows = 1;
};

// Straight RGBA texel with bilinear filtering and clamped edges, as a GPU samples it.
glm::vec4 sample(const Image& img, float u, float v)
{
    const float x = u * img.width - 0.5f, y = v * img.height - 0.5f;
    const int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
    const float tx = x - x0, ty = y - y0;
    auto texel = [&](int px, int py) {
        px = std::clamp(px, 0, img.width - 1);
        py = std::clamp(py, 0, img.height - 1);
        const std::uint8_t* p = img.at(px, py);
        return glm::vec4(p[0], p[1], p[2], img.channels == 4 ? p[3] : 255) / 255.0f;
    };
    const glm::vec4 a = texel(x0, y0), b = texel(x0 + 1, y0), c = texel(x0, y0 + 1), d = texel(x0 + 1, y0 + 1);
    return glm::mix(glm::mix(a, b, tx), glm::mix(c, d, tx), ty);
}

// An RGB frame buffer with the game's two blend modes.
class Screen {
public:
    Screen(int w, int h, glm::vec3 clear, float alpha = 1.0f)
        : w_(w), h_(h), rgb_(static_cast<std::size_t>(w) * h, clear), a_(rgb_.size(), alpha)
    {
    }

    // Draws cell (col, row) of a sheet over the screen rectangle centred at (cx, cy)
    // (screen pixels, y down), mirrored when facing is negative. additive: colour
    // one-to-one and alpha by source alpha, the particle layers' blend.
    void quad(const Sheet& s, int col, int row, glm::vec2 centre, glm::vec2 size, float facing = 1.0f, bool additive = false)
    {
        const int x0 = std::max(0, static_cast<int>(std::floor(centre.x - size.x * 0.5f)));
        const int x1 = std::min(w_ - 1, static_cast<int>(std::ceil(centre.x + size.x * 0.5f)));
        const int y0 = std::max(0, static_cast<int>(std::floor(centre.y - size.y * 0.5f)));
        const int y1 = std::min(h_ - 1, static_cast<int>(std::ceil(centre.y + size.y * 0.5f)));
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) {
                float u = (x + 0.5f - (centre.x - size.x * 0.5f)) / size.x;
                const float v = (y + 0.5f - (centre.y - size.y * 0.5f)) / size.y;
                if (u < 0.0f || u > 1.0f || v < 0.0f || v > 1.0f)
                    continue;
                if (facing < 0.0f)
                    u = 1.0f - u;
                const glm::vec4 t = sample(s.image, (col + u) / s.columns, (row + v) / s.rows);
                const std::size_t i = static_cast<std::size_t>(y) * w_ + x;
                if (additive) {
                    rgb_[i] += glm::vec3(t);
                    a_[i] = t.a * t.a + a_[i] * (1.0f - t.a);
                } else {
                    rgb_[i] = glm::vec3(t) * t.a + rgb_[i] * (1.0f - t.a);
                }
            }
    }
    // Blends another screen (a spray layer) over this one with its alpha.
    void composite(const Screen& layer)
    {
        for (std::size_t i = 0; i < rgb_.size(); ++i) {
            const float a = std::clamp(layer.a_[i], 0.0f, 1.0f);
            rgb_[i] = glm::clamp(layer.rgb_[i], 0.0f, 1.0f) * a + rgb_[i] * (1.0f - a);
        }
    }
    Canvas toCanvas() const
    {
        Canvas c(w_, h_);
        for (int y = 0; y < h_; ++y)
            for (int x = 0; x < w_; ++x)
                c.pixel(x, y) = glm::vec4(glm::clamp(rgb_[static_cast<std::size_t>(y) * w_ + x], 0.0f, 1.0f), 1.0f);
        return c;
    }

private:
    int w_, h_;
    std::vector<glm::vec3> rgb_;
    std::vector<float> a_;
};

// The game's glyph cell of a character (column, row).
glm::ivec2 glyphCell(char ch)
{
    static const std::map<char, glm::ivec2> signs = {
        {' ', {5, 9}}, {')', {5, 8}}, {'!', {6, 8}}, {'*', {4, 9}}, {'"', {3, 8}}, {'+', {0, 9}}, {'\'', {2, 8}}, {',', {7, 7}},
        {'(', {4, 8}}, {'-', {1, 9}}, {'.', {6, 7}}, {'/', {2, 9}}, {':', {0, 8}}, {';', {1, 8}}, {'=', {3, 9}}, {'?', {7, 8}}};
    if (const auto it = signs.find(ch); it != signs.end())
        return it->second;
    int v = static_cast<signed char>(ch);
    if (ch >= 'a' && ch <= 'z')
        v -= 6;
    v -= 65;
    if (ch >= '0' && ch <= '9')
        v += 69;
    return {v % 8, v / 8};
}

// A line of text the way the game writes it: square glyphs of the given size,
// advancing by size / 1.5, the first glyph centred at (x, y) in screen pixels.
void text(Screen& screen, const Sheet& font, const std::string& line, glm::vec2 at, float size)
{
    for (std::size_t i = 0; i < line.size(); ++i) {
        const glm::ivec2 cell = glyphCell(line[i]);
        if (cell.x < 0 || cell.y < 0 || cell.y >= 14)
            continue;
        screen.quad(font, cell.x, cell.y, at + glm::vec2(i * size / 1.5f, 0.0f), glm::vec2(size));
    }
}

struct World {
    glm::vec2 camera;  // world point at the screen's centre
    glm::vec2 toScreen(glm::vec2 w) const { return {w.x - camera.x + kScreenW * 0.5f, kScreenH * 0.5f - (w.y - camera.y)}; }
};

Canvas menuScreen(const std::map<std::string, Sheet>& s)
{
    Screen screen(kScreenW, kScreenH, kSkyBlue);
    const World world{{50.0f, 100.0f}};
    screen.quad(s.at("VAPORWICKMENU"), 0, 0, world.toScreen({-300.0f, -140.0f}), {283.0f, 1205.0f});
    const Sheet& font = s.at("TEXT");
    auto line = [&](const std::string& t, float x, float y, float size) { text(screen, font, t, world.toScreen({x, y}), size); };
    line("Vaporwick", -125, 325, 60);
    line("Start Game", -400, 100, 50);
    line("Instructions", -400, 0, 50);
    line("Credits", -400, -100, 50);
    line("Controls", 55, 170, 30);
    line("A and D to move", 55, 100, 20);
    line("W to jump", 55, 50, 20);
    line("Hold W to open your umbrella", 55, 0, 20);
    line("1,2,3 to select Water, Steam, or Ice", 55, -50, 20);
    line("Left-click to aim and use powers", 55, -100, 20);
    line("P to pause", 55, -150, 20);
    return screen.toCanvas();
}

Canvas playScreen(const std::map<std::string, Sheet>& s)
{
    Screen screen(kScreenW, kScreenH, kSkyBlue);
    const World world{{50.0f, 180.0f}};
    auto put = [&](const char* key, glm::vec2 at, glm::vec2 size, int col = 0, int row = 0, float facing = 1.0f) {
        screen.quad(s.at(key), col, row, world.toScreen(at), size, facing);
    };
    put("BACKGROUND", {720.0f, 450.0f}, {3200.0f, 2560.0f});
    // The player walking right, aiming up and to the right.
    const glm::vec2 player(-250.0f, 100.0f);
    put("ANIMATION", player, {32.0f, 100.0f}, 4, 0);
    put("ARM", player + glm::vec2(-12.0f, 8.0f), {90.0f, 80.0f}, 0, 7);
    text(screen, s.at("TEXT"), "Puzzle 1: the mill", world.toScreen({-430.0f, 430.0f}), 30.0f);
    // The strip: plain stone, a wet block, ice, a heavy box, a crate, a door.
    for (float x = -450.0f; x <= 550.0f; x += 100.0f)
        put(x > 250.0f && x < 400.0f ? "ICEBLOCK" : "STONE", {x, 0.0f}, {100.0f, 100.0f});
    put("WETBLOCK", {-50.0f, 0.0f}, {100.0f, 100.0f});
    put("STONE", {150.0f, 240.0f}, {500.0f, 40.0f});
    put("HEAVYBOX", {-420.0f, 100.0f}, {100.0f, 100.0f});
    put("RUSTYBOX", {80.0f, 80.0f}, {60.0f, 60.0f});
    put("BUTTONART", {-120.0f, 60.0f}, {60.0f, 20.0f}, 0, 1);
    put("RISINGDOOR", {480.0f, 200.0f}, {40.0f, 200.0f});
    put("TRAPDOOR", {250.0f, 380.0f}, {100.0f, 100.0f}, 6, 1);
    put("TRAPDOOR", {380.0f, 380.0f}, {100.0f, 100.0f}, 0, 0, -1.0f);
    put("WATERWHEEL", {260.0f, 120.0f}, {130.0f, 130.0f}, 5, 1);
    // HUD icons, water selected.
    screen.quad(s.at("WATERICON"), 0, 1, {40.0f, 750.0f}, {60.0f, 60.0f});
    screen.quad(s.at("STEAMICON"), 0, 0, {110.0f, 750.0f}, {60.0f, 60.0f});
    screen.quad(s.at("ICEICON"), 0, 0, {180.0f, 750.0f}, {60.0f, 60.0f});

    // A steam jet rising by the door, and the player's water arcing into the wheel.
    // Both spray layers start transparent black, as the game clears them.
    Screen steam(kScreenW, kScreenH, glm::vec3(0.0f), 0.0f);
    Screen water(kScreenW, kScreenH, glm::vec3(0.0f), 0.0f);
    for (int i = 0; i < 90; ++i) {
        const float t = i / 90.0f;
        const glm::vec2 p(400.0f + std::sin(i * 2.3f) * 10.0f * t, 60.0f + t * 260.0f);
        steam.quad(s.at("STEAM"), 0, 0, world.toScreen(p), glm::vec2(15.0f + 12.0f * std::fmod(i * 0.37f, 1.0f)), 1.0f, true);
    }
    for (int i = 0; i < 120; ++i) {
        const float t = i / 120.0f;
        const glm::vec2 p = player + glm::vec2(-12.0f, 8.0f) + glm::vec2(30.0f, 20.0f) + glm::vec2(440.0f * t, 300.0f * t - 260.0f * t * t);
        water.quad(s.at("WATERSPRAY"), 0, 0, world.toScreen(p + glm::vec2(std::sin(i * 1.7f) * 4.0f, std::cos(i * 2.1f) * 4.0f)),
                   glm::vec2(15.0f + 12.0f * std::fmod(i * 0.61f, 1.0f)), 1.0f, true);
    }
    for (int i = 0; i < 30; ++i) {
        const glm::vec2 p(330.0f + std::sin(i * 1.3f) * 40.0f, 70.0f + std::fmod(i * 7.7f, 40.0f));
        water.quad(s.at("ICESPRAY"), 0, 0, world.toScreen(p), glm::vec2(18.0f), 1.0f, true);
    }
    screen.composite(steam);
    screen.composite(water);
    return screen.toCanvas();
}

// Writes `label` under a tile using the glyph sheet, at the given screen size.
void drawLabel(Canvas& out, const Sheet& font, const std::string& label, glm::vec2 at, float size)
{
    Screen strip(static_cast<int>(label.size() * size / 1.5f + size), static_cast<int>(size), glm::vec3(0.16f, 0.19f, 0.25f));
    text(strip, font, label, {size * 0.5f, size * 0.5f}, size);
    out.copy(strip.toCanvas(), static_cast<int>(at.x), static_cast<int>(at.y));
}

// A long strip of cells re-flowed into a block of about the tile's shape, empty
// cells left out, so that every frame stays visible in a small tile.
Image reflow(const Sheet& s, glm::ivec2 box)
{
    const int cw = s.image.width / s.columns, ch = s.image.height / s.rows;
    std::vector<glm::ivec2> cells;
    for (int r = 0; r < s.rows; ++r)
        for (int c = 0; c < s.columns; ++c) {
            bool used = false;
            for (int y = r * ch; y < (r + 1) * ch && !used; y += 2)
                for (int x = c * cw; x < (c + 1) * cw && !used; x += 2)
                    used = s.image.alphaAt(x, y) > 0;
            if (used)
                cells.emplace_back(c, r);
        }
    int best = 1;
    float bestScale = 0.0f;
    for (int across = 1; across <= static_cast<int>(cells.size()); ++across) {
        const int down = (static_cast<int>(cells.size()) + across - 1) / across;
        const float scale = std::min(static_cast<float>(box.x) / (across * cw), static_cast<float>(box.y) / (down * ch));
        if (scale > bestScale) {
            bestScale = scale;
            best = across;
        }
    }
    const int down = (static_cast<int>(cells.size()) + best - 1) / best;
    Image out;
    out.width = best * cw;
    out.height = down * ch;
    out.channels = 4;
    out.pixels.assign(static_cast<std::size_t>(out.width) * out.height * 4, 0);
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const int ox = static_cast<int>(i % best) * cw, oy = static_cast<int>(i / best) * ch;
        for (int y = 0; y < ch; ++y)
            for (int x = 0; x < cw; ++x) {
                const std::uint8_t* src = s.image.at(cells[i].x * cw + x, cells[i].y * ch + y);
                std::uint8_t* dst = &out.pixels[(static_cast<std::size_t>(oy + y) * out.width + ox + x) * 4];
                for (int k = 0; k < 4; ++k)
                    dst[k] = s.image.channels == 4 ? src[k] : (k < 3 ? src[k] : 255);
            }
    }
    return out;
}

void drawTile(Canvas& out, const Image& img, glm::ivec2 origin, glm::ivec2 box)
{
    const float k = std::min(static_cast<float>(box.x) / img.width, static_cast<float>(box.y) / img.height);
    const int w = std::max(1, static_cast<int>(img.width * k)), h = std::max(1, static_cast<int>(img.height * k));
    const glm::ivec2 at = origin + (box - glm::ivec2(w, h)) / 2;
    Canvas tile(w, h);
    for (int y = 0; y < h; ++y)  // a checkerboard shows transparency
        for (int x = 0; x < w; ++x) {
            const bool dark = ((x / 8) + (y / 8)) % 2 == 0;
            tile.pixel(x, y) = dark ? glm::vec4(0.42f, 0.45f, 0.5f, 1.0f) : glm::vec4(0.55f, 0.58f, 0.63f, 1.0f);
        }
    tile.draw(Canvas::fromImage(img).shrunk(w, h), 0, 0);
    out.copy(tile, at.x, at.y);
}

}  // namespace

std::string writeContactSheet(const std::filesystem::path& out, const std::filesystem::path& dataDir)
{
    const std::filesystem::path listPath = dataDir / kTextureListPath;
    std::ifstream listFile(listPath, std::ios::binary);
    if (!listFile)
        return listPath.string() + ": cannot open the texture list";
    std::stringstream buffer;
    buffer << listFile.rdbuf();
    std::string error;
    const auto records = parseTextureList(buffer.str(), error);
    if (!records)
        return listPath.string() + ": " + error;

    std::map<std::string, Sheet> sheets;
    std::vector<std::string> order;
    for (const TextureRecord& rec : *records) {
        const PictureEntry* entry = findPicture(rec.key);
        auto img = readPng(dataDir / rec.path, error);
        if (!img)
            return error;
        sheets[rec.key] = Sheet{std::move(*img), entry ? entry->columns : 1, entry ? entry->rows : 1};
        order.push_back(rec.key);
    }
    for (const PictureEntry& entry : pictureTable())
        if (!sheets.count(entry.key))
            return listPath.string() + ": no record for " + entry.key;
    auto icon = readPng(dataDir / kWindowIconPath, error);
    if (!icon)
        return error;

    constexpr int kColumns = 6, kTileW = 330, kTileH = 300, kLabel = 26, kPad = 10;
    const int tiles = static_cast<int>(order.size()) + 1;
    const int gridRows = (tiles + kColumns - 1) / kColumns;
    const int width = kColumns * kTileW;
    Canvas sheet(width, kScreenH + 2 * kPad + gridRows * (kTileH + kLabel + kPad) + kPad);
    sheet.fill(hexColor(0x29303f));
    sheet.copy(menuScreen(sheets), kPad, kPad);
    sheet.copy(playScreen(sheets), width - kScreenW - kPad, kPad);

    const Sheet& font = sheets.at("TEXT");
    for (int i = 0; i < tiles; ++i) {
        const bool isIcon = i == static_cast<int>(order.size());
        const glm::ivec2 origin((i % kColumns) * kTileW + kPad, kScreenH + 2 * kPad + (i / kColumns) * (kTileH + kLabel + kPad));
        const glm::ivec2 box(kTileW - 2 * kPad, kTileH - kPad);
        if (isIcon)
            drawTile(sheet, *icon, origin, box);
        else if (const Sheet& s = sheets.at(order[i]); s.columns * s.rows > 2 && order[i] != "TEXT")
            drawTile(sheet, reflow(s, box), origin, box);
        else
            drawTile(sheet, s.image, origin, box);
        drawLabel(sheet, font, isIcon ? "ICON" : order[i], glm::vec2(origin) + glm::vec2(0.0f, kTileH - 4.0f), 22.0f);
    }
    return writePng(out, sheet.toOpaqueImage(), error) ? std::string() : error;
}

}  // namespace vw::art
