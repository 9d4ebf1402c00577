#include "platform/SdlAudio.h"

#include <SDL.h>

#include <iostream>

#include "app/Game.h"

namespace vw {

namespace {

constexpr int kWantedRate = 48000;
constexpr Uint16 kBufferFrames = 1024;  // about 21 ms at 48 kHz

// SDL's audio thread: mix straight into the device buffer.
void mixCallback(void* userdata, Uint8* stream, int bytes) {
  auto* engine = static_cast<AudioEngine*>(userdata);
  const std::size_t frames = static_cast<std::size_t>(bytes) / (2 * sizeof(float));
  engine->render(reinterpret_cast<float*>(stream), frames);
}

}  // namespace

SdlAudio::SdlAudio(bool muted) : SdlAudio(muted, std::cerr) {}

SdlAudio::SdlAudio(bool muted, std::ostream& warnings) : director_(muted) {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    warnings << "vaporwick: no sound device (" << SDL_GetError() << "); playing silently\n";
    return;
  }
  subsystemUp_ = true;
  // Every sound is made at 48 kHz; SDL converts for a device that runs at
  // another rate, so the callback never sees a surprise.
  engine_ = std::make_unique<AudioEngine>(kWantedRate);
  SDL_AudioSpec want{};
  want.freq = kWantedRate;
  want.format = AUDIO_F32SYS;
  want.channels = 2;
  want.samples = kBufferFrames;
  want.callback = mixCallback;
  want.userdata = engine_.get();
  device_ = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
  if (device_ == 0) {
    warnings << "vaporwick: no sound device (" << SDL_GetError() << "); playing silently\n";
    engine_.reset();
    return;
  }
  post(director_.startCommands());
  SDL_PauseAudioDevice(device_, 0);
}

SdlAudio::~SdlAudio() {
  // Closing waits for a running callback, so the engine outlives every mix.
  if (device_ != 0) SDL_CloseAudioDevice(device_);
  engine_.reset();
  if (subsystemUp_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void SdlAudio::afterUpdate(const Game& game) {
  if (!engine_) return;
  post(director_.direct(events_.observe(game)));
}

void SdlAudio::post(const std::vector<MixerCommand>& commands) {
  for (const MixerCommand& c : commands) {
    if (!engine_->post(c)) ++dropped_;
  }
}

}  // namespace vw
