#pragma once
// PNG pictures, and nothing else: the size from a file's header, and the
// pixels as RGBA8 under a pixel bound. Any other format, a picture that
// claims more pixels than allowed, or a damaged file is refused with the reason.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace vw {

// The widest or tallest picture the decoder takes at all.
constexpr int kMaxPictureSide = 8192;
// The most pixels one picture may have (a 4096 x 4096 sheet).
constexpr std::uint64_t kMaxPicturePixels = std::uint64_t{4096} * 4096;
// Enough bytes of a file's start to hold a PNG's size.
constexpr std::uintmax_t kPngHeaderBytes = 64;

struct PictureSize {
  int width = 0;
  int height = 0;
  std::uint64_t pixels() const { return static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height); }
};

struct PixelsFree {
  void operator()(std::uint8_t* pixels) const;
};
using PixelBuffer = std::unique_ptr<std::uint8_t, PixelsFree>;

struct RgbaPicture {
  PictureSize size;
  PixelBuffer pixels;  // size.pixels() x 4 bytes, top row first
};

// The size a PNG's header gives (the start of the file suffices); nullopt
// with the reason when the bytes are no PNG.
std::optional<PictureSize> readPngSize(std::string_view bytes, std::string& why);

// Decodes a whole PNG file to RGBA8; refuses one with more than maxPixels.
std::optional<RgbaPicture> decodePng(std::string_view bytes, std::uint64_t maxPixels, std::string& why);

}  // namespace vw
