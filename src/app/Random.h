#pragma once
// The game's one random generator, seeded once (from the calendar clock, or
// --seed / a script's seed line for reproducible runs).
#include <cstdint>

namespace vw {

// The minimal standard generator (std::minstd_rand: x = 48271 x mod 2^31 - 1),
// with the remainder by the Mersenne prime taken by shift and add instead of a
// division: the steam jets draw twice per particle per update.
class Random {
 public:
  explicit Random(std::uint32_t seed = 1) { this->seed(seed); }
  void seed(std::uint32_t s) {
    state_ = s % kModulus;
    if (state_ == 0) state_ = 1;
  }
  // A value from 0 to 2^31 - 3, like the C runtime's rand.
  int rand() {
    const std::uint64_t product = std::uint64_t{kMultiplier} * state_;
    std::uint32_t next = static_cast<std::uint32_t>(product & kModulus) + static_cast<std::uint32_t>(product >> 31);
    if (next >= kModulus) next -= kModulus;
    state_ = next;
    return static_cast<int>(next - 1);
  }
  // rand() mod m for m >= 1; 0 when m is not positive.
  // (Unsigned, which gives the same remainder of a non-negative draw more cheaply.)
  int mod(int m) {
    return m > 0 ? static_cast<int>(static_cast<std::uint32_t>(rand()) % static_cast<std::uint32_t>(m)) : 0;
  }

 private:
  static constexpr std::uint32_t kModulus = 0x7FFFFFFFu;
  static constexpr std::uint32_t kMultiplier = 48271u;
  std::uint32_t state_ = 1;
};

}  // namespace vw
