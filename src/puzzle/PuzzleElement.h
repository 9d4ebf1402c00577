#pragma once
// PuzzleElement: the base of the six interactive elements. It adds a type
// code the frame update and the collision passes dispatch on, an on/off state
// behind activate/deactivate/isActive, and the links by which one element
// (its controller) switches another (its target).
#include "world/MapElement.h"

namespace vw {

enum class PuzzleElementType { MovingBlock = 0, Steamjet = 1, RisingDoor = 2, TrapDoor = 3, Btn = 4, WaterWheel = 5 };

const char* typeName(PuzzleElementType type);

// Link marker colours: a switch and what it switches share one, distinct within a puzzle.
constexpr int kLinkColorCount = 8;
constexpr int kNoLinkColor = -1;

class PuzzleElement : public MapElement {
 public:
  PuzzleElement(PuzzleElement* controller, PuzzleElement* target);

  // An exact copy, for a game snapshot. Its controller and target still
  // point into the original list; the snapshot points them at the copies.
  virtual std::unique_ptr<PuzzleElement> cloneElement() const = 0;
  std::unique_ptr<MapElement> clone() const final { return cloneElement(); }
  void setTarget(PuzzleElement* element) { target = element; }

  virtual void activate() { active = true; }
  virtual void deactivate() { active = false; }
  virtual void update(float dt) { (void)dt; }
  virtual bool isActive() const { return active; }

  PuzzleElementType getType() const { return type; }
  void setController(PuzzleElement* element) { controller = element; }
  PuzzleElement* getController() const { return controller; }
  PuzzleElement* getTarget() const { return target; }
  // The colour of the link marker it carries, or kNoLinkColor when it is in no link.
  int getLinkColor() const { return linkColor; }
  void setLinkColor(int color) { linkColor = color; }
  // Whether the switch of its link is on: its own state for a button or
  // wheel, its controller's for what one switches.
  bool isLinkLit() const;
  // Switches the target: off when it is on, on when it is off. No target, no switch.
  void toggleTarget();

 protected:
  PuzzleElementType type = PuzzleElementType::MovingBlock;
  bool active = false;
  PuzzleElement* controller = nullptr;  // not owned
  PuzzleElement* target = nullptr;      // not owned
  int linkColor = kNoLinkColor;
};

using ElementList = std::vector<std::unique_ptr<PuzzleElement>>;

}  // namespace vw
