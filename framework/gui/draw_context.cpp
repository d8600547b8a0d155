// The parts of the drawing context that only use its own mouse operations, the same on every
// window system.
#include "draw_context.h"

#include "frame.h"

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
