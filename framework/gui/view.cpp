#include "view.h"

#include "frame.h"

View::View(const Rect &bounds) : bounds(bounds), mouseArea(bounds) {}

View::~View() = default;

void View::draw(DrawContext *) { setNeedsRedraw(false); }

void View::drawInRect(DrawContext *context, const Rect &) { draw(context); }

bool View::overlaps(const Rect &rect) const { return bounds.overlapsInclusive(rect); }

void View::onMouseDown(DrawContext *, Point &) {}

bool View::redrawIfDirty(DrawContext *context) {
  if (!needsRedraw())
    return false;
  draw(context);
  setNeedsRedraw(false);
  return true;
}

bool View::notify(View *, const char *) { return false; }

std::int32_t View::onKeyDown(VstKeyCode &) { return -1; }

std::int32_t View::onKeyUp(VstKeyCode &) { return -1; }

bool View::onDrop(void *, std::int32_t, std::int32_t, Point &) { return false; }

bool View::onWheel(DrawContext *, const Point &, float) { return false; }

void View::focusLost(DrawContext *) {}

void View::focusGained(DrawContext *) {}

bool View::needsRedraw() { return dirty; }

void View::setNeedsRedraw(bool state) { dirty = state; }

bool View::hitTest(const Point &where, std::int32_t) { return bounds.containsInclusive(where); }

void View::setBounds(const Rect &rect) {
  bounds = rect;
  setNeedsRedraw(true);
}

GuiEditor *View::getEditor() { return frame ? frame->getEditor() : nullptr; }

bool View::onRemoved(View *) { return true; }

bool View::onAttached(View *) { return true; }

void View::release() {
  if (references <= 0)
    return;
  if (--references == 0)
    delete this;
}

void View::redrawNow() {
  if (frame)
    frame->drawViewNow(this);
}
