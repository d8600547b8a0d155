// The parts of the drawing context that only use its own mouse operations, the same on every
// window system.
#include "draw_context.h"

#include "frame.h"

std::int32_t DrawContext::getMouseButtons() { return pressHeld ? heldPress : readMouseButtons(); }

void DrawContext::getMouseLocation(Point &point) {
  // Polling the pointer means tracking has begun: from now on the button must really be down.
  pressHeld = false;
  readMouseLocation(point);
}

void DrawContext::holdPress(std::int32_t buttons) {
  heldPress = buttons;
  pressHeld = true;
}

bool DrawContext::waitDrag() {
  if (!frame)
    return false;
  Point p;
  getMouseLocation(p);
  const Rect box(p.h - 2, p.v - 2, p.h + 2, p.v + 2);
  while (getMouseButtons() & kLeftButton) {
    frame->runEditorIdle();
    getMouseLocation(p);
    if (!box.pointInside(p))
      return true;
  }
  return false;
}
