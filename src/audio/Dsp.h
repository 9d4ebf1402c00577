#pragma once
// Small building blocks of sound synthesis: a seeded noise source, one-pole
// and state-variable filters, and the envelope and oscillator helpers the
// synthesiser combines.
#include <cmath>
#include <cstdint>
#include <numbers>

namespace vw::dsp {

constexpr float kTwoPi = 2.0f * std::numbers::pi_v<float>;

// xorshift32: a fast generator of its own, so every sound comes out the
// same on every machine and run.
class Noise {
 public:
  explicit Noise(std::uint32_t seed) : state_(seed ? seed : 0x9e3779b9u) {}
  std::uint32_t next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
  }
  // Uniform in [0, 1).
  float unit() { return static_cast<float>(next() >> 8) * (1.0f / 16777216.0f); }
  // Uniform in [-1, 1).
  float white() { return unit() * 2.0f - 1.0f; }
  float range(float lo, float hi) { return lo + (hi - lo) * unit(); }

 private:
  std::uint32_t state_;
};

// One-pole low-pass; the high-pass is the input minus it.
class OnePole {
 public:
  OnePole(float cutoffHz, float sampleRate) { setCutoff(cutoffHz, sampleRate); }
  void setCutoff(float cutoffHz, float sampleRate) { a_ = 1.0f - std::exp(-kTwoPi * cutoffHz / sampleRate); }
  float lowPass(float x) { return y_ += a_ * (x - y_); }
  float highPass(float x) { return x - lowPass(x); }

 private:
  float a_ = 1;
  float y_ = 0;
};

struct SvfOut {
  float low = 0;
  float band = 0;
  float high = 0;
};

// State-variable filter in its trapezoidal form: stable while the cutoff
// moves every sample, with low-, band- and high-pass outputs at once.
class Svf {
 public:
  Svf(float cutoffHz, float q, float sampleRate) : rate_(sampleRate) { set(cutoffHz, q); }
  void set(float cutoffHz, float q) {
    float limit = rate_ * 0.49f;
    float fc = cutoffHz < 1.0f ? 1.0f : (cutoffHz > limit ? limit : cutoffHz);
    g_ = std::tan(std::numbers::pi_v<float> * fc / rate_);
    k_ = 1.0f / (q > 0.05f ? q : 0.05f);
    a1_ = 1.0f / (1.0f + g_ * (g_ + k_));
    a2_ = g_ * a1_;
    a3_ = g_ * a2_;
  }
  SvfOut step(float x) {
    float v3 = x - ic2_;
    float v1 = a1_ * ic1_ + a2_ * v3;
    float v2 = ic2_ + a2_ * ic1_ + a3_ * v3;
    ic1_ = 2.0f * v1 - ic1_;
    ic2_ = 2.0f * v2 - ic2_;
    return {v2, v1, x - k_ * v1 - v2};
  }

 private:
  float rate_;
  float g_ = 0, k_ = 1, a1_ = 0, a2_ = 0, a3_ = 0;
  float ic1_ = 0, ic2_ = 0;
};

// A linear attack to 1, then an exponential fall with the given time constant.
inline float attackDecay(float t, float attack, float decay) {
  if (t < 0) return 0;
  if (t < attack) return t / attack;
  return std::exp(-(t - attack) / decay);
}

// A frequency gliding exponentially from `from` to `to` over `duration`.
inline float glide(float t, float duration, float from, float to) {
  float u = duration > 0 ? t / duration : 1.0f;
  if (u > 1) u = 1;
  return from * std::pow(to / from, u);
}

// A sine oscillator whose frequency may change every sample.
class Sine {
 public:
  float step(float hz, float sampleRate) {
    float s = std::sin(phase_);
    phase_ += kTwoPi * hz / sampleRate;
    if (phase_ > kTwoPi) phase_ -= kTwoPi;
    return s;
  }

 private:
  float phase_ = 0;
};

}  // namespace vw::dsp
