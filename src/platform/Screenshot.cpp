#include "platform/Screenshot.h"

#include <stb_image_write.h>

#include "app/AtomicFile.h"

namespace vw {

bool writeScreenshot(const std::filesystem::path& file, const std::vector<std::uint8_t>& rgba, PixelSize size,
                     std::string& error) {
  const std::size_t pixels = static_cast<std::size_t>(size.width) * static_cast<std::size_t>(size.height);
  if (size.width <= 0 || size.height <= 0 || rgba.size() != pixels * 4) {
    error = file.string() + ": no picture to write";
    return false;
  }
  std::vector<std::uint8_t> rgb(pixels * 3);
  for (std::size_t i = 0; i < pixels; ++i) {
    for (std::size_t c = 0; c < 3; ++c) rgb[i * 3 + c] = rgba[i * 4 + c];
  }
  std::string png;
  auto append = [](void* to, void* data, int bytes) {
    static_cast<std::string*>(to)->append(static_cast<const char*>(data), static_cast<std::size_t>(bytes));
  };
  std::string reason = "the picture cannot be encoded";
  if (!stbi_write_png_to_func(append, &png, size.width, size.height, 3, rgb.data(), size.width * 3) ||
      !writeAtomically(file, png, reason)) {
    error = file.string() + ": cannot write the screenshot (" + reason + ")";
    return false;
  }
  return true;
}

}  // namespace vw
