#include "app/KeyCodes.h"

namespace vw {

namespace {

struct NamedKey {
  std::string_view name;
  int code;
};

constexpr NamedKey kNamedKeys[] = {
    {"W", Key::W},         {"A", Key::A},       {"S", Key::S},         {"D", Key::D},
    {"E", Key::E},         {"Q", Key::Q},       {"R", Key::R},         {"T", Key::T},       {"P", Key::P},
    {"1", Key::One},       {"2", Key::Two},     {"3", Key::Three},     {"SPACE", Key::Space},
    {"LEFT", Key::Left},   {"RIGHT", Key::Right}, {"UP", Key::Up},     {"DOWN", Key::Down},
    {"GRAVE", Key::Grave}, {"ESCAPE", Key::Escape}, {"F3", Key::F3},   {"M", Key::M},
};

}  // namespace

std::optional<int> keyCodeForName(std::string_view name) {
  for (const NamedKey& k : kNamedKeys) {
    if (k.name == name) return k.code;
  }
  return std::nullopt;
}

std::string_view keyNameForCode(int code) {
  for (const NamedKey& k : kNamedKeys) {
    if (k.code == code) return k.name;
  }
  return {};
}

}  // namespace vw
