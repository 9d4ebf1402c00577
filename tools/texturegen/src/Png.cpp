#include "Png.h"

#include <stb_image.h>
#include <stb_image_write.h>

#include <fstream>
#include <mutex>

namespace vw::art {

namespace {

void appendBytes(void* context, void* data, int size)
{
    auto* out = static_cast<std::vector<std::uint8_t>*>(context);
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    out->insert(out->end(), bytes, bytes + size);
}

}  // namespace

std::vector<std::uint8_t> encodePng(const Image& image)
{
    // stb tries five filters on every row, which costs seconds on the large pictures;
    // the "up" filter alone compresses these pictures about as well. Set once, before
    // any thread encodes.
    static std::once_flag filterChosen;
    std::call_once(filterChosen, [] { stbi_write_force_png_filter = 2; });
    std::vector<std::uint8_t> out;
    stbi_write_png_to_func(appendBytes, &out, image.width, image.height, image.channels, image.pixels.data(),
                           image.width * image.channels);
    return out;
}

bool writePng(const std::filesystem::path& path, const Image& image, std::string& error)
{
    const std::vector<std::uint8_t> bytes = encodePng(image);
    if (bytes.empty()) {
        error = path.string() + ": the picture could not be encoded";
        return false;
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) {
        error = path.string() + ": cannot write the file";
        return false;
    }
    return true;
}

std::optional<Image> readPng(const std::filesystem::path& path, std::string& error)
{
    int w = 0, h = 0, n = 0;
    unsigned char* data = stbi_load(path.string().c_str(), &w, &h, &n, 4);
    if (!data) {
        error = path.string() + ": cannot read the picture (" + stbi_failure_reason() + ")";
        return std::nullopt;
    }
    Image img;
    img.width = w;
    img.height = h;
    img.channels = 4;
    img.pixels.assign(data, data + static_cast<std::size_t>(w) * h * 4);
    stbi_image_free(data);
    return img;
}

}  // namespace vw::art
