#include "web/WebAudio.h"

#include <algorithm>
#include <cmath>
#include <iostream>

#include "app/Game.h"

namespace vw {

namespace {

constexpr int kRate = 48000;
// Four buffers of 2048 frames: about 170 ms queued, enough to ride out a
// slow animation frame without a gap.
constexpr std::size_t kFramesPerBuffer = 2048;

}  // namespace

WebAudio::WebAudio(bool muted) : director_(muted) {
  device_ = alcOpenDevice(nullptr);
  if (device_) context_ = alcCreateContext(device_, nullptr);
  if (!context_ || !alcMakeContextCurrent(context_)) {
    std::cerr << "vaporwick: no sound output in this browser; playing silently\n";
    return;
  }
  alGenSources(1, &source_);
  alGenBuffers(static_cast<ALsizei>(kBuffers), buffers_.data());
  engine_ = std::make_unique<AudioEngine>(kRate);
  mix_.resize(kFramesPerBuffer * 2);
  samples_.resize(kFramesPerBuffer * 2);
  post(director_.startCommands());
  for (ALuint buffer : buffers_) queue(buffer);
  alSourcePlay(source_);
}

WebAudio::~WebAudio() {
  if (source_) {
    alSourceStop(source_);
    alDeleteSources(1, &source_);
    alDeleteBuffers(static_cast<ALsizei>(kBuffers), buffers_.data());
  }
  alcMakeContextCurrent(nullptr);
  if (context_) alcDestroyContext(context_);
  if (device_) alcCloseDevice(device_);
}

void WebAudio::afterUpdate(const Game& game) {
  if (!engine_) return;
  post(director_.direct(events_.observe(game)));
  ALint processed = 0;
  alGetSourcei(source_, AL_BUFFERS_PROCESSED, &processed);
  while (processed-- > 0) {
    ALuint buffer = 0;
    alSourceUnqueueBuffers(source_, 1, &buffer);
    queue(buffer);
  }
  // A tab in the background gets no animation frames and the stream runs dry; start it again.
  ALint state = 0;
  alGetSourcei(source_, AL_SOURCE_STATE, &state);
  if (state != AL_PLAYING) alSourcePlay(source_);
}

void WebAudio::queue(ALuint buffer) {
  engine_->render(mix_.data(), kFramesPerBuffer);
  std::transform(mix_.begin(), mix_.end(), samples_.begin(), [](float s) {
    return static_cast<std::int16_t>(std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f));
  });
  alBufferData(buffer, AL_FORMAT_STEREO16, samples_.data(), static_cast<ALsizei>(samples_.size() * sizeof(std::int16_t)),
               kRate);
  alSourceQueueBuffers(source_, 1, &buffer);
}

void WebAudio::post(const std::vector<MixerCommand>& commands) {
  for (const MixerCommand& c : commands) engine_->post(c);
}

}  // namespace vw
