#include "mouse_state.h"

#include "gui_types.h"

std::int32_t mouseButtonBits(const PhysicalInput &input, bool buttonsSwapped) {
  std::int32_t bits = 0;
  if (input.leftButton)
    bits |= buttonsSwapped ? kRightButton : kLeftButton;
  if (input.rightButton)
    bits |= buttonsSwapped ? kLeftButton : kRightButton;
  if (input.middleButton)
    bits |= kMiddleButton;
  if (input.shift)
    bits |= kShift;
  if (input.control)
    bits |= kControl;
  if (input.alt)
    bits |= kAlt;
  return bits;
}
