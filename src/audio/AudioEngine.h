#pragma once
// AudioEngine: the sounds, the mixer and the command queue between the game
// thread and the audio thread. The game thread only posts commands; the
// audio thread only renders. No lock is ever taken, so neither thread can
// hold up the other.
#include <cstddef>

#include "audio/Mixer.h"
#include "audio/SoundBank.h"
#include "audio/SpscQueue.h"

namespace vw {

class AudioEngine {
 public:
  static constexpr std::size_t kQueueCapacity = 1024;

  // Synthesises every sound at the device's sample rate.
  explicit AudioEngine(int sampleRate);
  AudioEngine(const AudioEngine&) = delete;
  AudioEngine& operator=(const AudioEngine&) = delete;

  // Game thread: queues a command; false when the queue is full and it was dropped.
  bool post(const MixerCommand& command) { return queue_.push(command); }
  // Audio thread: applies the queued commands, then mixes stereo frames into out.
  void render(float* out, std::size_t frames);

  const SoundBank& bank() const { return bank_; }

 private:
  SoundBank bank_;
  Mixer mixer_;
  SpscQueue<MixerCommand, kQueueCapacity> queue_;
};

}  // namespace vw
