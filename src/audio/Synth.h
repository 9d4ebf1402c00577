#pragma once
// Synth: makes every sound of the game from noise, filters, envelopes and
// oscillators. Nothing is read from files; the same seed gives the same
// samples on every run. Loops come out seamless: their last sample flows
// into their first.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "audio/Dsp.h"
#include "audio/SoundBank.h"

namespace vw {

class Synth {
 public:
  static constexpr std::uint32_t kDefaultSeed = 0x5eed1e55u;

  explicit Synth(int sampleRate, std::uint32_t seed = kDefaultSeed);

  // Every sound of the game.
  SoundBank generate() const;
  // One sound; each has its own noise stream, so the order of making does not matter.
  std::vector<float> make(SoundId id) const;

 private:
  std::size_t samples(float seconds) const;
  float time(std::size_t i) const { return static_cast<float>(i) / static_cast<float>(rate_); }

  std::vector<float> jump(dsp::Noise& rng) const;
  std::vector<float> umbrella(dsp::Noise& rng) const;
  std::vector<float> land(dsp::Noise& rng) const;
  std::vector<float> freeze(dsp::Noise& rng) const;
  std::vector<float> thaw(dsp::Noise& rng) const;
  std::vector<float> wet(dsp::Noise& rng) const;
  std::vector<float> button(dsp::Noise& rng, float low, float high, float level) const;
  std::vector<float> doorStart(dsp::Noise& rng) const;
  std::vector<float> doorStop(dsp::Noise& rng) const;
  std::vector<float> trapDoorSwing(dsp::Noise& rng) const;
  std::vector<float> trapDoorSettle(dsp::Noise& rng) const;
  std::vector<float> menuClick() const;
  std::vector<float> chime(float first, float second) const;

  std::vector<float> rain(dsp::Noise& rng) const;
  std::vector<float> steamSpray(dsp::Noise& rng) const;
  std::vector<float> waterSpray(dsp::Noise& rng) const;
  std::vector<float> iceSpray(dsp::Noise& rng) const;
  std::vector<float> jet(dsp::Noise& rng) const;
  std::vector<float> wheel(dsp::Noise& rng) const;
  std::vector<float> doorGrind(dsp::Noise& rng) const;

  // Adds a decaying sine blip (a drop, a ping) starting at sample `at`.
  void addBlip(std::vector<float>& out, std::size_t at, float fromHz, float toHz, float length, float decay,
               float level) const;

  int rate_;
  std::uint32_t seed_;
};

// Folds the extra tail of a raw loop over its start with an equal-power
// crossfade; the result is `fade` samples shorter and wraps without a seam.
std::vector<float> seamlessLoop(const std::vector<float>& raw, std::size_t fade);

}  // namespace vw
