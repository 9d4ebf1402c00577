#include "player/Power.h"

namespace vw {

const char* particleTextureKey(Power power) {
  switch (power) {
    case Power::Water: return "WATERSPRAY";
    case Power::Ice: return "ICESPRAY";
    default: return "STEAM";
  }
}

}  // namespace vw
