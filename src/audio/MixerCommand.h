#pragma once
// One instruction from the game thread to the mixer: start a one-shot, set a
// loop's level, mute, or set the master volume. Plain data, copied through
// the command queue.
#include "audio/SoundId.h"

namespace vw {

struct MixerCommand {
  enum class Kind { Play, SetLoop, SetMuted, SetVolume };

  Kind kind = Kind::Play;
  SoundId sound = SoundId::MenuClick;
  float gain = 1;   // Play, SetLoop: the voice's level; SetVolume: the master volume
  float pitch = 1;  // playback rate
  float pan = 0;    // -1 left to 1 right
  bool muted = false;

  static MixerCommand play(SoundId id, float gain, float pitch = 1, float pan = 0) {
    return {Kind::Play, id, gain, pitch, pan, false};
  }
  static MixerCommand loop(SoundId id, float gain, float pitch = 1, float pan = 0) {
    return {Kind::SetLoop, id, gain, pitch, pan, false};
  }
  static MixerCommand mute(bool on) { return {Kind::SetMuted, SoundId::MenuClick, 0, 1, 0, on}; }
  static MixerCommand volume(float v) { return {Kind::SetVolume, SoundId::MenuClick, v, 1, 0, false}; }
};

}  // namespace vw
