#include "Noise.h"

#include <algorithm>
#include <cmath>

namespace vw::art {

std::uint32_t hash32(std::uint32_t x)
{
    x ^= x >> 16;
    x *= 0x7feb352du;
    x ^= x >> 15;
    x *= 0x846ca68bu;
    x ^= x >> 16;
    return x;
}

float hashUnit(std::uint32_t x, std::uint32_t y, std::uint32_t seed)
{
    const std::uint32_t h = hash32(x * 0x9e3779b1u ^ hash32(y * 0x85ebca77u ^ hash32(seed)));
    return static_cast<float>(h >> 8) * (1.0f / 16777216.0f);
}

float valueNoise(glm::vec2 p, std::uint32_t seed)
{
    const float fx = std::floor(p.x), fy = std::floor(p.y);
    const auto ix = static_cast<std::uint32_t>(static_cast<std::int32_t>(fx));
    const auto iy = static_cast<std::uint32_t>(static_cast<std::int32_t>(fy));
    float tx = p.x - fx, ty = p.y - fy;
    tx = tx * tx * tx * (tx * (tx * 6.0f - 15.0f) + 10.0f);
    ty = ty * ty * ty * (ty * (ty * 6.0f - 15.0f) + 10.0f);
    const float a = hashUnit(ix, iy, seed), b = hashUnit(ix + 1, iy, seed);
    const float c = hashUnit(ix, iy + 1, seed), d = hashUnit(ix + 1, iy + 1, seed);
    return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

float fbm(glm::vec2 p, std::uint32_t seed, int octaves, float gain)
{
    float sum = 0.0f, amp = 1.0f, norm = 0.0f;
    for (int i = 0; i < octaves; ++i) {
        sum += valueNoise(p, seed + static_cast<std::uint32_t>(i) * 101u) * amp;
        norm += amp;
        amp *= gain;
        // A slight rotation per octave hides the lattice.
        p = glm::vec2(p.x * 1.6f - p.y * 1.2f, p.x * 1.2f + p.y * 1.6f) + glm::vec2(17.3f, 9.1f);
    }
    return sum / norm;
}

std::uint64_t Rng::next()
{
    std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ull);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
    return z ^ (z >> 31);
}

float Rng::unit()
{
    return static_cast<float>(next() >> 40) * (1.0f / 16777216.0f);
}

int Rng::below(int n)
{
    return n <= 0 ? 0 : static_cast<int>(next() % static_cast<std::uint64_t>(n));
}

}  // namespace vw::art
