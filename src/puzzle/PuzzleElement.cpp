#include "puzzle/PuzzleElement.h"

namespace vw {

const char* typeName(PuzzleElementType type) {
  switch (type) {
    case PuzzleElementType::MovingBlock: return "MovingBlock";
    case PuzzleElementType::Steamjet: return "Steamjet";
    case PuzzleElementType::RisingDoor: return "RisingDoor";
    case PuzzleElementType::TrapDoor: return "TrapDoor";
    case PuzzleElementType::Btn: return "Btn";
    case PuzzleElementType::WaterWheel: return "WaterWheel";
  }
  return "Unknown";
}

PuzzleElement::PuzzleElement(PuzzleElement* controllerElement, PuzzleElement* targetElement)
    : controller(controllerElement), target(targetElement) {
  kind = SpriteKind::PuzzleElement;
}

bool PuzzleElement::isLinkLit() const {
  if (target) return isActive();
  return controller && controller->isActive();
}

void PuzzleElement::toggleTarget() {
  if (!target) return;
  if (target->isActive()) {
    target->deactivate();
  } else {
    target->activate();
  }
}

}  // namespace vw
