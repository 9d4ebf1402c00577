#include "puzzle/RisingDoor.h"

#include <cmath>

#include "render/RenderContext.h"

namespace vw {

namespace {

// A door given no usable travel time takes a second, as a puzzle file with a
// broken field does.
constexpr float kFallbackTravelTime = 1.0f;

float usableTravelTime(float seconds) {
  return std::isfinite(seconds) && seconds > 0 ? seconds : kFallbackTravelTime;
}

}  // namespace

RisingDoor::RisingDoor(const std::string& key, float width, float height, float travelSeconds, float holdSeconds,
                       DoorMode doorMode, PuzzleElement* controllerElement)
    : PuzzleElement(controllerElement, nullptr),
      holdTime(holdSeconds),
      travelTime(usableTravelTime(travelSeconds)),
      mode(doorMode) {
  type = PuzzleElementType::RisingDoor;
  init(key, width, height);
  active = false;
  baseY = getPosition().y;
}

void RisingDoor::activate() {
  active = true;
  if (mode == DoorMode::Active) progress = 0;
}

void RisingDoor::deactivate() {
  active = false;
  if (mode == DoorMode::Active) progress = travelTime;
}

void RisingDoor::translate(float dx, float dy, float dz) {
  Sprite::translate(dx, dy, dz);
  baseY = getPosition().y;
  updateBounds();
}

void RisingDoor::place() {
  Vec3 p = getPosition();
  setPosition(p.x, progress / travelTime * riseHeight + baseY);
  updateBounds();
}

void RisingDoor::update(float dt) {
  if (!std::isfinite(dt) || dt < 0) dt = 0;
  switch (mode) {
    case DoorMode::Active: updateActive(dt); break;
    case DoorMode::Toggle: updateToggle(dt); break;
  }
}

// Waits closed, rises, waits open, falls, and again; a switch restarts the
// rise from the bottom or the fall from the top.
void RisingDoor::updateActive(float dt) {
  if (!active && progress == 0) {
    timer += dt;
    if (timer >= holdTime) {
      activate();
      timer = holdTime;
    }
  }
  if (active && progress < travelTime) {
    progress += dt;
    if (progress > travelTime) progress = travelTime;
    place();
  } else if (active && progress == travelTime) {
    timer -= dt;
    if (timer < 0) {
      timer = 0;
      deactivate();
    }
  } else if (!active && progress > 0) {
    progress -= dt;
    if (progress <= 0) progress = 0;
    place();
  }
}

// Rises while on, falls while off; may turn back half-way.
void RisingDoor::updateToggle(float dt) {
  if (active && progress < travelTime) {
    progress += dt;
    if (progress > travelTime) progress = travelTime;
    place();
  } else if (!active && progress > 0) {
    progress -= dt;
    if (progress < 0) progress = 0;
    place();
  }
}

void RisingDoor::draw(RenderContext& context, const TextureRegistry& textures) {
  drawCell(context, textures, SheetCell{Vec2(1, 1), Vec2(0, 0)}, multiply(world, *context.viewProj));
}

}  // namespace vw
