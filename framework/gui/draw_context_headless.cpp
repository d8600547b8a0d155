// Contexts without a window system: state is kept, nothing is drawn, the mouse is the one the
// tests set.
#include "draw_context.h"
#include "font_table.h"
#include "frame.h"
#include "headless_input.h"

bool DrawContext::buttonsSwapped = false;
std::int32_t DrawContext::drawModeChanges = 0;

DrawContext::DrawContext(Frame *frame, void *deviceContext, void *window)
    : deviceContext(deviceContext), window(window), frame(frame) {
  clipRect = frame ? frame->getBounds() : Rect(0, 0, 1000, 1000);
  if (window)
    windowOrigin = headless::windowOrigin();
}

DrawContext::~DrawContext() { restoreNativeObjects(); }

void DrawContext::adoptDeviceContext(void *newDeviceContext) { deviceContext = newDeviceContext; }
void DrawContext::restoreNativeObjects() {}
void DrawContext::rebuildPen() {}

void DrawContext::moveTo(const Point &) {}
void DrawContext::lineTo(const Point &) {}
void DrawContext::drawPolyline(const Point *, std::int32_t) {}
void DrawContext::fillPolygon(const Point *, std::int32_t) {}
void DrawContext::drawRect(const Rect &) {}
void DrawContext::fillRect(const Rect &) {}
void DrawContext::drawEllipse(const Rect &) {}
void DrawContext::fillEllipse(const Rect &) {}
void DrawContext::drawArc(const Rect &, const Point &, const Point &) {}
void DrawContext::fillArc(const Rect &, const Point &, const Point &) {}
void DrawContext::drawPoint(const Point &, Color) {}
Color DrawContext::getPoint(const Point &) { return colorBlack; }
void DrawContext::floodFill(const Point &) {}

void DrawContext::setLineStyle(std::int32_t style) {
  lineStyle = style;
  penStyle = style == kLineDotted ? 1 : 0;
}
void DrawContext::setLineWidth(std::int32_t width) { lineWidth = width; }
void DrawContext::setFrameColor(Color color) { frameColor = color; }
void DrawContext::setFillColor(Color color) { fillColor = color; }
void DrawContext::setFontColor(Color color) { fontColor = color; }

void DrawContext::setDrawMode(std::int32_t mode) {
  if (mode == drawMode)
    return;
  drawMode = mode;
  ++drawModeChanges;
}

void DrawContext::setClipRect(const Rect &rect) { clipRect = rect; }

void DrawContext::resetClipRect() {
  setClipRect(frame ? frame->getBounds() : Rect(0, 0, 1000, 1000));
}

void DrawContext::setFont(std::int32_t id, std::int32_t size, std::int32_t style) {
  const FontDescription description = describeFont(id, size, style);
  fontId = description.fontId;
  fontSize = description.height;
}

std::int32_t DrawContext::getStringWidth(const char *) { return 0; }
void DrawContext::drawString(const char *, const Rect &, bool, std::int32_t) {}

std::int32_t DrawContext::readMouseButtons() { return headless::mouseButtons(); }

void DrawContext::readMouseLocation(Point &point) {
  point = headless::mouseScreenPosition();
  point.offset(-windowOrigin.h, -windowOrigin.v);
}

bool DrawContext::waitDoubleClick() { return false; }
