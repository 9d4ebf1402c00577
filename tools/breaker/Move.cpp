#include "Move.h"

#include <algorithm>
#include <cmath>

#include "app/Game.h"
#include "app/KeyCodes.h"

namespace vw {

namespace {

// The cursor stands this far from the player along the aim.
constexpr float kAimReach = 150;
constexpr float kPi = 3.14159265f;
constexpr int kPowerKeyUpdates = 2;

std::vector<int> walkKeys(int direction) {
  if (direction < 0) return {Key::A};
  if (direction > 0) return {Key::D};
  return {};
}

ScriptStep step(std::uint64_t count, std::vector<int> keys, Vec2 cursor = Vec2(500, 400), bool down = false) {
  ScriptStep s;
  s.count = count;
  s.keys = std::move(keys);
  s.cursor = cursor;
  s.buttonDown = down;
  return s;
}

int powerKey(Power power) {
  switch (power) {
    case Power::Steam: return Key::Two;
    case Power::Ice: return Key::Three;
    default: return Key::One;
  }
}

// The back-buffer pixel kAimReach from the player along the angle, whole pixels.
Vec2 aimCursor(const Game& game, int angleDegrees) {
  const float a = static_cast<float>(angleDegrees) * kPi / 180.0f;
  const Vec3 p = game.player->getPosition();
  const float x = p.x + kAimReach * std::cos(a) - game.cameraEye.x + 500.0f;
  const float y = 400.0f - (p.y + kAimReach * std::sin(a) - game.cameraEye.y);
  return Vec2(std::round(x), std::round(y));
}

std::vector<Move> makeBreadthMoves() {
  std::vector<Move> moves;
  for (int direction : {-1, 1}) {
    for (int updates : {10, 30, 90}) moves.push_back(Move{MoveKind::Walk, direction, updates});
  }
  for (int direction : {-1, 0, 1}) {
    moves.push_back(Move{MoveKind::Jump, direction, 40, false});
    moves.push_back(Move{MoveKind::Jump, direction, 40, true});
    moves.push_back(Move{MoveKind::Jump, direction, 100, true});
    moves.push_back(Move{MoveKind::Jump, direction, 100, true, 30});
  }
  for (Power power : {Power::Water, Power::Steam, Power::Ice}) {
    for (int angle = 0; angle < 360; angle += 45) moves.push_back(Move{MoveKind::Spray, 0, 30, false, 0, power, angle});
  }
  moves.push_back(Move{MoveKind::Wait, 0, 45});
  return moves;
}

int uniform(std::mt19937& rng, int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); }

}  // namespace

std::vector<ScriptStep> stepsFor(const Move& move, const Game& game) {
  const auto n = static_cast<std::uint64_t>(std::max(move.updates, 1));
  std::vector<int> keys = walkKeys(move.direction);
  switch (move.kind) {
    case MoveKind::Walk: return {step(n, keys), step(1, {})};
    case MoveKind::Jump: {
      // A jump needs W up the update before it is pressed.
      std::vector<int> withW = keys;
      withW.push_back(Key::W);
      if (!move.umbrella) return {step(1, keys), step(1, withW), step(n, keys)};
      const auto after = static_cast<std::uint64_t>(std::clamp(move.umbrellaAfter, 0, move.updates));
      std::vector<ScriptStep> steps{step(1, keys), step(1, withW)};
      if (after > 0) steps.push_back(step(after, keys));
      if (n > after) steps.push_back(step(n - after, withW));
      return steps;
    }
    case MoveKind::Spray: {
      const Vec2 cursor = aimCursor(game, move.angleDegrees);
      return {step(kPowerKeyUpdates, {powerKey(move.power)}, cursor), step(n, keys, cursor, true)};
    }
    case MoveKind::Wait: return {step(n, {})};
  }
  return {};
}

const std::vector<Move>& breadthMoves() {
  static const std::vector<Move> moves = makeBreadthMoves();
  return moves;
}

Move randomMove(std::mt19937& rng) {
  Move move;
  const int kind = uniform(rng, 0, 99);
  move.direction = uniform(rng, -1, 1);
  if (kind < 35) {
    move.kind = MoveKind::Walk;
    if (move.direction == 0) move.direction = 1;
    move.updates = uniform(rng, 4, 120);
  } else if (kind < 65) {
    move.kind = MoveKind::Jump;
    move.umbrella = uniform(rng, 0, 1) == 1;
    move.updates = uniform(rng, 15, 120);
    if (move.umbrella && uniform(rng, 0, 1) == 1) move.umbrellaAfter = uniform(rng, 1, move.updates);
  } else if (kind < 90) {
    move.kind = MoveKind::Spray;
    if (uniform(rng, 0, 1) == 0) move.direction = 0;
    move.power = static_cast<Power>(uniform(rng, 0, 2));
    move.angleDegrees = 5 * uniform(rng, 0, 71);
    move.updates = uniform(rng, 5, 90);
  } else {
    move.kind = MoveKind::Wait;
    move.direction = 0;
    move.updates = uniform(rng, 5, 90);
  }
  return move;
}

}  // namespace vw
