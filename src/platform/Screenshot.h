#pragma once
// Writes a picture of the back buffer as PNG.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "gl/Letterbox.h"

namespace vw {

// rgba: size.width x size.height pixels, top row first; written opaque (RGB).
// False and a message naming the file when it cannot be written.
bool writeScreenshot(const std::filesystem::path& file, const std::vector<std::uint8_t>& rgba, PixelSize size,
                     std::string& error);

}  // namespace vw
