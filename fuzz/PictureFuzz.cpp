// Feeds arbitrary bytes to the picture decoder the game uses, under a small
// pixel bound: it must refuse or decode, never read or allocate past the
// bound, and a decoded picture has exactly the size its header claims.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "render/PngImage.h"

namespace {

constexpr std::uint64_t kFuzzPixels = 256 * 256;

[[noreturn]] void fail(const char* what) {
  std::fprintf(stderr, "unsound picture: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::string why;
  std::optional<vw::PictureSize> header = vw::readPngSize(bytes, why);
  std::optional<vw::RgbaPicture> picture = vw::decodePng(bytes, kFuzzPixels, why);
  if (!picture) {
    if (why.empty()) fail("refused without a reason");
    return 0;
  }
  if (!header) fail("decoded a picture whose header cannot be read");
  if (picture->size.pixels() > kFuzzPixels) fail("decoded past the pixel bound");
  if (picture->size.width != header->width || picture->size.height != header->height) fail("size differs from the header");
  // Every pixel is there to be read.
  unsigned sum = 0;
  for (std::uint64_t i = 0; i < picture->size.pixels() * 4; ++i) sum += picture->pixels.get()[i];
  if (sum == 0xffffffffu) std::fprintf(stderr, " ");
  return 0;
}
