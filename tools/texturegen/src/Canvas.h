#pragma once
// A floating-point RGBA canvas (premultiplied alpha) and the 8-bit image it
// becomes when a picture is finished.

#include <glm/glm.hpp>

#include <cstdint>
#include <vector>

namespace vw::art {

// Straight (not premultiplied) RGBA, each channel 0..1.
using Color = glm::vec4;

// 0xRRGGBB as a colour.
inline Color hexColor(std::uint32_t rgb, float alpha = 1.0f)
{
    return {((rgb >> 16) & 0xff) / 255.0f, ((rgb >> 8) & 0xff) / 255.0f, (rgb & 0xff) / 255.0f, alpha};
}
inline Color mixColor(const Color& a, const Color& b, float t)
{
    return a + (b - a) * t;
}
// Scales the colour channels by factor, keeps alpha.
inline Color scaled(const Color& c, float factor)
{
    return {glm::vec3(c) * factor, c.a};
}
inline Color withAlpha(const Color& c, float alpha)
{
    return {glm::vec3(c), alpha};
}

// A finished picture: 8 bits per channel, rows top to bottom.
struct Image {
    int width = 0;
    int height = 0;
    int channels = 4;  // 4 RGBA or 3 RGB
    std::vector<std::uint8_t> pixels;

    const std::uint8_t* at(int x, int y) const { return &pixels[(static_cast<std::size_t>(y) * width + x) * channels]; }
    // Alpha of a pixel; 255 for an RGB image.
    int alphaAt(int x, int y) const { return channels == 4 ? at(x, y)[3] : 255; }
};

// What colour a fully transparent pixel keeps once the canvas becomes an image.
enum class EdgeColour {
    Bleed,          // the colour of its nearest drawn neighbours, so filtering shows no dark fringe
    Premultiplied,  // colour multiplied by alpha (black where transparent): for additively drawn particles
};

class Canvas {
public:
    Canvas(int width, int height);

    int width() const { return width_; }
    int height() const { return height_; }
    const glm::vec4& pixel(int x, int y) const { return data_[static_cast<std::size_t>(y) * width_ + x]; }
    glm::vec4& pixel(int x, int y) { return data_[static_cast<std::size_t>(y) * width_ + x]; }

    // Source-over of a straight colour weighted by coverage (0..1).
    void blend(int x, int y, const Color& c, float coverage)
    {
        const float a = c.a * coverage;
        if (a <= 0.0f)
            return;
        glm::vec4& d = pixel(x, y);
        d = glm::vec4(glm::vec3(c) * a, a) + d * (1.0f - a);
    }
    // Adds light: colour times coverage added to the colour channels, alpha raised likewise.
    void addLight(int x, int y, const Color& c, float coverage);
    void fill(const Color& c);
    // Source-over of another canvas with its top-left corner at (x, y).
    void draw(const Canvas& src, int x, int y, float opacity = 1.0f);
    // Replaces the pixels under src with src's.
    void copy(const Canvas& src, int x, int y);
    // Every factor x factor block averaged into one pixel.
    Canvas downsampled(int factor) const;
    // Area-averaged resize to any smaller size (used for previews).
    Canvas shrunk(int width, int height) const;

    Image toImage(EdgeColour edges = EdgeColour::Bleed) const;
    // RGB image, alpha dropped (the canvas is expected to be opaque).
    Image toOpaqueImage() const;
    static Canvas fromImage(const Image& image);

private:
    int width_;
    int height_;
    std::vector<glm::vec4> data_;
};

}  // namespace vw::art
