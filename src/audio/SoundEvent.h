#pragma once
// One thing the game did that can be heard, as the observer reports it.
#include <cstddef>

#include "player/Power.h"

namespace vw {

enum class SoundEventType {
  Jump,
  UmbrellaOpened,
  Landed,
  BlockFrozen,
  BlockThawed,
  BlockWetted,
  ButtonPressed,
  ButtonReleased,
  DoorStarted,
  DoorStopped,
  TrapDoorSwing,    // a trap door starts swinging (or turns back mid-swing)
  TrapDoorSettled,  // a trap door comes to rest open or shut
  JetLoop,          // every update, one per steam jet
  WheelLoop,        // every update, one per water wheel
  DoorLoop,         // every update, one per rising door
  SprayLoop,        // every update while playing: the player's spray
  MenuClick,
  Paused,
  Unpaused,
  MuteToggled,
};

struct SoundEvent {
  SoundEventType type = SoundEventType::MenuClick;
  std::size_t index = 0;  // the block or element in its list, for per-element events
  float gain = 1;         // 0 to 1; distance and band already applied
  float pitch = 1;        // playback rate
  float pan = 0;          // -1 left to 1 right of the player
  Power power = Power::Water;  // the spray's kind
};

const char* soundEventName(SoundEventType type);

}  // namespace vw
