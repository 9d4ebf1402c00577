// The random generator and the remainder the steam uses must give exactly
// the numbers of the plain arithmetic they replace: runs are replayed from
// their seed, so one different draw changes every later update.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>

#include "app/Random.h"
#include "player/FastModulus.h"

namespace vw {
namespace {

TEST(FastModulus, EqualsTheRemainderForEveryKindOfDivisor) {
  std::mt19937 numbers(11);
  for (std::uint32_t d : {1u, 2u, 3u, 7u, 10u, 101u, 800u, 4096u, 10001u, 2147483647u, 4294967295u}) {
    const FastModulus m(d);
    for (std::uint32_t x : {0u, 1u, d - 1, d, d + 1, 2147483646u, 2147483647u, 4294967295u}) {
      ASSERT_EQ(m.of(x), x % d) << x << " mod " << d;
    }
    for (int i = 0; i < 100000; ++i) {
      const std::uint32_t x = numbers();
      ASSERT_EQ(m.of(x), x % d) << x << " mod " << d;
    }
  }
}

}  // namespace
}  // namespace vw
