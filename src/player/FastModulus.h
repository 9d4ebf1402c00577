#pragma once
// FastModulus: x mod d for 32-bit x and a divisor fixed in advance, by two
// multiplications instead of a division (Lemire, Kaser and Kurz, "Faster
// remainder by direct computation"). Exact for every x and every d >= 1;
// the steam jets take a remainder per particle per update.
#include <cstdint>

namespace vw {

class FastModulus {
 public:
  explicit FastModulus(std::uint32_t divisor = 1)
      : divisor_(divisor), magic_(divisor == 0 ? 0 : ~std::uint64_t{0} / divisor + 1) {}

  std::uint32_t of(std::uint32_t x) const {
    __extension__ using Wide = unsigned __int128;
    const std::uint64_t fraction = magic_ * x;
    return static_cast<std::uint32_t>((static_cast<Wide>(fraction) * divisor_) >> 64);
  }

 private:
  std::uint32_t divisor_;
  std::uint64_t magic_;
};

}  // namespace vw
