#include "puzzle/Btn.h"

namespace vw {

namespace {

constexpr int kRaisedRow = 0;
constexpr int kPressedRow = 1;

}  // namespace

Btn::Btn(const std::string& key, float width, float height, bool isMomentary, PuzzleElement* controllerElement,
         PuzzleElement* targetElement)
    : PuzzleElement(controllerElement, targetElement), momentary(isMomentary) {
  type = PuzzleElementType::Btn;
  init(key, width, height);
  active = false;
  setAnimation(kRaisedRow);
  pressed = false;
  setColumns(1);
  setRows(2);
  setFrameCount(kRaisedRow, 1);
  setFrameCount(kPressedRow, 1);
}

void Btn::activate() {
  toggleTarget();
  active = true;
  setAnimation(kPressedRow);
}

void Btn::deactivate() {
  toggleTarget();
  active = false;
  setAnimation(kRaisedRow);
}

}  // namespace vw
