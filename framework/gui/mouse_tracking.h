// The drag loop the further controls share: the mouse is polled, not sent as messages.
#pragma once

#include "control.h"
#include "draw_context.h"
#include "frame.h"

// Runs `step` (position, buttons) for the press position and then for every polled position
// while `holding` (buttons) stays true, keeping the editor serviced in between. A window
// destroyed under the drag never sees the button come up, so that ends the loop too.
template <typename Holding, typename Step>
void trackMouse(Control &control, DrawContext *context, const Point &start, Holding holding,
                Step step) {
  Point position = start;
  std::int32_t buttons;
  do {
    buttons = context->getMouseButtons();
    step(position, buttons);
    context->getMouseLocation(position);
    control.runIdle();
  } while (holding(buttons) && (!control.getFrame() || control.getFrame()->isOpen()));
}

// Brackets a drag with the host's edit gestures for the control's tag.
inline void beginEdit(Control &control) {
  if (control.getFrame())
    control.getFrame()->beginEdit(control.getTag());
}
inline void endEdit(Control &control) {
  if (control.getFrame())
    control.getFrame()->endEdit(control.getTag());
}

// The listener hears of a value only when it differs from `before`.
inline void notifyIfDifferent(Control &control, DrawContext *context, float before) {
  if (control.getValue() != before && control.getListener())
    control.getListener()->valueChanged(context, &control);
}
inline void notifyListener(Control &control, DrawContext *context) {
  if (control.getListener())
    control.getListener()->valueChanged(context, &control);
}
