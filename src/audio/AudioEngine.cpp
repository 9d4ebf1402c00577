#include "audio/AudioEngine.h"

#include "audio/Synth.h"

namespace vw {

AudioEngine::AudioEngine(int sampleRate) : bank_(Synth(sampleRate).generate()), mixer_(bank_, sampleRate) {}

void AudioEngine::render(float* out, std::size_t frames) {
  MixerCommand command;
  while (queue_.pop(command)) mixer_.apply(command);
  mixer_.mix(out, frames);
}

}  // namespace vw
