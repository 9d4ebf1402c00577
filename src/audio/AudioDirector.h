#pragma once
// AudioDirector: turns what the game did (sound events) into what the mixer
// should do: which one-shots to start, how loud and where, and the level of
// each loop. Loops are summed over every element that makes them; a loop
// nobody reports in an update fades out. M toggles mute here.
#include <array>
#include <vector>

#include "audio/Dsp.h"
#include "audio/MixerCommand.h"
#include "audio/SoundEvent.h"

namespace vw {

class AudioDirector {
 public:
  static constexpr float kRainLevel = 0.22f;

  explicit AudioDirector(bool muted);

  // The commands that set a fresh mixer up: the mute state and the rain.
  std::vector<MixerCommand> startCommands() const;
  // The commands for one update's events.
  std::vector<MixerCommand> direct(const std::vector<SoundEvent>& events);
  bool isMuted() const { return muted_; }

 private:
  struct LoopLevel {
    float gain = 0;
    float pitch = 1;
    float pan = 0;
  };
  static constexpr std::size_t kLoopCount = kSoundCount - soundIndex(kFirstLoop);

  // Queues the loops' levels that changed since they were last sent.
  void sendLoops(const std::array<LoopLevel, kLoopCount>& levels, std::vector<MixerCommand>& out);

  bool muted_;
  bool loopsSent_ = false;
  std::array<LoopLevel, kLoopCount> sent_{};
  dsp::Noise variety_{0x0c0ffeeu};  // small pitch changes, so repeats do not sound mechanical
};

}  // namespace vw
