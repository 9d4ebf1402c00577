#include "Canvas.h"

#include <algorithm>
#include <cmath>

namespace vw::art {

Canvas::Canvas(int width, int height)
    : width_(std::max(width, 1)), height_(std::max(height, 1)),
      data_(static_cast<std::size_t>(width_) * height_, glm::vec4(0.0f))
{
}

void Canvas::addLight(int x, int y, const Color& c, float coverage)
{
    const float a = c.a * coverage;
    if (a <= 0.0f)
        return;
    glm::vec4& d = pixel(x, y);
    d.r += c.r * a;
    d.g += c.g * a;
    d.b += c.b * a;
    d.a = std::min(1.0f, d.a + a * (1.0f - d.a));
}

void Canvas::fill(const Color& c)
{
    std::fill(data_.begin(), data_.end(), glm::vec4(glm::vec3(c) * c.a, c.a));
}

void Canvas::draw(const Canvas& src, int x, int y, float opacity)
{
    for (int sy = 0; sy < src.height(); ++sy) {
        const int dy = y + sy;
        if (dy < 0 || dy >= height_)
            continue;
        for (int sx = 0; sx < src.width(); ++sx) {
            const int dx = x + sx;
            if (dx < 0 || dx >= width_)
                continue;
            const glm::vec4 s = src.pixel(sx, sy) * opacity;
            glm::vec4& d = pixel(dx, dy);
            d = s + d * (1.0f - s.a);
        }
    }
}

void Canvas::copy(const Canvas& src, int x, int y)
{
    for (int sy = 0; sy < src.height(); ++sy) {
        const int dy = y + sy;
        if (dy < 0 || dy >= height_)
            continue;
        for (int sx = 0; sx < src.width(); ++sx) {
            const int dx = x + sx;
            if (dx >= 0 && dx < width_)
                pixel(dx, dy) = src.pixel(sx, sy);
        }
    }
}

Canvas Canvas::downsampled(int factor) const
{
    factor = std::max(factor, 1);
    Canvas out(width_ / factor, height_ / factor);
    const float norm = 1.0f / static_cast<float>(factor * factor);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) {
            glm::vec4 sum(0.0f);
            for (int j = 0; j < factor; ++j)
                for (int i = 0; i < factor; ++i)
                    sum += pixel(x * factor + i, y * factor + j);
            out.pixel(x, y) = sum * norm;
        }
    return out;
}

Canvas Canvas::shrunk(int width, int height) const
{
    Canvas out(width, height);
    const float fx = static_cast<float>(width_) / out.width();
    const float fy = static_cast<float>(height_) / out.height();
    for (int y = 0; y < out.height(); ++y) {
        const float y0 = y * fy, y1 = (y + 1) * fy;
        for (int x = 0; x < out.width(); ++x) {
            const float x0 = x * fx, x1 = (x + 1) * fx;
            glm::vec4 sum(0.0f);
            float weight = 0.0f;
            for (int sy = static_cast<int>(y0); sy < std::min(height_, static_cast<int>(std::ceil(y1))); ++sy) {
                const float wy = std::min(y1, sy + 1.0f) - std::max(y0, static_cast<float>(sy));
                for (int sx = static_cast<int>(x0); sx < std::min(width_, static_cast<int>(std::ceil(x1))); ++sx) {
                    const float w = wy * (std::min(x1, sx + 1.0f) - std::max(x0, static_cast<float>(sx)));
                    sum += pixel(sx, sy) * w;
                    weight += w;
                }
            }
            out.pixel(x, y) = weight > 0.0f ? sum / weight : glm::vec4(0.0f);
        }
    }
    return out;
}

namespace {

std::uint8_t toByte(float v)
{
    return static_cast<std::uint8_t>(std::clamp(v, 0.0f, 1.0f) * 255.0f + 0.5f);
}

// Gives fully transparent pixels the mean colour of their drawn neighbours, a few
// pixels deep, so that texture filtering at sprite edges blends towards the sprite's
// own colour instead of black.
void bleedColour(Image& img)
{
    const int w = img.width, h = img.height;
    std::vector<std::uint8_t> known(static_cast<std::size_t>(w) * h);
    for (int i = 0; i < w * h; ++i)
        known[i] = img.pixels[i * 4 + 3] > 0 ? 1 : 0;
    std::vector<std::uint8_t> next = known;
    for (int pass = 0; pass < 4; ++pass) {
        bool changed = false;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const std::size_t i = static_cast<std::size_t>(y) * w + x;
                if (known[i])
                    continue;
                int sum[3] = {0, 0, 0};
                int n = 0;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int nx = x + dx, ny = y + dy;
                        if (nx < 0 || ny < 0 || nx >= w || ny >= h)
                            continue;
                        const std::size_t j = static_cast<std::size_t>(ny) * w + nx;
                        if (!known[j])
                            continue;
                        for (int c = 0; c < 3; ++c)
                            sum[c] += img.pixels[j * 4 + c];
                        ++n;
                    }
                if (n == 0)
                    continue;
                for (int c = 0; c < 3; ++c)
                    img.pixels[i * 4 + c] = static_cast<std::uint8_t>((sum[c] + n / 2) / n);
                next[i] = 1;
                changed = true;
            }
        known = next;
        if (!changed)
            break;
    }
}

}  // namespace

Image Canvas::toImage(EdgeColour edges) const
{
    Image img;
    img.width = width_;
    img.height = height_;
    img.channels = 4;
    img.pixels.resize(static_cast<std::size_t>(width_) * height_ * 4);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            const glm::vec4& p = pixel(x, y);
            const std::uint8_t a = toByte(p.a);
            glm::vec3 c(0.0f);
            if (a > 0)
                c = edges == EdgeColour::Premultiplied ? glm::vec3(p) : glm::vec3(p) / std::max(p.a, 1e-6f);
            std::uint8_t* out = &img.pixels[(static_cast<std::size_t>(y) * width_ + x) * 4];
            for (int k = 0; k < 3; ++k)
                out[k] = a > 0 ? toByte(c[k]) : 0;
            out[3] = a;
        }
    if (edges == EdgeColour::Bleed)
        bleedColour(img);
    return img;
}

Image Canvas::toOpaqueImage() const
{
    Image img;
    img.width = width_;
    img.height = height_;
    img.channels = 3;
    img.pixels.resize(static_cast<std::size_t>(width_) * height_ * 3);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            const glm::vec4& p = pixel(x, y);
            std::uint8_t* out = &img.pixels[(static_cast<std::size_t>(y) * width_ + x) * 3];
            for (int k = 0; k < 3; ++k)
                out[k] = toByte(p[k]);
        }
    return img;
}

Canvas Canvas::fromImage(const Image& image)
{
    Canvas c(image.width, image.height);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const std::uint8_t* p = image.at(x, y);
            const float a = image.channels == 4 ? p[3] / 255.0f : 1.0f;
            c.pixel(x, y) = glm::vec4(p[0] / 255.0f * a, p[1] / 255.0f * a, p[2] / 255.0f * a, a);
        }
    return c;
}

}  // namespace vw::art
