#include "audio/Mixer.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vw {

namespace {

constexpr float kKnee = 0.6f;

// Constant-power pan gains on a quarter circle: they change smoothly even
// at the far left and right, so a gliding pan never clicks.
inline void panGains(float pan, float& left, float& right) {
  const float angle = (pan + 1.0f) * (std::numbers::pi_v<float> / 4.0f);
  left = std::cos(angle);
  right = std::sin(angle);
}

inline float clampUnit(float v, float lo, float hi) { return std::isfinite(v) ? std::clamp(v, lo, hi) : 0.0f; }

}  // namespace

float softClip(float x) {
  if (!std::isfinite(x)) return 0;
  float a = std::abs(x);
  if (a <= kKnee) return x;
  float bent = kKnee + (1.0f - kKnee) * std::tanh((a - kKnee) / (1.0f - kKnee));
  bent = std::min(bent, 0.99999f);
  return x < 0 ? -bent : bent;
}

Mixer::Mixer(const SoundBank& bank, int outputRate) : bank_(bank) {
  float rate = static_cast<float>(outputRate > 0 ? outputRate : bank.sampleRate);
  rateRatio_ = static_cast<double>(bank.sampleRate) / static_cast<double>(rate);
  for (std::size_t i = 0; i < loops_.size(); ++i) {
    Voice& v = loops_[i];
    v.sound = static_cast<SoundId>(soundIndex(kFirstLoop) + i);
    v.gain = Ramp{0, 0, 1.0f / (kLoopGlideSeconds * rate)};
    v.pitch = Ramp{1, 1, 1.0f / (kLoopGlideSeconds * rate)};
    v.pan = Ramp{0, 0, 1.0f / (kLoopGlideSeconds * rate)};
  }
  master_ = Ramp{0, 1, 1.0f / (kMasterGlideSeconds * rate)};
}

void Mixer::apply(const MixerCommand& command) {
  switch (command.kind) {
    case MixerCommand::Kind::Play:
      start(command);
      break;
    case MixerCommand::Kind::SetLoop:
      setLoop(command);
      break;
    case MixerCommand::Kind::SetMuted:
      muted_ = command.muted;
      masterTarget();
      break;
    case MixerCommand::Kind::SetVolume:
      volume_ = clampUnit(command.gain, 0, 1);
      masterTarget();
      break;
  }
}

void Mixer::masterTarget() { master_.target = muted_ ? 0.0f : volume_; }

void Mixer::start(const MixerCommand& command) {
  if (isLoop(command.sound) || bank_[command.sound].empty()) return;
  // A free voice, else the one furthest through its sound.
  Voice* slot = nullptr;
  double furthest = -1;
  for (Voice& v : oneShots_) {
    if (!v.playing) {
      slot = &v;
      break;
    }
    double done = v.position / static_cast<double>(bank_[v.sound].size());
    if (done > furthest) {
      furthest = done;
      slot = &v;
    }
  }
  Voice& v = *slot;
  v.sound = command.sound;
  v.playing = true;
  v.position = 0;
  float g = clampUnit(command.gain, 0, 4);
  float p = clampUnit(command.pitch, 0.1f, 4);
  float pan = clampUnit(command.pan, -1, 1);
  v.gain = Ramp{g, g, 1};
  v.pitch = Ramp{p, p, 1};
  v.pan = Ramp{pan, pan, 1};
}

void Mixer::setLoop(const MixerCommand& command) {
  if (!isLoop(command.sound)) return;
  Voice& v = loops_[soundIndex(command.sound) - soundIndex(kFirstLoop)];
  v.gain.target = clampUnit(command.gain, 0, 4);
  v.pitch.target = clampUnit(command.pitch, 0.1f, 4);
  v.pan.target = clampUnit(command.pan, -1, 1);
}

float Mixer::loopTarget(SoundId id) const {
  if (!isLoop(id)) return 0;
  return loops_[soundIndex(id) - soundIndex(kFirstLoop)].gain.target;
}

std::size_t Mixer::playingOneShots() const {
  return static_cast<std::size_t>(
      std::count_if(oneShots_.begin(), oneShots_.end(), [](const Voice& v) { return v.playing; }));
}

void Mixer::mixOneShot(Voice& voice, std::size_t frames) {
  const std::vector<float>& s = bank_[voice.sound];
  const double step = voice.pitch.value * rateRatio_;
  float l = 0;
  float r = 0;
  panGains(voice.pan.value, l, r);
  l *= voice.gain.value;
  r *= voice.gain.value;
  for (std::size_t i = 0; i < frames; ++i) {
    std::size_t k = static_cast<std::size_t>(voice.position);
    if (k >= s.size()) {
      voice.playing = false;
      return;
    }
    float frac = static_cast<float>(voice.position - static_cast<double>(k));
    float next = k + 1 < s.size() ? s[k + 1] : 0.0f;
    float x = s[k] + frac * (next - s[k]);
    left_[i] += l * x;
    right_[i] += r * x;
    voice.position += step;
  }
}

void Mixer::mixLoop(Voice& voice, std::size_t frames) {
  const std::vector<float>& s = bank_[voice.sound];
  if (s.empty()) return;
  const double length = static_cast<double>(s.size());
  for (std::size_t i = 0; i < frames; ++i) {
    float g = voice.gain.next();
    float p = voice.pitch.next();
    float pan = voice.pan.next();
    if (g <= 0) continue;
    std::size_t k = static_cast<std::size_t>(voice.position);
    float frac = static_cast<float>(voice.position - static_cast<double>(k));
    float next = s[k + 1 < s.size() ? k + 1 : 0];
    float x = g * (s[k] + frac * (next - s[k]));
    float l = 0;
    float r = 0;
    panGains(pan, l, r);
    left_[i] += l * x;
    right_[i] += r * x;
    voice.position += p * rateRatio_;
    while (voice.position >= length) voice.position -= length;
  }
}

void Mixer::mix(float* out, std::size_t frames) {
  while (frames > 0) {
    std::size_t n = std::min(frames, kBlock);
    std::fill_n(left_.begin(), n, 0.0f);
    std::fill_n(right_.begin(), n, 0.0f);
    for (Voice& v : oneShots_) {
      if (v.playing) mixOneShot(v, n);
    }
    for (Voice& v : loops_) {
      if (v.gain.value > 0 || v.gain.target > 0) {
        mixLoop(v, n);
      } else {
        v.pitch.value = v.pitch.target;
        v.pan.value = v.pan.target;
      }
    }
    for (std::size_t i = 0; i < n; ++i) {
      float m = master_.next();
      out[2 * i] = softClip(m * left_[i]);
      out[2 * i + 1] = softClip(m * right_[i]);
    }
    out += 2 * n;
    frames -= n;
  }
}

}  // namespace vw
