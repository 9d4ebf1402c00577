// Pictures a careless or hostile data pack could hold: other formats under
// a .png name, headers claiming huge sizes, files cut short, one file under
// many keys, one key listed twice, pictures too large for the device. Each
// key gets the placeholder with a warning naming the file and the key;
// nothing is decoded beyond its pixel bound.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "render/PngImage.h"
#include "render/TextureRegistry.h"
#include "support/TempDataDir.h"

namespace vw {
namespace {

std::string dotPng() {
  std::ifstream in(std::filesystem::path(VAPORWICK_TEST_DATA) / "game/Pictures/dot.png", std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// The 2 x 2 picture with the size its header claims changed.
std::string claiming(std::uint32_t width, std::uint32_t height) {
  std::string png = dotPng();
  for (int i = 0; i < 4; ++i) {
    png[16 + i] = static_cast<char>(width >> (24 - 8 * i));
    png[20 + i] = static_cast<char>(height >> (24 - 8 * i));
  }
  return png;
}

// The 2 x 2 picture whose end chunk claims 4 bytes the file does not hold.
std::string endChunkCutShort() {
  std::string png = dotPng();
  png[png.size() - 9] = 4;
  return png;
}

// The 2 x 2 picture with an empty pixel chunk before its pixels (legal PNG).
std::string emptyChunkFirst() {
  std::string png = dotPng();
  png.insert(33, std::string("\0\0\0\0IDAT\x35\xaf\x06\x1e", 12));
  return png;
}

// Decodes pixels like the desktop does; a device whose textures are at
// most maxSide pixels a side.
class DecodingContext : public NullRenderContext {
 public:
  explicit DecodingContext(int side = 64) : maxSide(side) {}
  bool wantsPixels() const override { return true; }
  TextureId createTexture(int width, int height, const std::uint8_t* rgba) override {
    if (width > maxSide || height > maxSide) return 0;
    ++uploads;
    return NullRenderContext::createTexture(width, height, rgba);
  }
  int maxSide;
  int uploads = 0;
};

TEST(HostilePicture, OnlyPngWithinItsBoundIsDecoded) {
  const std::string png = dotPng();
  struct Case {
    const char* what;
    std::string bytes;
    std::uint64_t bound;
    std::string why;  // empty: decoded
  };
  const Case cases[] = {
      {"the 2 x 2 picture", png, 4, ""},
      {"more pixels than allowed", png, 3, "the picture is 2 x 2 pixels, more than the 3 pixels"},
      {"16-bit PNM under a .png name", "P5\n2 2\n65535\n" + std::string(8, '\xff'), 100, "not a PNG file"},
      {"a header claiming 16000 x 16000", claiming(16000, 16000), kMaxPicturePixels, "16000 x 16000 pixels"},
      {"cut short", png.substr(0, 40), 100, "the picture is cut short"},
      {"no pixels", claiming(0, 2), 100, "the picture has no pixels"},
      {"an end chunk cut short", endChunkCutShort(), 100, "a chunk runs past the end of the file"},
      {"an empty pixel chunk first", emptyChunkFirst(), 4, ""},
  };
  for (const Case& c : cases) {
    std::string why;
    std::optional<RgbaPicture> picture = decodePng(c.bytes, c.bound, why);
    EXPECT_EQ(picture.has_value(), c.why.empty()) << c.what;
    EXPECT_NE(why.find(c.why), std::string::npos) << c.what << ": " << why;
    if (picture) {
      EXPECT_EQ(picture->size.pixels(), 4u) << c.what;
    }
  }
}

TEST(HostilePicture, EveryRefusedKeyGetsThePlaceholderWithItsFileNamed) {
  test::TempDataDir dir;
  dir.write("Pictures/dot.png", dotPng());
  dir.write("Pictures/huge.png", claiming(16000, 16000));
  dir.write("Pictures/wide.png", claiming(4000, 1));  // its pixels are not there
  std::filesystem::create_directories(dir.path() / "Pictures/folder.png");
  dir.write("Settings/textureData.txt",
            "Pictures/dot.png|A\n|Pictures/wide.png|C\n"
            "|Pictures/folder.png|E\n|../dot.png|F\n||G\n|Pictures/dot.png|\n|Pictures/./dot.png|H\n"
            "|Pictures/huge.png|A\n|&");  // a key listed again keeps its first picture
  DecodingContext context;
  TextureRegistry textures(context, dir.path());
  Diagnostics diagnostics;
  textures.loadTextureList("Settings/textureData.txt", diagnostics);
  textures.finishLoading(diagnostics);
  textures.reportMissing({"A", "ARM", "ARM"}, "Settings/textureData.txt", diagnostics);
  std::string all;
  for (const Diagnostic& d : diagnostics.all()) all += d.format() + "\n";
  const std::pair<const char*, const char*> refused[] = {
      {"C", "Pictures/wide.png: warning: cannot load picture for \"C\" (the picture cannot be decoded"},
      {"E", "Pictures/folder.png: warning: cannot load picture for \"E\" (it is not a regular file)"},
      {"F", "../dot.png: warning: cannot load picture for \"F\" (the path leaves the data directory)"},
      {"G", "(no file): warning: cannot load picture for \"G\" (the record names no file)"},
  };
  for (const auto& [key, message] : refused) {
    EXPECT_EQ(textures.get(key), textures.placeholder()) << key;
    EXPECT_NE(all.find(message), std::string::npos) << message << "\nin:\n" << all;
  }
  // The record without a key is reported and skipped; the one after it is read.
  EXPECT_NE(all.find("textureData.txt:6: error: record 6 has no key; it is skipped"), std::string::npos) << all;
  // One file under two keys is decoded and uploaded once.
  EXPECT_NE(textures.get("A"), textures.placeholder());
  EXPECT_EQ(textures.get("H"), textures.get("A"));
  EXPECT_EQ(context.uploads, 2);  // the placeholder and dot.png
  // A key the game draws without a record is reported once.
  const std::string missing = "textureData.txt: warning: no record for the key \"ARM\"; it is drawn as a placeholder";
  EXPECT_NE(all.find(missing), std::string::npos) << all;
  EXPECT_EQ(all.find(missing), all.rfind(missing)) << all;
}

TEST(HostilePicture, APictureTooLargeForTheDeviceGetsThePlaceholder) {
  test::TempDataDir dir;
  dir.write("Pictures/dot.png", dotPng());
  dir.write("Settings/textureData.txt", "Pictures/dot.png|A\n|&");
  DecodingContext context;
  TextureRegistry textures(context, dir.path());
  Diagnostics diagnostics;
  context.maxSide = 1;  // after the placeholder is made
  textures.loadTextureList("Settings/textureData.txt", diagnostics);
  EXPECT_EQ(textures.get("A"), textures.placeholder());
  ASSERT_EQ(diagnostics.all().size(), 1u);
  EXPECT_NE(
      diagnostics.all()[0].format().find("Pictures/dot.png: warning: cannot load picture for \"A\" (it does not fit"),
      std::string::npos);
}

TEST(HostilePicture, AllPicturesTogetherStayWithinTheirBudget) {
  test::TempDataDir dir;
  // Each header alone is allowed; together they claim more than the budget.
  const std::uint32_t side = 4096;
  std::string list;
  const int pictures = static_cast<int>(kMaxTotalPicturePixels / (std::uint64_t{side} * side)) + 1;
  for (int i = 0; i < pictures; ++i) {
    const std::string name = "Pictures/p" + std::to_string(i) + ".png";
    dir.write(name, claiming(side, side));
    list += name + "|K" + std::to_string(i) + "\n|";
  }
  dir.write("Settings/textureData.txt", list + "&");
  NullRenderContext context;  // headers only, as a headless run reads them
  TextureRegistry textures(context, dir.path());
  Diagnostics diagnostics;
  textures.loadTextureList("Settings/textureData.txt", diagnostics);
  ASSERT_EQ(diagnostics.all().size(), 1u);
  EXPECT_NE(diagnostics.all()[0].message.find("all pictures together"), std::string::npos);
  EXPECT_EQ(textures.get("K" + std::to_string(pictures - 1)), textures.placeholder());
  EXPECT_NE(textures.get("K0"), textures.placeholder());
}

}  // namespace
}  // namespace vw
