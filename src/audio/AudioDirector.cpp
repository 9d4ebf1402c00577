#include "audio/AudioDirector.h"

#include <algorithm>
#include <cmath>

namespace vw {

namespace {

constexpr float kAudible = 0.01f;

struct OneShot {
  SoundId sound;
  float level;
  float variety;  // the largest pitch change, as a fraction
};

// The one-shot of an event, or false for loops and the mute key.
bool oneShotFor(SoundEventType type, OneShot& shot) {
  switch (type) {
    case SoundEventType::Jump: shot = {SoundId::Jump, 0.5f, 0.05f}; return true;
    case SoundEventType::UmbrellaOpened: shot = {SoundId::Umbrella, 0.45f, 0.04f}; return true;
    case SoundEventType::Landed: shot = {SoundId::Land, 0.75f, 0.06f}; return true;
    case SoundEventType::BlockFrozen: shot = {SoundId::Freeze, 0.5f, 0.05f}; return true;
    case SoundEventType::BlockThawed: shot = {SoundId::Thaw, 0.5f, 0.05f}; return true;
    case SoundEventType::BlockWetted: shot = {SoundId::Wet, 0.5f, 0.08f}; return true;
    case SoundEventType::ButtonPressed: shot = {SoundId::ButtonPress, 0.7f, 0.03f}; return true;
    case SoundEventType::ButtonReleased: shot = {SoundId::ButtonRelease, 0.6f, 0.03f}; return true;
    case SoundEventType::DoorStarted: shot = {SoundId::DoorStart, 0.6f, 0.03f}; return true;
    case SoundEventType::DoorStopped: shot = {SoundId::DoorStop, 0.7f, 0.03f}; return true;
    case SoundEventType::TrapDoorSwing: shot = {SoundId::TrapDoorSwing, 0.8f, 0.06f}; return true;
    case SoundEventType::TrapDoorSettled: shot = {SoundId::TrapDoorSettle, 0.6f, 0.04f}; return true;
    case SoundEventType::MenuClick: shot = {SoundId::MenuClick, 0.5f, 0.0f}; return true;
    case SoundEventType::Paused: shot = {SoundId::Pause, 0.45f, 0.0f}; return true;
    case SoundEventType::Unpaused: shot = {SoundId::Unpause, 0.45f, 0.0f}; return true;
    default: return false;
  }
}

SoundId sprayLoop(Power kind) {
  switch (kind) {
    case Power::Steam: return SoundId::SteamSpray;
    case Power::Ice: return SoundId::IceSpray;
    case Power::Water: break;
  }
  return SoundId::WaterSpray;
}

// Several sources of one loop: their powers add, the loudest steer the pan and pitch.
struct LoopSum {
  float energy = 0;
  float weight = 0;
  float pan = 0;
  float pitch = 0;

  void add(float gain, float p, float pitchValue) {
    energy += gain * gain;
    weight += gain;
    pan += gain * p;
    pitch += gain * pitchValue;
  }
  float gain() const { return std::min(1.0f, std::sqrt(energy)); }
  float meanPan() const { return weight > 0 ? pan / weight : 0.0f; }
  float meanPitch() const { return weight > 0 ? pitch / weight : 1.0f; }
};

std::size_t loopSlot(SoundId id) { return soundIndex(id) - soundIndex(kFirstLoop); }

}  // namespace

AudioDirector::AudioDirector(bool muted) : muted_(muted) {}

std::vector<MixerCommand> AudioDirector::startCommands() const {
  return {MixerCommand::mute(muted_), MixerCommand::loop(SoundId::Rain, kRainLevel)};
}

std::vector<MixerCommand> AudioDirector::direct(const std::vector<SoundEvent>& events) {
  std::vector<MixerCommand> out;
  // One start per sound and update, at the loudest level asked for.
  std::array<const SoundEvent*, kSoundCount> loudest{};
  std::array<float, kSoundCount> levels{};
  LoopSum spray[3];
  LoopSum jets;
  LoopSum wheels;
  LoopSum doors;
  for (const SoundEvent& e : events) {
    OneShot shot{};
    if (oneShotFor(e.type, shot)) {
      float level = shot.level * std::clamp(e.gain, 0.0f, 1.0f);
      std::size_t i = soundIndex(shot.sound);
      if (level > levels[i]) {
        levels[i] = level;
        loudest[i] = &e;
      }
      continue;
    }
    switch (e.type) {
      case SoundEventType::MuteToggled:
        muted_ = !muted_;
        out.push_back(MixerCommand::mute(muted_));
        break;
      case SoundEventType::SprayLoop:
        spray[static_cast<int>(e.power) % 3].add(e.gain, 0, 1);
        break;
      case SoundEventType::JetLoop: jets.add(e.gain, e.pan, 1); break;
      case SoundEventType::WheelLoop: wheels.add(e.gain, e.pan, e.pitch); break;
      case SoundEventType::DoorLoop: doors.add(e.gain, e.pan, 1); break;
      default: break;
    }
  }
  for (std::size_t i = 0; i < kSoundCount; ++i) {
    if (!loudest[i] || levels[i] < kAudible) continue;
    OneShot shot{};
    oneShotFor(loudest[i]->type, shot);
    float pitch = 1.0f + shot.variety * variety_.white();
    out.push_back(MixerCommand::play(static_cast<SoundId>(i), levels[i], pitch, loudest[i]->pan));
  }

  std::array<LoopLevel, kLoopCount> loops{};
  loops[loopSlot(SoundId::Rain)] = {kRainLevel, 1, 0};
  for (Power kind : {Power::Steam, Power::Water, Power::Ice}) {
    const float level = kind == Power::Ice ? 0.5f : 0.35f;  // the crackle is sparse: it needs more level
    loops[loopSlot(sprayLoop(kind))] = {level * spray[static_cast<int>(kind)].gain(), 1, 0};
  }
  loops[loopSlot(SoundId::Jet)] = {0.45f * jets.gain(), 1, jets.meanPan()};
  loops[loopSlot(SoundId::Wheel)] = {0.5f * wheels.gain(), wheels.meanPitch(), wheels.meanPan()};
  loops[loopSlot(SoundId::DoorGrind)] = {0.35f * doors.gain(), 1, doors.meanPan()};
  sendLoops(loops, out);
  return out;
}

void AudioDirector::sendLoops(const std::array<LoopLevel, kLoopCount>& levels, std::vector<MixerCommand>& out) {
  constexpr float kChange = 0.002f;
  for (std::size_t i = 0; i < kLoopCount; ++i) {
    const LoopLevel& now = levels[i];
    const LoopLevel& was = sent_[i];
    bool changed = std::abs(now.gain - was.gain) > kChange || std::abs(now.pitch - was.pitch) > kChange ||
                   std::abs(now.pan - was.pan) > kChange || (now.gain == 0 && was.gain != 0);
    if (loopsSent_ && !changed) continue;
    out.push_back(MixerCommand::loop(static_cast<SoundId>(soundIndex(kFirstLoop) + i), now.gain, now.pitch, now.pan));
    sent_[i] = now;
  }
  loopsSent_ = true;
}

}  // namespace vw
