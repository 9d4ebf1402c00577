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

TEST(TextureList, ParserAcceptsWhatTheGameAcceptsAndNamesTheBadRecord)
{
    std::string error;
    auto ok = parseTextureList("a.png|KEYX\n|b.png|K2\n|&", error);
    ASSERT_TRUE(ok);
    ASSERT_EQ(ok->size(), 2u);
    EXPECT_EQ((*ok)[0].key, "KEYX");
    EXPECT_EQ((*ok)[1].path, "b.png");

    auto crlf = parseTextureList("a.png|KEYX\r\n|b.png|K2\r\n|&", error);
    ASSERT_TRUE(crlf);
    EXPECT_EQ((*crlf)[0].key, "KEYX");

    auto empty = parseTextureList("&", error);
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->empty());

    EXPECT_FALSE(parseTextureList("a.png|KEYX\n|b.png|K2\n|", error));
    EXPECT_NE(error.find("record 3"), std::string::npos) << error;
    EXPECT_FALSE(parseTextureList("a.png|KEYX", error));
    EXPECT_FALSE(parseTextureList("", error));
    EXPECT_FALSE(parseTextureList(std::string(60, 'p') + "|KEY\n|&", error));
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
