#include "editor/ElementKind.h"

namespace vw {

namespace {

constexpr int kBig = kMaxCoordinate;

constexpr FieldSpec kIgnored{"ignored", FieldRole::Ignored, 0, 0, 0};
constexpr FieldSpec kId{"id", FieldRole::Id, 0, 99999, 1};
constexpr FieldSpec kX{"x", FieldRole::X, -kBig, kBig, 0};
constexpr FieldSpec kY{"y", FieldRole::Y, -kBig, kBig, 0};

constexpr FieldSpec width(int initial) { return {"width", FieldRole::Width, 1, 10000, initial}; }
constexpr FieldSpec height(int initial) { return {"height", FieldRole::Height, 1, 10000, initial}; }
constexpr FieldSpec flag(const char* name, int initial) { return {name, FieldRole::Plain, 0, 1, initial}; }
constexpr FieldSpec seconds(const char* name, int min, int initial) { return {name, FieldRole::Plain, min, 600, initial}; }

}  // namespace

const std::vector<ElementKind>& elementKinds() {
  static const std::vector<ElementKind> kinds{
      {"BLOCK", {kX, kY, height(100), width(100)}, 0, false, false, "a stone block"},
      {"ICEBLOCK", {kX, kY, height(100), width(100)}, 0, false, false, "a stone block that starts frozen"},
      {"HEAVYBOX", {kIgnored, kX, kY, height(100), width(100)}, 0, false, false, "a heavy block no spray changes"},
      {"MOVINGBOX", {kId, kX, kY, height(50), width(50)}, 0, true, false, "a box that falls, slides and is shoved"},
      {"RISINGDOOR",
       {kId, kX, kY, height(200), width(50), seconds("travelTime", 1, 2), seconds("holdTime", 0, 2),
        flag("mode", 1), flag("initial", 1)},
       100, true, false, "a door that slides 200 up and down (mode 0 Active, 1 Toggle)"},
      {"STEAMJET",
       {kId, kX, kY, height(20), width(60), {"areaHeight", FieldRole::Plain, 0, 10000, 300},
        {"areaWidth", FieldRole::Plain, 0, 10000, 100}, flag("on", 1)},
       -100, true, false, "a vent whose steam column lifts the player"},
      {"TRAPDOOR",
       {kId, kX, kY, {"thickness", FieldRole::Plain, 1, 10000, 20}, {"size", FieldRole::Size, 1, 10000, 100},
        {"facing", FieldRole::Plain, -1, 1, 1}, flag("initial", 1)},
       -45, true, false, "a square lid that swings open"},
      {"PRESSBUTTON",
       {kIgnored, kX, kY, width(80), height(20), flag("momentary", 1), {"targetId", FieldRole::Target, 0, 99999, 0}},
       -46, false, true, "a floor button (momentary 1 springs back)"},
      {"WATERWHEEL",
       {kIgnored, kX, kY, width(100), height(100), {"targetId", FieldRole::Target, 0, 99999, 0},
        seconds("spinDownTime", 1, 3)},
       0, false, true, "a wheel turned by water spray"},
  };
  return kinds;
}

int findKind(std::string_view keyword) {
  const auto& kinds = elementKinds();
  for (std::size_t i = 0; i < kinds.size(); ++i) {
    if (keyword == kinds[i].keyword) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace vw
