#pragma once
// The game's one random generator, seeded once (from the calendar clock, or
// --seed / a script's seed line for reproducible runs).
#include <cstdint>
#include <random>

namespace vw {

class Random {
 public:
  explicit Random(std::uint32_t seed = 1) : engine_(seed) {}
  void seed(std::uint32_t s) { engine_.seed(s); }
  // A value from 0 to 2^31 - 1, as the C runtime's rand gives.
  int rand() { return static_cast<int>(engine_() >> 1); }
  // rand() mod m for m >= 1; 0 when m is not positive.
  int mod(int m) { return m > 0 ? rand() % m : 0; }

 private:
  std::mt19937 engine_;
};

}  // namespace vw
