// The sound machinery without a device: the synthesised sounds, the mixer's
// level rules, the command queue, the engine and the director.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <thread>

#include "audio/AudioDirector.h"
#include "audio/AudioEngine.h"
#include "audio/Mixer.h"
#include "audio/SpscQueue.h"
#include "audio/Synth.h"

namespace vw {
namespace {

constexpr int kRate = 48000;

// A bank whose every sound is a constant level: what the mixer does to it is
// easy to predict. A square one-shot of full scale, a half-scale loop.
SoundBank flatBank(float oneShot = 1.0f, float loop = 0.5f, std::size_t length = 4800) {
  SoundBank bank;
  bank.sampleRate = kRate;
  for (std::size_t i = 0; i < kSoundCount; ++i) {
    bool looping = isLoop(static_cast<SoundId>(i));
    bank.samples[i].assign(length, looping ? loop : oneShot);
    if (!looping) {
      for (std::size_t k = 0; k < length; ++k) bank.samples[i][k] = (k / 24) % 2 ? -oneShot : oneShot;
    }
  }
  return bank;
}

std::vector<float> render(Mixer& mixer, std::size_t frames) {
  std::vector<float> out(frames * 2, 123.0f);
  mixer.mix(out.data(), frames);
  return out;
}

float peak(const std::vector<float>& samples) {
  float p = 0;
  for (float s : samples) p = std::max(p, std::abs(s));
  return p;
}

// The largest jump between neighbouring frames of one channel.
float largestStep(const std::vector<float>& stereo, int channel) {
  float step = 0;
  for (std::size_t i = 2 + channel; i < stereo.size(); i += 2)
    step = std::max(step, std::abs(stereo[i] - stereo[i - 2]));
  return step;
}

// --- Synthesised sounds --------------------------------------------------------

TEST(SoundSynth, EverySoundIsMadeTheSameWayEveryTimeAndStaysInRange) {
  SoundBank a = Synth(kRate).generate();
  SoundBank b = Synth(kRate).generate();
  for (std::size_t i = 0; i < kSoundCount; ++i) {
    const auto id = static_cast<SoundId>(i);
    SCOPED_TRACE(soundName(id));
    const std::vector<float>& s = a[id];
    ASSERT_GT(s.size(), static_cast<std::size_t>(kRate / 50));
    EXPECT_EQ(s, b[id]);
    for (float x : s) ASSERT_TRUE(std::isfinite(x) && std::abs(x) <= 1.0f);
    EXPECT_GT(peak(s), 0.3f);  // nothing is made silent
    if (!isLoop(id)) {
      // One-shots begin and end at silence, so starting or finishing one never clicks.
      EXPECT_EQ(s.front(), 0.0f);
      EXPECT_LT(std::abs(s.back()), 0.01f);
    }
  }
  // Another seed makes other noise.
  EXPECT_NE(Synth(kRate, 7).make(SoundId::Rain), a[SoundId::Rain]);
}

// --- Mixer ------------------------------------------------------------------

TEST(SoundMixer, ManyLoudVoicesStayInsideFullScale) {
  SoundBank bank = flatBank();
  Mixer mixer(bank, kRate);
  for (int i = 0; i < 40; ++i)
    mixer.apply(MixerCommand::play(SoundId::Land, 4.0f, 1.0f + 0.01f * i, i % 2 ? 1.0f : -1.0f));
  for (std::size_t i = soundIndex(kFirstLoop); i < kSoundCount; ++i) {
    mixer.apply(MixerCommand::loop(static_cast<SoundId>(i), 4.0f));
  }
  EXPECT_EQ(mixer.playingOneShots(), Mixer::kMaxOneShots);  // the extra starts took over old voices
  std::vector<float> out = render(mixer, 9000);
  EXPECT_LT(peak(out), 1.0f);
  EXPECT_GT(peak(out), 0.9f);
}

TEST(SoundMixer, MuteSilencesEverythingAndUnmuteBringsItBack) {
  SoundBank bank = flatBank(0.3f, 0.3f);
  Mixer mixer(bank, kRate);
  mixer.apply(MixerCommand::loop(SoundId::Rain, 1.0f));
  std::vector<float> before = render(mixer, 9600);
  EXPECT_GT(std::abs(before.back()), 0.1f);
  mixer.apply(MixerCommand::mute(true));
  EXPECT_TRUE(mixer.isMuted());
  render(mixer, static_cast<std::size_t>(Mixer::kMasterGlideSeconds * kRate) + 1);
  mixer.apply(MixerCommand::play(SoundId::Jump, 1.0f));
  std::vector<float> muted = render(mixer, 4800);
  EXPECT_EQ(peak(muted), 0.0f);
  mixer.apply(MixerCommand::mute(false));
  std::vector<float> back = render(mixer, 4800);
  EXPECT_GT(std::abs(back.back()), 0.1f);
  EXPECT_LT(largestStep(back, 0), 0.01f);  // the sound returns gliding, not with a click
}

// --- Queue and engine --------------------------------------------------------

TEST(SoundQueue, AProducerAndAConsumerThreadLoseAndReorderNothing) {
  SpscQueue<int, 64> q;
  constexpr int kCount = 50000;
  std::thread producer([&] {
    for (int i = 0; i < kCount;) {
      if (q.push(i)) {
        ++i;
      } else {
        std::this_thread::yield();
      }
    }
  });
  int expected = 0;
  bool inOrder = true;
  while (expected < kCount) {
    int v = 0;
    if (!q.pop(v)) {
      std::this_thread::yield();
      continue;
    }
    inOrder = inOrder && v == expected;
    ++expected;
  }
  producer.join();
  EXPECT_TRUE(inOrder);
}

// --- Director ----------------------------------------------------------------

SoundEvent heard(SoundEventType type, float gain = 1, std::size_t index = 0) {
  SoundEvent e;
  e.type = type;
  e.gain = gain;
  e.index = index;
  return e;
}

const MixerCommand* find(const std::vector<MixerCommand>& commands, MixerCommand::Kind kind, SoundId id) {
  for (const MixerCommand& c : commands) {
    if (c.kind == kind && (kind == MixerCommand::Kind::SetMuted || c.sound == id)) return &c;
  }
  return nullptr;
}

TEST(SoundDirector, OneStartPerSoundAndUpdateAtTheLoudestLevel) {
  AudioDirector director(false);
  auto commands =
      director.direct({heard(SoundEventType::BlockWetted, 0.2f, 1), heard(SoundEventType::BlockWetted, 0.9f, 2),
                       heard(SoundEventType::BlockWetted, 0.5f, 3), heard(SoundEventType::Jump),
                       heard(SoundEventType::ButtonPressed, 0.0f)});  // out of the camera band
  auto plays = std::count_if(commands.begin(), commands.end(),
                             [](const MixerCommand& c) { return c.kind == MixerCommand::Kind::Play; });
  EXPECT_EQ(plays, 2);
  const MixerCommand* wet = find(commands, MixerCommand::Kind::Play, SoundId::Wet);
  ASSERT_NE(wet, nullptr);
  EXPECT_GT(
      wet->gain,
      find(director.direct({heard(SoundEventType::BlockWetted, 0.2f)}), MixerCommand::Kind::Play, SoundId::Wet)->gain);
  EXPECT_EQ(find(commands, MixerCommand::Kind::Play, SoundId::ButtonPress), nullptr);
}

}  // namespace
}  // namespace vw
