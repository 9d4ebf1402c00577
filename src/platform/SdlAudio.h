#pragma once
// SdlAudio: the game's sound on the desktop. Opens the default SDL audio
// device, whose callback mixes on SDL's audio thread, and after every game
// update turns what the game did into mixer commands. A machine without a
// sound device plays silently after one warning.
#include <cstdint>
#include <iosfwd>
#include <memory>

#include "audio/AudioDirector.h"
#include "audio/AudioEngine.h"
#include "audio/SoundEvents.h"

namespace vw {

class Game;

class SdlAudio {
 public:
  // Opens the device (sound starts muted when asked); without one, writes
  // one warning to `warnings` and stays silent.
  explicit SdlAudio(bool muted);
  SdlAudio(bool muted, std::ostream& warnings);
  ~SdlAudio();
  SdlAudio(const SdlAudio&) = delete;
  SdlAudio& operator=(const SdlAudio&) = delete;

  // Listens to the update that just ran and sends what it heard to the mixer.
  void afterUpdate(const Game& game);

  bool hasDevice() const { return device_ != 0; }
  bool isMuted() const { return director_.isMuted(); }
  // Commands the mixer could not take because its queue was full.
  std::uint64_t droppedCommands() const { return dropped_; }

 private:
  void post(const std::vector<MixerCommand>& commands);

  SoundEvents events_;
  AudioDirector director_;
  std::unique_ptr<AudioEngine> engine_;
  std::uint32_t device_ = 0;
  bool subsystemUp_ = false;
  std::uint64_t dropped_ = 0;
};

}  // namespace vw
