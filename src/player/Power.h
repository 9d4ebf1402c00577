#pragma once
// The three powers, also the kinds of particles.
namespace vw {

enum class Power { Steam = 0, Water = 1, Ice = 2 };

// The texture key of a power's particles ("STEAM" for anything unknown).
const char* particleTextureKey(Power power);

}  // namespace vw
