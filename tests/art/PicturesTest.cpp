// The picture generator: a fresh run writes the very bytes the build wrote
// (so pictures never change unnoticed), the window icon among them, and a
// folder or font it cannot use is reported with its path. That the
// game reads every one of them is GameDecodesPicturesTest's part.

#include "PictureTable.h"
#include "Pictures.h"
#include "Png.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <unistd.h>

namespace vw::art {
namespace {

namespace fs = std::filesystem;

const fs::path kBuilt = VAPORWICK_BUILT_DATA_DIR;

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

fs::path scratch(const std::string& name)
{
    const fs::path path = fs::temp_directory_path() / ("vaporwick_art_" + name + "_" + std::to_string(::getpid()));
    fs::remove_all(path);
    return path;
}

TEST(Pictures, AFreshRunWritesTheSameBytes)
{
    const fs::path second = scratch("again");
    fs::create_directories(second);
    ASSERT_EQ(writeAllPictures(second, {VAPORWICK_GLYPH_FONT}), "");
    std::vector<fs::path> files{kTextureListPath, kWindowIconPath};
    for (const PictureEntry& entry : pictureTable())
        files.emplace_back(picturePath(entry.key));
    for (const fs::path& f : files) {
        const std::string a = readFile(kBuilt / f);
        EXPECT_FALSE(a.empty()) << f;
        EXPECT_TRUE(a == readFile(second / f)) << f << " differs between two runs";
    }
    std::string error;
    EXPECT_TRUE(readPng(kBuilt / kWindowIconPath, error)) << error;
    fs::remove_all(second);
}

TEST(Pictures, AnUnusableFolderOrFontIsReportedWithItsPath)
{
    const fs::path blocker = scratch("blocker");
    std::ofstream(blocker) << "a file where the data folder should be";
    const std::string error = writeAllPictures(blocker, {VAPORWICK_GLYPH_FONT}, "STONE");
    EXPECT_NE(error.find(blocker.string()), std::string::npos) << error;
    fs::remove(blocker);

    try {
        drawGlyphSheet("/nonexistent/font.ttf");
        FAIL() << "a missing font must be reported";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("/nonexistent/font.ttf"), std::string::npos);
    }
    EXPECT_THROW(drawGlyphSheet(__FILE__), std::runtime_error) << "a text file is not a font";
}

}  // namespace
}  // namespace vw::art
