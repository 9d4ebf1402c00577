#pragma once
// Every sound the game makes, one-shots first, then the loops.
#include <array>
#include <cstddef>

namespace vw {

enum class SoundId {
  // One-shots.
  Jump,
  Umbrella,
  Land,
  Freeze,
  Thaw,
  Wet,
  ButtonPress,
  ButtonRelease,
  DoorStart,
  DoorStop,
  TrapDoorSwing,
  TrapDoorSettle,
  MenuClick,
  Pause,
  Unpause,
  // Loops.
  Rain,
  SteamSpray,
  WaterSpray,
  IceSpray,
  Jet,
  Wheel,
  DoorGrind,
};

constexpr std::size_t kSoundCount = static_cast<std::size_t>(SoundId::DoorGrind) + 1;
constexpr SoundId kFirstLoop = SoundId::Rain;

constexpr std::size_t soundIndex(SoundId id) { return static_cast<std::size_t>(id); }
constexpr bool isLoop(SoundId id) { return soundIndex(id) >= soundIndex(kFirstLoop); }

// A name for messages and tests.
const char* soundName(SoundId id);

}  // namespace vw
