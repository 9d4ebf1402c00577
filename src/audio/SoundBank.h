#pragma once
// The samples of every sound, mono floats at one sample rate, made once at
// start-up and only read afterwards (by the mixer on the audio thread).
#include <array>
#include <vector>

#include "audio/SoundId.h"

namespace vw {

struct SoundBank {
  int sampleRate = 48000;
  std::array<std::vector<float>, kSoundCount> samples;

  const std::vector<float>& operator[](SoundId id) const { return samples[soundIndex(id)]; }
  std::vector<float>& operator[](SoundId id) { return samples[soundIndex(id)]; }
};

}  // namespace vw
