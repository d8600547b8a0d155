#include "splash_panel.h"

#include "draw_context.h"
#include "frame.h"

SplashPanel::SplashPanel(const Rect &bounds, ControlListener *listener, std::int32_t tag,
                         Bitmap *image, const Rect &displayRect, const Point &imageOffset)
    : Control(bounds, listener, tag, image), displayRect(displayRect), imageOffset(imageOffset) {}

void SplashPanel::draw(DrawContext *context) {
  if (value != 0.0f)
    drawBackground(context, displayRect, imageOffset);
  setNeedsRedraw(false);
}

bool SplashPanel::hitTest(const Point &where, std::int32_t buttons) {
  return bounds.containsInclusive(where) && (buttons & kLeftButton);
}

void SplashPanel::restoreBounds() {
  // Only an opening that became modal moved the bounds; one that was refused left them alone.
  if (enlarged)
    bounds = savedBounds;
  enlarged = false;
}

void SplashPanel::onMouseDown(DrawContext *context, Point &) {
  if (!mouseEnabled || !(context->getMouseButtons() & kLeftButton))
    return;
  value = value == 0.0f ? 1.0f : 0.0f;
  if (value == 0.0f) {
    restoreBounds();
    if (frame) {
      frame->setModalView(nullptr);
      frame->draw(context);
    }
    if (listener)
      listener->valueChanged(context, this);
  } else if (frame && frame->setModalView(this)) {
    savedBounds = bounds;
    bounds = displayRect;
    enlarged = true;
    draw(context);
    if (listener)
      listener->valueChanged(context, this);
  }
  setNeedsRedraw(true);
}

void SplashPanel::close() {
  setNeedsRedraw(true);
  value = 0.0f;
  restoreBounds();
  if (frame && frame->getModalView() == this) {
    frame->setModalView(nullptr);
    frame->drawViewNow(nullptr);
  }
}
