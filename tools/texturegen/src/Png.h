#pragma once
// PNG encoding and decoding (stb_image_write / stb_image).

#include "Canvas.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vw::art {

std::vector<std::uint8_t> encodePng(const Image& image);
// Writes the file; false with error set when it cannot be written.
bool writePng(const std::filesystem::path& path, const Image& image, std::string& error);
// Reads a PNG as RGBA; nullopt with error set when it cannot be read.
std::optional<Image> readPng(const std::filesystem::path& path, std::string& error);

}  // namespace vw::art
