// Physical input and the button bits the contexts must report for it.
#pragma once

#include <vector>

#include "gui/mouse_state.h"

struct MouseStateCase {
  const char *name;
  PhysicalInput input;
  bool swapped;
  std::int32_t bits;
};

inline std::vector<MouseStateCase> mouseStateCases() {
  PhysicalInput shiftLeft;
  shiftLeft.leftButton = shiftLeft.shift = true;
  PhysicalInput right;
  right.rightButton = true;
  PhysicalInput controlAltMiddle;
  controlAltMiddle.control = controlAltMiddle.alt = controlAltMiddle.middleButton = true;
  return {
      {"shift and left", shiftLeft, false, 9},
      {"shift and left, swapped", shiftLeft, true, 12},
      {"right", right, false, 4},
      {"right, swapped", right, true, 1},
      {"control, alt and middle", controlAltMiddle, true, 2 | 16 | 32},
      {"nothing", PhysicalInput(), false, 0},
  };
}
