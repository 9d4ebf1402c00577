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
