#include "render/PngImage.h"

#include <algorithm>
#include <climits>
#include <cstring>

// Debian's stb_image, compiled here for PNG alone: no other decoder, no file
// access of its own (the game reads files itself) and a bound on the sides.
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_MAX_DIMENSIONS 8192
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#endif
#include <stb_image.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace vw {

static_assert(STBI_MAX_DIMENSIONS == kMaxPictureSide);

namespace {

constexpr unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};

bool hasSignature(std::string_view bytes) {
  return bytes.size() >= sizeof kSignature && std::memcmp(bytes.data(), kSignature, sizeof kSignature) == 0;
}

// stb's reason, which a file cut short can leave empty.
std::string failureReason() {
  const char* reason = stbi_failure_reason();
  if (!reason || !*reason) return "the picture is damaged or cut short";
  return std::string("the picture cannot be decoded: ") + reason;
}

bool checkSize(PictureSize size, std::uint64_t maxPixels, std::string& why) {
  if (size.width <= 0 || size.height <= 0) {
    why = "the picture has no pixels";
    return false;
  }
  if (size.width > kMaxPictureSide || size.height > kMaxPictureSide || size.pixels() > maxPixels) {
    why = "the picture is " + std::to_string(size.width) + " x " + std::to_string(size.height) +
          " pixels, more than the " + std::to_string(maxPixels) + " pixels (at most " +
          std::to_string(kMaxPictureSide) + " a side) allowed";
    return false;
  }
  return true;
}

}  // namespace

void PixelsFree::operator()(std::uint8_t* pixels) const { stbi_image_free(pixels); }

std::optional<PictureSize> readPngSize(std::string_view bytes, std::string& why) {
  if (!hasSignature(bytes)) {
    why = "not a PNG file";
    return std::nullopt;
  }
  PictureSize size;
  int channels = 0;
  const int length = static_cast<int>(std::min<std::size_t>(bytes.size(), INT_MAX));
  if (!stbi_info_from_memory(reinterpret_cast<const stbi_uc*>(bytes.data()), length, &size.width, &size.height,
                             &channels)) {
    why = failureReason();
    return std::nullopt;
  }
  return size;
}

std::optional<RgbaPicture> decodePng(std::string_view bytes, std::uint64_t maxPixels, std::string& why) {
  std::optional<PictureSize> header = readPngSize(bytes, why);
  if (!header || !checkSize(*header, maxPixels, why)) return std::nullopt;
  if (bytes.size() > INT_MAX) {
    why = "the file is too large";
    return std::nullopt;
  }
  RgbaPicture picture;
  int channels = 0;
  picture.pixels.reset(stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(bytes.data()),
                                             static_cast<int>(bytes.size()), &picture.size.width,
                                             &picture.size.height, &channels, 4));
  if (!picture.pixels) {
    why = failureReason();
    return std::nullopt;
  }
  return picture;
}

}  // namespace vw
