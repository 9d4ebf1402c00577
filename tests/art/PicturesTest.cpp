// Checks the pictures the build wrote into the data directory, the files the
// game will load: layouts, transparency, and that a fresh run writes the same bytes.

#include "GameListReader.h"
#include "PictureTable.h"
#include "Pictures.h"
#include "Png.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <unistd.h>

namespace vw::art {
namespace {

namespace fs = std::filesystem;

fs::path freshTempDir(const std::string& name)
{
    const fs::path dir = fs::temp_directory_path() / ("vaporwick_art_" + name + "_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class Pictures : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        dataDir_ = new fs::path(VAPORWICK_BUILT_DATA_DIR);
        images_ = new std::map<std::string, Image>;
        for (const PictureEntry& entry : pictureTable()) {
            std::string readError;
            auto img = readPng(*dataDir_ / picturePath(entry.key), readError);
            ASSERT_TRUE(img) << readError;
            (*images_)[entry.key] = std::move(*img);
        }
    }
    static void TearDownTestSuite()
    {
        delete dataDir_;
        delete images_;
    }

    static const Image& image(const std::string& key) { return images_->at(key); }
    static const fs::path& dataDir() { return *dataDir_; }

    // Alpha at a point of cell (col, row) given in fractions of the cell (0..1, y down).
    static int alphaIn(const std::string& key, int col, int row, float fx, float fy)
    {
        const Image& img = image(key);
        const PictureEntry* entry = findPicture(key);
        const int cw = img.width / entry->columns, ch = img.height / entry->rows;
        const int x = std::clamp(static_cast<int>(col * cw + fx * cw), col * cw, col * cw + cw - 1);
        const int y = std::clamp(static_cast<int>(row * ch + fy * ch), row * ch, row * ch + ch - 1);
        return img.alphaAt(x, y);
    }
    static bool cellEmpty(const std::string& key, int col, int row)
    {
        const Image& img = image(key);
        const PictureEntry* entry = findPicture(key);
        const int cw = img.width / entry->columns, ch = img.height / entry->rows;
        for (int y = row * ch; y < (row + 1) * ch; ++y)
            for (int x = col * cw; x < (col + 1) * cw; ++x)
                if (img.alphaAt(x, y) != 0)
                    return false;
        return true;
    }
    static void expectCornersClear(const std::string& key, int col, int row)
    {
        for (float fx : {0.0f, 0.999f})
            for (float fy : {0.0f, 0.999f})
                EXPECT_EQ(alphaIn(key, col, row, fx, fy), 0) << key << " cell " << col << "," << row << " corner " << fx << "," << fy;
    }

private:
    static fs::path* dataDir_;
    static std::map<std::string, Image>* images_;
};

fs::path* Pictures::dataDir_ = nullptr;
std::map<std::string, Image>* Pictures::images_ = nullptr;

TEST_F(Pictures, ListNamesEveryPictureAndEveryListedFileLoads)
{
    std::ifstream list(dataDir() / kTextureListPath, std::ios::binary);
    ASSERT_TRUE(list);
    const auto records = test::readLikeTheGame(list);
    ASSERT_TRUE(records);
    ASSERT_EQ(records->size(), pictureTable().size());
    for (std::size_t i = 0; i < records->size(); ++i) {
        EXPECT_EQ((*records)[i].second, pictureTable()[i].key);
        EXPECT_TRUE(fs::exists(dataDir() / (*records)[i].first)) << (*records)[i].first;
    }
    const std::string text = readFile(dataDir() / kTextureListPath);
    EXPECT_EQ(text.substr(text.size() - 2), "|&");

    std::string error;
    const auto icon = readPng(dataDir() / kWindowIconPath, error);
    ASSERT_TRUE(icon) << error;
    EXPECT_EQ(icon->width, 256);
    EXPECT_EQ(icon->height, 256);
    for (const auto& rec : *records)
        EXPECT_NE(rec.first, kWindowIconPath) << "the window icon is not a texture";
}

TEST_F(Pictures, SheetsDivideIntoCellsShapedAndSizedLikeTheirSprites)
{
    // Drawn size of one cell in world units (= screen pixels): cells must have at
    // least that many pixels, and the same shape.
    const std::map<std::string, std::pair<float, float>> drawn = {
        {"ANIMATION", {32, 100}}, {"ARM", {90, 80}},          {"BUTTONART", {60, 20}}, {"TRAPDOOR", {100, 100}},
        {"WATERWHEEL", {100, 100}}, {"WATERICON", {60, 60}},   {"STEAMICON", {60, 60}}, {"ICEICON", {60, 60}},
        {"TEXT", {60, 60}},        {"STEAM", {27, 27}},        {"WATERSPRAY", {27, 27}}, {"ICESPRAY", {27, 27}},
        {"VAPORWICKMENU", {283, 1205}}, {"BACKGROUND", {1600, 1280}}, {"VENT", {60, 20}},
        {"LINKMARK", {22, 22}},    {"PANEL", {640, 400}}};
    for (const PictureEntry& entry : pictureTable()) {
        const Image& img = image(entry.key);
        ASSERT_GT(img.width, 0) << entry.key;
        EXPECT_EQ(img.width % entry.columns, 0) << entry.key;
        EXPECT_EQ(img.height % entry.rows, 0) << entry.key;
        const float cw = static_cast<float>(img.width / entry.columns), ch = static_cast<float>(img.height / entry.rows);
        if (const auto it = drawn.find(entry.key); it != drawn.end()) {
            EXPECT_GE(cw, it->second.first) << entry.key;
            EXPECT_GE(ch, it->second.second) << entry.key;
            EXPECT_NEAR(cw / ch, it->second.first / it->second.second, 0.01f) << entry.key;
        }
    }
    EXPECT_EQ(image("BACKGROUND").width * 4, image("BACKGROUND").height * 5);
}

TEST_F(Pictures, ParticlesAreRoundAndBlackWhereClearForAdditiveDrawing)
{
    for (const char* key : {"STEAM", "WATERSPRAY", "ICESPRAY"}) {
        const Image& img = image(key);
        for (int y = 0; y < img.height; ++y)
            for (int x = 0; x < img.width; ++x) {
                const std::uint8_t* p = img.at(x, y);
                const float r = std::hypot(x + 0.5f - img.width * 0.5f, y + 0.5f - img.height * 0.5f) / (img.width * 0.5f);
                if (r >= 1.0f) {  // outside the inscribed circle: nothing, so nothing adds up
                    ASSERT_EQ(p[3], 0) << key << " at " << x << "," << y;
                    ASSERT_EQ(p[0] + p[1] + p[2], 0) << key << " at " << x << "," << y;
                }
                // Colour never exceeds alpha: stored multiplied by it.
                ASSERT_LE(std::max({p[0], p[1], p[2]}), p[3] + 1) << key << " at " << x << "," << y;
            }
        EXPECT_GT(alphaIn(key, 0, 0, 0.5f, 0.5f), 100) << key;
    }
    // Water is blue, ice pale cyan, steam near grey.
    const std::uint8_t* water = image("WATERSPRAY").at(40, 40);
    EXPECT_GT(water[2], water[0] + 60);
    const std::uint8_t* steam = image("STEAM").at(32, 32);
    EXPECT_LT(std::abs(steam[0] - steam[2]), 40);
}

TEST_F(Pictures, TrapDoorLidLiesAlongTheTopAndHangsOnTheLeft)
{
    const std::string key = "TRAPDOOR";
    // Closed: a slab along the top fifth; clear below it.
    EXPECT_EQ(alphaIn(key, 0, 0, 0.5f, 0.1f), 255);
    EXPECT_EQ(alphaIn(key, 0, 0, 0.5f, 0.3f), 0);
    EXPECT_EQ(alphaIn(key, 0, 0, 0.6f, 0.7f), 0);
    // Open: hanging down the left side; clear to the right.
    EXPECT_EQ(alphaIn(key, 0, 2, 0.1f, 0.6f), 255);
    EXPECT_EQ(alphaIn(key, 0, 2, 0.5f, 0.1f), 0);
    EXPECT_EQ(alphaIn(key, 0, 2, 0.6f, 0.6f), 0);
    // The swing starts closed and ends open.
    EXPECT_EQ(alphaIn(key, 0, 1, 0.5f, 0.1f), 255);
    EXPECT_EQ(alphaIn(key, 12, 1, 0.1f, 0.6f), 255);
    EXPECT_EQ(alphaIn(key, 12, 1, 0.5f, 0.1f), 0);
    for (int col = 0; col < 13; ++col)
        EXPECT_EQ(alphaIn(key, col, 1, 0.95f, 0.95f), 0) << "frame " << col;
    // Rows 0 and 2 hold one frame; their other cells stay empty.
    for (int col = 1; col < 13; ++col) {
        EXPECT_TRUE(cellEmpty(key, col, 0)) << col;
        EXPECT_TRUE(cellEmpty(key, col, 2)) << col;
    }
}

TEST_F(Pictures, WaterWheelIsRoundAndTurnsClockwise)
{
    const std::string key = "WATERWHEEL";
    for (int col = 0; col < 23; ++col) {
        expectCornersClear(key, col, 1);
        EXPECT_EQ(alphaIn(key, col, 1, 0.5f, 0.5f), 255) << "hub, frame " << col;
    }
    expectCornersClear(key, 0, 0);
    for (int col = 1; col < 23; ++col)
        EXPECT_TRUE(cellEmpty(key, col, 0)) << col;
    // A full turn returns to the resting picture, and frame k is the resting picture
    // turned k/23 of a turn clockwise.
    const Image& img = image(key);
    const int cell = img.width / 23;
    auto at = [&](int col, int row, float x, float y) {
        return img.alphaAt(col * cell + static_cast<int>(x), row * cell + static_cast<int>(y));
    };
    int mismatches = 0, samples = 0;
    for (int k : {3, 9}) {
        const float a = 2.0f * 3.14159265f * k / 23.0f;
        for (int y = 0; y < cell; y += 4)
            for (int x = 0; x < cell; x += 4) {
                // Where does the rest picture's point (x, y) go after turning clockwise by a?
                const float dx = x + 0.5f - cell * 0.5f, dy = y + 0.5f - cell * 0.5f;
                const float rx = dx * std::cos(a) - dy * std::sin(a) + cell * 0.5f;
                const float ry = dx * std::sin(a) + dy * std::cos(a) + cell * 0.5f;
                if (rx < 1 || ry < 1 || rx >= cell - 1 || ry >= cell - 1)
                    continue;
                ++samples;
                mismatches += (at(0, 0, x, y) > 128) != (at(k, 1, rx, ry) > 128);
            }
    }
    EXPECT_LT(mismatches, samples / 20) << "frames are not the resting wheel turned clockwise";
}

TEST_F(Pictures, CharacterStandsOnTheCellFloorAndFillsItsHeight)
{
    const std::string key = "ANIMATION";
    const Image& img = image(key);
    const int cw = img.width / 18, ch = img.height / 2;
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 18; ++col) {
            expectCornersClear(key, col, row);
            int top = ch, bottom = -1;
            for (int y = 0; y < ch; ++y)
                for (int x = 0; x < cw; ++x)
                    if (img.alphaAt(col * cw + x, row * ch + y) > 128) {
                        top = std::min(top, y);
                        bottom = std::max(bottom, y);
                    }
            EXPECT_LT(top, ch * 0.15f) << "figure top, cell " << col << "," << row;
            if (row == 0)
                EXPECT_GE(bottom, ch * 0.985f) << "walking feet reach the floor, frame " << col;
            else
                EXPECT_GE(bottom, ch * 0.9f) << "dangling feet, frame " << col;
        }
    // The walk really moves: neighbouring frames differ.
    EXPECT_NE(alphaIn(key, 0, 0, 0.1f, 0.95f) + alphaIn(key, 0, 0, 0.9f, 0.95f),
              alphaIn(key, 9, 0, 0.1f, 0.95f) + alphaIn(key, 9, 0, 0.9f, 0.95f) + 1);
}

TEST(ArmRows, TableMatchesTheAimSectorsTheGameChooses)
{
    const float expected[20] = {-100, -70, -50, -30, -10, 10, 30, 50, 70, 90, 110, 130, 150, 170, 180, -130, -150, -170, -90, -90};
    for (int r = 0; r < 20; ++r)
        EXPECT_FLOAT_EQ(armRowAngleDegrees(r), expected[r]) << "row " << r;
    // The game picks row trunc(angle / 20 + 5) for aims above -120 degrees; every such
    // aim must be drawn within 20 degrees of where it points.
    for (float aim = -119.0f; aim <= 180.0f; aim += 0.5f) {
        const int row = static_cast<int>(aim / 20.0f + 5.0f);
        ASSERT_GE(row, 0);
        ASSERT_LE(row, 14);
        EXPECT_LE(std::abs(armRowAngleDegrees(row) - aim), 20.0f) << "aim " << aim;
    }
}

TEST_F(Pictures, ArmPointsFromTheCentreWhereItsRowSays)
{
    const std::string key = "ARM";
    const Image& img = image(key);
    const int cw = img.width, ch = img.height / 20;
    const float unit = cw / 90.0f;
    for (int r = 0; r < 20; ++r) {
        expectCornersClear(key, 0, r);
        const float a = armRowAngleDegrees(r) * 3.14159265f / 180.0f;
        auto alphaAlong = [&](float units) {
            const int x = static_cast<int>(cw * 0.5f + std::cos(a) * units * unit);
            const int y = static_cast<int>(r * ch + ch * 0.5f - std::sin(a) * units * unit);
            return img.alphaAt(x, y);
        };
        EXPECT_EQ(alphaAlong(0.0f), 255) << "shoulder, row " << r;
        EXPECT_EQ(alphaAlong(25.0f), 255) << "nozzle, row " << r;
        EXPECT_EQ(alphaAlong(-20.0f), 0) << "behind the shoulder, row " << r;
        EXPECT_EQ(alphaAlong(39.0f), 0) << "the arm fits the cell, row " << r;
    }
}

TEST_F(Pictures, AFreshRunWritesTheSameBytes)
{
    const fs::path second = freshTempDir("again");
    ASSERT_EQ(writeAllPictures(second, {VAPORWICK_GLYPH_FONT}), "");
    std::vector<fs::path> files{kTextureListPath, kWindowIconPath};
    for (const PictureEntry& entry : pictureTable())
        files.emplace_back(picturePath(entry.key));
    for (const fs::path& f : files) {
        const std::string a = readFile(dataDir() / f), b = readFile(second / f);
        EXPECT_FALSE(a.empty()) << f;
        EXPECT_TRUE(a == b) << f << " differs between two runs";
    }
    fs::remove_all(second);
}

TEST(WriteAllPictures, UnwritableFolderIsReportedNotIgnored)
{
    const fs::path blocker = fs::temp_directory_path() / ("vaporwick_art_blocker_" + std::to_string(::getpid()));
    std::ofstream(blocker) << "a file where the data folder should be";
    const std::string error = writeAllPictures(blocker, {VAPORWICK_GLYPH_FONT}, "STONE");
    EXPECT_NE(error, "");
    EXPECT_NE(error.find(blocker.string()), std::string::npos) << error;
    fs::remove(blocker);
}

}  // namespace
}  // namespace vw::art
