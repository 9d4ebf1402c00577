#pragma once
// WebAudio: the game's sound in the browser, through Emscripten's OpenAL
// (Web Audio underneath). There is no audio thread: after every update the
// mixer renders into the stream buffers the browser has finished playing.
// Browsers allow sound only after a click or key, so it is made then.
#include <AL/al.h>
#include <AL/alc.h>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "audio/AudioDirector.h"
#include "audio/AudioEngine.h"
#include "audio/SoundEvents.h"

namespace vw {

class Game;

class WebAudio {
 public:
  // Opens the browser's output; without one, writes a warning and stays silent.
  explicit WebAudio(bool muted);
  ~WebAudio();
  WebAudio(const WebAudio&) = delete;
  WebAudio& operator=(const WebAudio&) = delete;

  // The browser gave an output and the stream is running.
  bool playing() const { return engine_ != nullptr; }
  // Listens to the update that just ran, then tops up the stream.
  void afterUpdate(const Game& game);

 private:
  static constexpr std::size_t kBuffers = 4;
  void post(const std::vector<MixerCommand>& commands);
  // Mixes one buffer's worth and queues it.
  void queue(ALuint buffer);

  SoundEvents events_;
  AudioDirector director_;
  std::unique_ptr<AudioEngine> engine_;
  ALCdevice* device_ = nullptr;
  ALCcontext* context_ = nullptr;
  ALuint source_ = 0;
  std::array<ALuint, kBuffers> buffers_{};
  std::vector<float> mix_;
  std::vector<std::int16_t> samples_;
};

}  // namespace vw
