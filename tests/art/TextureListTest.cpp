#include "GameListReader.h"
#include "PictureTable.h"
#include "Pictures.h"

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>

namespace vw::art {
namespace {

TEST(TextureList, GameReaderGetsEveryKeyAndPathWithoutLineBreaks)
{
    const std::string text = formatTextureList(pictureTable());
    ASSERT_GE(text.size(), 2u);
    EXPECT_EQ(text.substr(text.size() - 2), "|&");
    std::istringstream in(text);
    const auto records = test::readLikeTheGame(in);
    ASSERT_TRUE(records);
    ASSERT_EQ(records->size(), pictureTable().size());
    for (std::size_t i = 0; i < records->size(); ++i) {
        EXPECT_EQ((*records)[i].second, pictureTable()[i].key);
        EXPECT_EQ((*records)[i].first, picturePath(pictureTable()[i].key));
        EXPECT_LE((*records)[i].first.size(), 49u) << "the game reads at most 49 characters of a field";
    }
    EXPECT_EQ(records->front().first, "Pictures/background.png");
}

TEST(GlyphSheet, MissingOrBadFontIsReportedWithItsPath)
{
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
