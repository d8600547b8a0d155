#include "animation_strip.h"

#include "mouse_tracking.h"
#include "strip_rules.h"

AnimationStrip::AnimationStrip(const Rect &bounds, ControlListener *listener, std::int32_t tag,
                               std::int32_t frameCount, std::int32_t frameHeight, Bitmap *image,
                               const Point &imageOffset)
    : Control(bounds, listener, tag, image), frameCount(frameCount), frameHeight(frameHeight),
      totalHeight(frameCount * frameHeight), imageOffset(imageOffset) {
  // The value counts pixels, not a normalised position.
  maximum = static_cast<float>(totalHeight);
}

void AnimationStrip::draw(DrawContext *context) {
  if (running)
    drawBackground(context, bounds,
                   Point(imageOffset.h, imageOffset.v + static_cast<std::int32_t>(value)));
  setNeedsRedraw(false);
}

void AnimationStrip::onMouseDown(DrawContext *context, Point &) {
  if (!mouseEnabled)
    return;
  value = 0.0f;
  if (running) {
    draw(context);
    stop();
    return;
  }
  start();
  setNeedsRedraw(true);
  notifyListener(*this, context);
}

void AnimationStrip::nextFrame() {
  value = static_cast<float>(
      nextAnimationOffset(static_cast<std::int32_t>(value), frameHeight, totalHeight));
}

void AnimationStrip::previousFrame() {
  value = static_cast<float>(
      previousAnimationOffset(static_cast<std::int32_t>(value), frameHeight, totalHeight));
}
