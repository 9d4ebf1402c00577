#include "audio/SoundId.h"

namespace vw {

const char* soundName(SoundId id) {
  static constexpr std::array<const char*, kSoundCount> kNames = {
      "Jump",      "Umbrella",  "Land",       "Freeze",     "Thaw",           "Wet",
      "ButtonPress", "ButtonRelease", "DoorStart", "DoorStop", "TrapDoorSwing", "TrapDoorSettle",
      "MenuClick", "Pause",     "Unpause",    "Rain",       "SteamSpray",     "WaterSpray",
      "IceSpray",  "Jet",       "Wheel",      "DoorGrind"};
  std::size_t i = soundIndex(id);
  return i < kNames.size() ? kNames[i] : "?";
}

}  // namespace vw
