#pragma once
// Seeded randomness for the pictures: a small PRNG and hash-based value noise.
// Everything here is a pure function of its inputs, so pictures come out the
// same on every run.

#include <glm/glm.hpp>

#include <cstdint>

namespace vw::art {

std::uint32_t hash32(std::uint32_t x);
// Uniform 0..1 from a lattice point and a seed.
float hashUnit(std::uint32_t x, std::uint32_t y, std::uint32_t seed);

// Smooth value noise, 0..1, one lattice cell per unit.
float valueNoise(glm::vec2 p, std::uint32_t seed);
// Fractal sum of value noise octaves, 0..1.
float fbm(glm::vec2 p, std::uint32_t seed, int octaves = 4, float gain = 0.5f);

// splitmix64: a small, fast generator whose stream depends only on its seed.
class Rng {
public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next();
    // Uniform in [0, 1).
    float unit();
    // Uniform in [lo, hi).
    float range(float lo, float hi) { return lo + (hi - lo) * unit(); }
    // Uniform integer in [0, n).
    int below(int n);

private:
    std::uint64_t state_;
};

inline float smoothstep01(float edge0, float edge1, float x)
{
    float t = (x - edge0) / (edge1 - edge0);
    t = t < 0.0f ? 0.0f : (t > 1.0f ? 1.0f : t);
    return t * t * (3.0f - 2.0f * t);
}

}  // namespace vw::art
