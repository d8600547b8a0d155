#include "value_display.h"

#include "bitmap.h"
#include "control_rules.h"
#include "draw_context.h"

ValueDisplay::ValueDisplay(const Rect &bounds, Bitmap *background, std::int32_t style)
    : Control(bounds, nullptr, 0, background), style(style) {
  if (style & kNoDrawing)
    setNeedsRedraw(false);
}

void ValueDisplay::setFont(std::int32_t id) {
  if (id == fontId)
    return;
  fontId = id;
  setNeedsRedraw(true);
}

namespace {

// Stores `color`; true when that changed what is drawn.
bool storeColor(Color &field, Color color) {
  const bool changed = !field.sameRgb(color);
  field = color;
  return changed;
}

} // namespace

void ValueDisplay::setTextColor(Color color) {
  if (storeColor(textColor, color))
    setNeedsRedraw(true);
}

void ValueDisplay::setFillColor(Color color) {
  if (storeColor(fillColor, color))
    setNeedsRedraw(true);
}

void ValueDisplay::setFrameColor(Color color) {
  if (storeColor(frameColor, color))
    setNeedsRedraw(true);
}

void ValueDisplay::setShadowColor(Color color) {
  if (storeColor(shadowColor, color))
    setNeedsRedraw(true);
}

void ValueDisplay::setAlignment(std::int32_t newAlignment) {
  if (newAlignment == alignment)
    return;
  alignment = newAlignment;
  setNeedsRedraw(true);
}

void ValueDisplay::setFormatterWithData(ValueFormatterWithData function, void *data) {
  formatterWithData = function;
  formatterData = data;
}

void ValueDisplay::setStyle(std::int32_t newStyle) {
  if (newStyle == style)
    return;
  style = newStyle;
  setNeedsRedraw(true);
}

void ValueDisplay::setFontStyle(std::int32_t newStyle) {
  if (newStyle == fontStyle)
    return;
  fontStyle = newStyle;
  setNeedsRedraw(true);
}

void ValueDisplay::formatValue(char *text) const {
  text[0] = '\0';
  if (formatterWithData)
    formatterWithData(value, text, formatterData);
  else if (formatter)
    formatter(value, text);
  else
    formatDefaultValueText(value, text);
}

void ValueDisplay::draw(DrawContext *context) {
  char text[kDisplayTextCapacity];
  formatValue(text);
  drawText(context, text);
}

void ValueDisplay::drawText(DrawContext *context, const char *text, Bitmap *image) {
  setNeedsRedraw(false);
  if (style & kNoDrawing)
    return;

  const bool bevelled = (style & (kSunkenBevel | kRaisedBevel)) != 0;
  if (!image)
    image = background;
  if (image) {
    drawImage(image, context, bounds, backgroundOffset);
  } else if (!transparent) {
    context->setFillColor(fillColor);
    context->fillRect(bounds);
    if (!bevelled) {
      context->setFrameColor(frameColor);
      context->drawRect(bounds);
    }
  }

  if (bevelled) {
    const bool sunken = (style & kSunkenBevel) != 0;
    context->setFrameColor(sunken ? fillColor : frameColor);
    context->moveTo(Point(bounds.left, bounds.bottom));
    context->lineTo(Point(bounds.left, bounds.top));
    context->lineTo(Point(bounds.right + 1, bounds.top));
    context->setFrameColor(sunken ? frameColor : fillColor);
    context->moveTo(Point(bounds.right, bounds.top + 1));
    context->lineTo(Point(bounds.right, bounds.bottom));
    context->lineTo(Point(bounds.left, bounds.bottom));
  }

  if ((style & kNoText) || !text || !text[0])
    return;
  context->setFont(fontId, 0, fontStyle);
  if (style & kShadowText) {
    Rect shadowRect = bounds;
    shadowRect.offset(1, 1);
    context->setFontColor(shadowColor);
    context->drawString(text, shadowRect, !textTransparent, alignment);
  }
  context->setFontColor(textColor);
  context->drawString(text, bounds, !textTransparent, alignment);
}
