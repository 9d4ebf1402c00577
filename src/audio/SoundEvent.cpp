#include "audio/SoundEvent.h"

namespace vw {

const char* soundEventName(SoundEventType type) {
  switch (type) {
    case SoundEventType::Jump: return "Jump";
    case SoundEventType::UmbrellaOpened: return "UmbrellaOpened";
    case SoundEventType::Landed: return "Landed";
    case SoundEventType::BlockFrozen: return "BlockFrozen";
    case SoundEventType::BlockThawed: return "BlockThawed";
    case SoundEventType::BlockWetted: return "BlockWetted";
    case SoundEventType::ButtonPressed: return "ButtonPressed";
    case SoundEventType::ButtonReleased: return "ButtonReleased";
    case SoundEventType::DoorStarted: return "DoorStarted";
    case SoundEventType::DoorStopped: return "DoorStopped";
    case SoundEventType::TrapDoorSwing: return "TrapDoorSwing";
    case SoundEventType::TrapDoorSettled: return "TrapDoorSettled";
    case SoundEventType::JetLoop: return "JetLoop";
    case SoundEventType::WheelLoop: return "WheelLoop";
    case SoundEventType::DoorLoop: return "DoorLoop";
    case SoundEventType::SprayLoop: return "SprayLoop";
    case SoundEventType::MenuClick: return "MenuClick";
    case SoundEventType::Paused: return "Paused";
    case SoundEventType::Unpaused: return "Unpaused";
    case SoundEventType::MuteToggled: return "MuteToggled";
  }
  return "?";
}

}  // namespace vw
