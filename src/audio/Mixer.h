#pragma once
// Mixer: the voices that sound at once, summed to stereo. One-shots play to
// their end; each loop has one voice whose level, pitch and pan glide to
// their targets so no change ever clicks. A master volume and mute (also
// gliding) scale the sum, and a soft clipper keeps it inside [-1, 1].
// Pure computation, with no device: the audio callback calls mix().
#include <array>
#include <cstddef>

#include "audio/MixerCommand.h"
#include "audio/SoundBank.h"

namespace vw {

// Passes [-knee, knee] unchanged and bends everything louder smoothly
// towards +-1, never reaching it; a non-finite input gives 0.
float softClip(float x);

// A value that follows its target by at most `step` per sample.
struct Ramp {
  float value = 0;
  float target = 0;
  float step = 1;

  float next() {
    float d = target - value;
    if (d > step) {
      value += step;
    } else if (d < -step) {
      value -= step;
    } else {
      value = target;
    }
    return value;
  }
  bool settled() const { return value == target; }
};

class Mixer {
 public:
  static constexpr std::size_t kMaxOneShots = 32;
  static constexpr float kLoopGlideSeconds = 0.08f;   // a loop's level from 0 to 1
  static constexpr float kMasterGlideSeconds = 0.02f;  // mute and volume changes

  // The bank must outlive the mixer; outputRate is the device's sample rate.
  Mixer(const SoundBank& bank, int outputRate);

  void apply(const MixerCommand& command);
  // Writes `frames` stereo frames (left, right interleaved) to out.
  void mix(float* out, std::size_t frames);

  std::size_t playingOneShots() const;
  bool isMuted() const { return muted_; }
  float volume() const { return volume_; }
  // The level a loop is gliding to.
  float loopTarget(SoundId id) const;

 private:
  struct Voice {
    SoundId sound = SoundId::MenuClick;
    bool playing = false;
    double position = 0;
    Ramp gain;
    Ramp pitch;
    Ramp pan;
  };
  static constexpr std::size_t kLoopCount = kSoundCount - soundIndex(kFirstLoop);
  static constexpr std::size_t kBlock = 256;

  void start(const MixerCommand& command);
  void setLoop(const MixerCommand& command);
  void mixOneShot(Voice& voice, std::size_t frames);
  void mixLoop(Voice& voice, std::size_t frames);
  void masterTarget();

  const SoundBank& bank_;
  double rateRatio_ = 1;  // bank samples per output frame at pitch 1
  std::array<Voice, kMaxOneShots> oneShots_{};
  std::array<Voice, kLoopCount> loops_{};
  Ramp master_;
  float volume_ = 1;
  bool muted_ = false;
  std::array<float, kBlock> left_{};
  std::array<float, kBlock> right_{};
};

}  // namespace vw
