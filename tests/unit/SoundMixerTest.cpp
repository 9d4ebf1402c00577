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

TEST(SoundSynth, LoopsWrapWithoutASeam) {
  Synth synth(kRate);
  for (std::size_t i = soundIndex(kFirstLoop); i < kSoundCount; ++i) {
    const auto id = static_cast<SoundId>(i);
    SCOPED_TRACE(soundName(id));
    std::vector<float> s = synth.make(id);
    float inside = 0;
    for (std::size_t k = 1; k < s.size(); ++k) inside = std::max(inside, std::abs(s[k] - s[k - 1]));
    // The step from the last sample back to the first is no larger than the sound's own steps.
    EXPECT_LE(std::abs(s.front() - s.back()), inside);
  }
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

TEST(SoundMixer, OneShotsPlayToTheirEndAndFreeTheirVoice) {
  SoundBank bank = flatBank(0.2f, 0.5f, 480);
  Mixer mixer(bank, kRate);
  mixer.apply(MixerCommand::play(SoundId::Jump, 1.0f));
  mixer.apply(MixerCommand::play(SoundId::Wet, 1.0f, 2.0f));  // twice as fast: half as long
  EXPECT_EQ(mixer.playingOneShots(), 2u);
  render(mixer, 300);
  EXPECT_EQ(mixer.playingOneShots(), 1u);
  render(mixer, 300);
  EXPECT_EQ(mixer.playingOneShots(), 0u);
  std::vector<float> after = render(mixer, 100);
  EXPECT_EQ(peak(after), 0.0f);
  mixer.apply(MixerCommand::play(SoundId::Rain, 1.0f));  // a loop cannot be started as a one-shot
  EXPECT_EQ(mixer.playingOneShots(), 0u);
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

TEST(SoundMixer, LoopsGlideToTheirLevelsWithoutClicks) {
  SoundBank bank = flatBank(0.3f, 0.5f);
  Mixer mixer(bank, kRate);
  // The largest change between frames a glide of the loop's level allows.
  const float glideStep = 0.5f / (Mixer::kLoopGlideSeconds * kRate) + 1e-6f;
  mixer.apply(MixerCommand::loop(SoundId::Wheel, 1.0f, 1.0f, -1.0f));
  std::vector<float> rising = render(mixer, 9600);
  EXPECT_LE(largestStep(rising, 0), glideStep + 0.5f / (Mixer::kMasterGlideSeconds * kRate));
  EXPECT_NEAR(rising[rising.size() - 2], 0.5f, 1e-5f);  // hard left
  EXPECT_NEAR(rising.back(), 0.0f, 1e-6f);
  mixer.apply(MixerCommand::loop(SoundId::Wheel, 1.0f, 1.0f, 1.0f));  // swing to the right
  std::vector<float> swing = render(mixer, 9600);
  EXPECT_LE(largestStep(swing, 0), glideStep);
  EXPECT_LE(largestStep(swing, 1), glideStep);
  mixer.apply(MixerCommand::loop(SoundId::Wheel, 0.0f, 1.0f, 1.0f));
  EXPECT_EQ(mixer.loopTarget(SoundId::Wheel), 0.0f);
  std::vector<float> falling = render(mixer, 9600);
  EXPECT_LE(largestStep(falling, 1), glideStep);
  EXPECT_EQ(falling.back(), 0.0f);
}

TEST(SoundMixer, BadLevelsFromTheGameAreTamed) {
  SoundBank bank = flatBank(0.3f, 0.5f);
  Mixer mixer(bank, kRate);
  mixer.apply(MixerCommand::loop(SoundId::Rain, NAN, INFINITY, -NAN));
  mixer.apply(MixerCommand::play(SoundId::Jump, -3.0f, 0.0f, 9.0f));
  mixer.apply(MixerCommand::volume(NAN));
  std::vector<float> out = render(mixer, 4800);
  for (float s : out) ASSERT_TRUE(std::isfinite(s) && std::abs(s) < 1.0f);
}

// --- Queue and engine --------------------------------------------------------

TEST(SoundQueue, HoldsItsCapacityInOrderAndRefusesMore) {
  SpscQueue<int, 4> q;
  int v = 0;
  EXPECT_FALSE(q.pop(v));
  for (int i = 0; i < 4; ++i) EXPECT_TRUE(q.push(i));
  EXPECT_FALSE(q.push(99));
  for (int i = 0; i < 4; ++i) {
    ASSERT_TRUE(q.pop(v));
    EXPECT_EQ(v, i);
  }
  EXPECT_FALSE(q.pop(v));
  EXPECT_TRUE(q.push(5));  // the ring wraps
  ASSERT_TRUE(q.pop(v));
  EXPECT_EQ(v, 5);
}

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

TEST(SoundEngine, CommandsPostedReachTheMixerAtTheNextRender) {
  AudioEngine engine(kRate);
  std::vector<float> out(2048, 1.0f);
  engine.render(out.data(), 1024);
  EXPECT_EQ(peak(out), 0.0f);  // nothing asked for, nothing heard
  EXPECT_TRUE(engine.post(MixerCommand::loop(SoundId::Rain, 1.0f)));
  EXPECT_TRUE(engine.post(MixerCommand::play(SoundId::Land, 1.0f)));
  engine.render(out.data(), 1024);
  EXPECT_GT(peak(out), 0.01f);
  // A full queue drops the command instead of waiting.
  std::size_t accepted = 0;
  while (engine.post(MixerCommand::loop(SoundId::Rain, 0.5f)) && accepted < 10 * AudioEngine::kQueueCapacity)
    ++accepted;
  EXPECT_EQ(accepted, AudioEngine::kQueueCapacity);
  engine.render(out.data(), 16);
  EXPECT_TRUE(engine.post(MixerCommand::mute(true)));
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

TEST(SoundDirector, EachMToggleFlipsTheMute) {
  AudioDirector director(false);
  auto first = director.direct({heard(SoundEventType::MuteToggled)});
  EXPECT_TRUE(director.isMuted());
  EXPECT_TRUE(find(first, MixerCommand::Kind::SetMuted, SoundId::Rain)->muted);
  auto second = director.direct({heard(SoundEventType::MuteToggled)});
  EXPECT_FALSE(director.isMuted());
  EXPECT_FALSE(find(second, MixerCommand::Kind::SetMuted, SoundId::Rain)->muted);
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

TEST(SoundDirector, LoopsFollowTheirSourcesAndFadeWhenNoLongerReported) {
  AudioDirector director(false);
  SoundEvent spray = heard(SoundEventType::SprayLoop);
  spray.power = Power::Ice;
  auto playing =
      director.direct({spray, heard(SoundEventType::JetLoop, 0.5f, 1), heard(SoundEventType::JetLoop, 0.0f, 2)});
  EXPECT_GT(find(playing, MixerCommand::Kind::SetLoop, SoundId::IceSpray)->gain, 0.0f);
  EXPECT_EQ(find(playing, MixerCommand::Kind::SetLoop, SoundId::WaterSpray)->gain, 0.0f);
  float oneJet = find(playing, MixerCommand::Kind::SetLoop, SoundId::Jet)->gain;
  EXPECT_GT(oneJet, 0.0f);
  // Two jets are louder than one, but not twice as loud.
  auto two = director.direct({spray, heard(SoundEventType::JetLoop, 0.5f, 1), heard(SoundEventType::JetLoop, 0.5f, 2)});
  float twoJets = find(two, MixerCommand::Kind::SetLoop, SoundId::Jet)->gain;
  EXPECT_GT(twoJets, oneJet);
  EXPECT_LT(twoJets, 2 * oneJet);
  // Unchanged levels are not sent again.
  auto same =
      director.direct({spray, heard(SoundEventType::JetLoop, 0.5f, 1), heard(SoundEventType::JetLoop, 0.5f, 2)});
  EXPECT_EQ(find(same, MixerCommand::Kind::SetLoop, SoundId::Jet), nullptr);
  // The pause: nothing reported, every game loop goes to 0; the rain stays.
  auto paused = director.direct({});
  EXPECT_EQ(find(paused, MixerCommand::Kind::SetLoop, SoundId::Jet)->gain, 0.0f);
  EXPECT_EQ(find(paused, MixerCommand::Kind::SetLoop, SoundId::IceSpray)->gain, 0.0f);
  EXPECT_EQ(find(paused, MixerCommand::Kind::SetLoop, SoundId::Rain), nullptr);
}

}  // namespace
}  // namespace vw
