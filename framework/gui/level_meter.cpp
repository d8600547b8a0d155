#include "level_meter.h"

#include "bitmap.h"
#include "meter_law.h"

LevelMeter::LevelMeter(const Rect &bounds, Bitmap *onImage, Bitmap *offImage, std::int32_t ledCount,
                       std::int32_t style)
    : Control(bounds, nullptr, 0, nullptr), onImage(onImage), offImage(offImage),
      ledCount(ledCount), style(style), onRect(bounds), offRect(bounds) {
  if (onImage)
    onImage->retain();
  if (offImage)
    offImage->retain();
}

LevelMeter::~LevelMeter() {
  if (onImage)
    onImage->release();
  if (offImage)
    offImage->release();
}

void LevelMeter::setNeedsRedraw(bool state) { dirty = state; }

void LevelMeter::draw(DrawContext *context) {
  if (!onImage)
    return;
  clampValue();
  const float shown = decayedMeterLevel(previousValue, value, decayStep);
  previousValue = shown;

  Point onSource;
  Point offSource;
  if (style & kMeterHorizontal) {
    const std::int32_t c = meterOnWidth(ledCount, shown, onImage->getWidth());
    onRect.right = offRect.left = bounds.left + c;
    offSource = Point(c, 0);
  } else {
    const std::int32_t c = meterOffHeight(ledCount, maximum, shown, onImage->getHeight());
    offRect.bottom = onRect.top = bounds.top + c;
    onSource = Point(0, c);
  }
  drawImage(offImage, context, offRect, offSource);
  drawImage(onImage, context, onRect, onSource);
  setNeedsRedraw(false);
}
