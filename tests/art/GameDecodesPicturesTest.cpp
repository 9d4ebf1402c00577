// Every picture the build writes is decoded by the game's own reader, as the
// windowed game does it (headless runs read only the headers): all of them
// within the pixel bounds, none refused, every key drawn with its picture.
#include <gtest/gtest.h>

#include "render/TextureRegistry.h"

namespace vw {
namespace {

class DecodingContext : public NullRenderContext {
 public:
  bool wantsPixels() const override { return true; }
  TextureId createTexture(int width, int height, const std::uint8_t* rgba) override {
    EXPECT_NE(rgba, nullptr);
    pixels += static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height);
    return NullRenderContext::createTexture(width, height, rgba);
  }
  std::uint64_t pixels = 0;
};

TEST(GameDecodesPictures, EveryBuiltPictureDecodesWithinTheBounds) {
  DecodingContext context;
  TextureRegistry textures(context, VAPORWICK_BUILT_DATA_DIR);
  Diagnostics diagnostics;
  textures.loadTextureList("Settings/textureData.txt", diagnostics);
  textures.finishLoading(diagnostics);
  for (const Diagnostic& d : diagnostics.all()) ADD_FAILURE() << d.format();
  EXPECT_GE(textures.size(), 20u);
  for (const char* key : {"BACKGROUND", "ANIMATION", "WATERWHEEL", "TEXT", "VAPORWICKMENU"}) {
    EXPECT_NE(textures.get(key), textures.placeholder()) << key;
  }
  EXPECT_LE(context.pixels, kMaxTotalPicturePixels + 64 * 64);  // the placeholder besides
}

}  // namespace
}  // namespace vw
