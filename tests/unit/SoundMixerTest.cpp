// The sound machinery without a device: the synthesised sounds and the
// command queue.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <thread>

#include "audio/SpscQueue.h"
#include "audio/Synth.h"

namespace vw {
namespace {

constexpr int kRate = 48000;

float peak(const std::vector<float>& samples) {
  float p = 0;
  for (float s : samples) p = std::max(p, std::abs(s));
  return p;
}

// --- Synthesised sounds --------------------------------------------------------

TEST(SoundSynth, EverySoundIsMadeTheSameWayEveryTimeAndStaysInRange) {
  SoundBank a = Synth(kRate).generate();
  SoundBank b = Synth(kRate).generate();
  for (std::size_t i = 0; i < kSoundCount; ++i) {
    const auto id = static_cast<SoundId>(i);
    SCOPED_TRACE(soundName(id));
    const std::vector<float>& s = a[id];
    ASSERT_GT(s.size(), static_cast<std::size_t>(kRate / 50));
    EXPECT_EQ(s, b[id]);
    for (float x : s) ASSERT_TRUE(std::isfinite(x) && std::abs(x) <= 1.0f);
    EXPECT_GT(peak(s), 0.3f);  // nothing is made silent
    if (!isLoop(id)) {
      // One-shots begin and end at silence, so starting or finishing one never clicks.
      EXPECT_EQ(s.front(), 0.0f);
      EXPECT_LT(std::abs(s.back()), 0.01f);
    }
  }
}

// --- Queue ---------------------------------------------------------------------

TEST(SoundQueue, AProducerAndAConsumerThreadLoseAndReorderNothing) {
  SpscQueue<int, 64> q;
  constexpr int kCount = 50000;
  std::thread producer([&] {
    for (int i = 0; i < kCount;) {
      if (q.push(i)) {
        ++i;
      } else {
        std::this_thread::yield();
      }
    }
  });
  bool inOrder = true;
  for (int expected = 0, v = 0; expected < kCount;) {
    if (q.pop(v)) {
      inOrder = inOrder && v == expected++;
    } else {
      std::this_thread::yield();
    }
  }
  producer.join();
  EXPECT_TRUE(inOrder);
}

}  // namespace
}  // namespace vw
