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

std::uint32_t bigEndian(std::string_view bytes, std::size_t at) {
  std::uint32_t v = 0;
  for (std::size_t i = 0; i < 4; ++i) v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
  return v;
}

// Walks the chunks up to IEND. stb trusts each chunk's length and allocates
// for it before reading, so a length past the end of the file is refused here.
// Counts the image-data chunks that hold no bytes in `emptyData`.
bool chunksFit(std::string_view bytes, int& emptyData, std::string& why) {
  std::size_t at = sizeof kSignature;
  emptyData = 0;
  while (bytes.size() - at >= 12) {
    const std::uint64_t length = bigEndian(bytes, at);
    if (length > bytes.size() - at - 12) {
      why = "the picture is damaged or cut short (a chunk runs past the end of the file)";
      return false;
    }
    const std::string_view type = bytes.substr(at + 4, 4);
    if (type == "IDAT" && length == 0) ++emptyData;
    at += 12 + static_cast<std::size_t>(length);
    if (type == "IEND") return true;
  }
  why = "the picture is cut short (it has no end chunk)";
  return false;
}

// The same file without its empty image-data chunks. They are legal and carry
// nothing, but stb copies from one into a buffer it has not made yet.
std::string withoutEmptyData(std::string_view bytes) {
  std::string kept(bytes.substr(0, sizeof kSignature));
  std::size_t at = sizeof kSignature;
  while (bytes.size() - at >= 12) {
    const std::size_t length = bigEndian(bytes, at);
    const std::string_view type = bytes.substr(at + 4, 4);
    if (type != "IDAT" || length != 0) kept.append(bytes.substr(at, 12 + length));
    at += 12 + length;
    if (type == "IEND") break;
  }
  return kept;
}

}  // namespace

void PixelsFree::operator()(std::uint8_t* pixels) const { stbi_image_free(pixels); }

std::optional<PictureSize> readPngSize(std::string_view bytes, std::string& why) {
  // The signature, then the IHDR chunk: length, "IHDR", width, height (big-endian).
  if (!hasSignature(bytes)) {
    why = "not a PNG file";
    return std::nullopt;
  }
  if (bytes.size() < 24 || bytes.substr(12, 4) != "IHDR") {
    why = "the PNG header is damaged or cut short";
    return std::nullopt;
  }
  const std::uint32_t width = bigEndian(bytes, 16);
  const std::uint32_t height = bigEndian(bytes, 20);
  // Sides above 2^31 are not PNG; they read as the largest int, which every bound refuses.
  PictureSize size;
  size.width = static_cast<int>(std::min<std::uint32_t>(width, INT_MAX));
  size.height = static_cast<int>(std::min<std::uint32_t>(height, INT_MAX));
  return size;
}

std::optional<RgbaPicture> decodePng(std::string_view bytes, std::uint64_t maxPixels, std::string& why) {
  std::optional<PictureSize> header = readPngSize(bytes, why);
  int emptyData = 0;
  if (!header || !checkSize(*header, maxPixels, why) || !chunksFit(bytes, emptyData, why)) return std::nullopt;
  std::string kept;
  if (emptyData > 0) {
    kept = withoutEmptyData(bytes);
    bytes = kept;
  }
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
