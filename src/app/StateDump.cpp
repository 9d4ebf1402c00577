#include "app/StateDump.h"

#include <cmath>
#include <cstdio>

#include "app/Game.h"
#include "puzzle/Btn.h"
#include "puzzle/RisingDoor.h"
#include "puzzle/Steamjet.h"
#include "puzzle/TrapDoor.h"
#include "puzzle/WaterWheel.h"

namespace vw {

namespace {

// A small writer for flat JSON objects and arrays.
class Json {
 public:
  Json& open(char bracket) {
    comma();
    out_ += bracket;
    first_ = true;
    return *this;
  }
  Json& close(char bracket) {
    out_ += bracket;
    first_ = false;
    return *this;
  }
  Json& key(const char* name) {
    comma();
    out_ += '"';
    out_ += name;
    out_ += "\":";
    first_ = true;
    return *this;
  }
  Json& number(double v) {
    comma();
    if (!std::isfinite(v)) {
      out_ += "null";
    } else {
      char buffer[40];
      std::snprintf(buffer, sizeof buffer, "%.9g", v);
      out_ += buffer;
    }
    return *this;
  }
  Json& boolean(bool v) {
    comma();
    out_ += v ? "true" : "false";
    return *this;
  }
  Json& string(const std::string& s) {
    comma();
    out_ += '"';
    for (char c : s) {
      if (c == '"' || c == '\\') {
        out_ += '\\';
        out_ += c;
      } else if (static_cast<unsigned char>(c) < 0x20) {
        char buffer[8];
        std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
        out_ += buffer;
      } else {
        out_ += c;
      }
    }
    out_ += '"';
    return *this;
  }
  Json& field(const char* name, double v) { return key(name).number(v); }
  Json& field(const char* name, bool v) { return key(name).boolean(v); }
  Json& field(const char* name, const std::string& v) { return key(name).string(v); }
  std::string str() const { return out_; }

 private:
  void comma() {
    if (!first_) out_ += ',';
    first_ = false;
  }
  std::string out_;
  bool first_ = true;
};

const char* stateName(BlockState s) {
  switch (s) {
    case BlockState::Frozen: return "Frozen";
    case BlockState::Wet: return "Wet";
    default: return "Normal";
  }
}

void placement(Json& j, const Sprite& s) {
  Vec3 p = s.getPosition();
  j.field("x", p.x).field("y", p.y).field("width", s.getWidth()).field("height", s.getHeight());
}

void player(Json& j, const Player& p) {
  Vec3 pos = p.getPosition();
  Vec3 v = p.getVelocity();
  j.key("player").open('{');
  j.field("x", pos.x).field("y", pos.y).field("vx", v.x).field("vy", v.y);
  j.field("onGround", p.isOnGround()).field("onIce", p.isOnIce());
  j.field("power", static_cast<double>(static_cast<int>(p.getPower())));
  j.field("facing", p.facing).field("emitting", p.getEmitter().isEmitting());
  j.field("particles", static_cast<double>(p.getEmitter().count()));
  j.field("respawns", static_cast<double>(p.getRespawnCount()));
  j.close('}');
}

void element(Json& j, const PuzzleElement& e) {
  j.open('{').field("type", std::string(typeName(e.getType())));
  placement(j, e);
  j.field("active", e.isActive());
  switch (e.getType()) {
    case PuzzleElementType::Btn: j.field("pressed", static_cast<const Btn&>(e).isPressed()); break;
    case PuzzleElementType::RisingDoor: j.field("progress", static_cast<const RisingDoor&>(e).getProgress()); break;
    case PuzzleElementType::TrapDoor:
      j.field("animation", static_cast<double>(e.getAnimation())).field("frame", static_cast<double>(e.getFrame()));
      break;
    case PuzzleElementType::WaterWheel: j.field("spin", static_cast<const WaterWheel&>(e).getSpin()); break;
    case PuzzleElementType::Steamjet:
      j.field("particles", static_cast<double>(static_cast<const Steamjet&>(e).getEmitter().count()));
      break;
    default: break;
  }
  j.close('}');
}

}  // namespace

std::string stateDumpJson(const Game& game) {
  Json j;
  j.open('{');
  j.field("frame", static_cast<double>(game.frame));
  j.field("gameState", std::string(gameStateName(game.gameState)));
  j.field("levelWidth", game.levelWidth);
  j.key("camera").open('{').field("x", game.cameraEye.x).field("y", game.cameraEye.y).close('}');
  if (game.player) player(j, *game.player);
  j.key("mapElements").open('[');
  for (const auto& block : game.mapElements) {
    j.open('{');
    placement(j, *block);
    j.field("state", std::string(stateName(block->getState()))).field("heavy", block->isHeavy());
    j.field("texture", block->getTextureKey()).close('}');
  }
  j.close(']');
  j.key("puzzleElements").open('[');
  for (const auto& e : game.puzzleElements) element(j, *e);
  j.close(']');
  j.close('}');
  return j.str() + "\n";
}

}  // namespace vw
