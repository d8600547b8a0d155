#include <windows.h>

#include <cstring>

#include "draw_context.h"
#include "font_table.h"
#include "frame.h"
#include "mouse_state.h"
#include "moved_points.h"

bool DrawContext::buttonsSwapped = false;
std::int32_t DrawContext::drawModeChanges = 0;

namespace {

HDC dcOf(void *handle) { return static_cast<HDC>(handle); }

Rect movedRect(const Rect &rect, const Point &offset) {
  Rect moved = rect;
  moved.offset(offset.h, offset.v);
  return moved;
}

bool keyDown(int key) { return (GetAsyncKeyState(key) & 0x8000) != 0; }

} // namespace

DrawContext::DrawContext(Frame *frame, void *deviceContext, void *window)
    : deviceContext(deviceContext), window(window), frame(frame) {
  clipRect = frame ? frame->getBounds() : Rect(0, 0, 1000, 1000);
  if (window) {
    RECT r;
    if (GetWindowRect(static_cast<HWND>(window), &r))
      windowOrigin = Point(r.left, r.top);
  }
  if (deviceContext)
    adoptDeviceContext(deviceContext);
}

DrawContext::~DrawContext() { restoreNativeObjects(); }

void DrawContext::adoptDeviceContext(void *newDeviceContext) {
  deviceContext = newDeviceContext;
  HDC dc = dcOf(deviceContext);
  savedBrush = GetCurrentObject(dc, OBJ_BRUSH);
  savedPen = GetCurrentObject(dc, OBJ_PEN);
  savedFont = GetCurrentObject(dc, OBJ_FONT);
  SetBkMode(dc, TRANSPARENT);
  penStyle = PS_SOLID;
  setFrameColor(frameColor);
  setLineStyle(lineStyle);
  setFillColor(fillColor);
  setFontColor(fontColor);
}

void DrawContext::restoreNativeObjects() {
  HDC dc = dcOf(deviceContext);
  if (dc) {
    if (savedBrush)
      SelectObject(dc, savedBrush);
    if (savedPen)
      SelectObject(dc, savedPen);
    if (savedFont)
      SelectObject(dc, savedFont);
  }
  savedBrush = savedPen = savedFont = nullptr;
  if (brush)
    DeleteObject(brush);
  if (pen)
    DeleteObject(pen);
  if (font)
    DeleteObject(font);
  brush = pen = font = nullptr;
}

// ---- drawing

void DrawContext::moveTo(const Point &point) {
  MoveToEx(dcOf(deviceContext), point.h + offset.h, point.v + offset.v, nullptr);
}

void DrawContext::lineTo(const Point &point) {
  LineTo(dcOf(deviceContext), point.h + offset.h, point.v + offset.v);
}

void DrawContext::drawPolyline(const Point *points, std::int32_t count) {
  MovedPoints<POINT> moved(points, count, offset);
  if (moved.count() > 0)
    Polyline(dcOf(deviceContext), moved.data(), moved.count());
}

void DrawContext::fillPolygon(const Point *points, std::int32_t count) {
  MovedPoints<POINT> moved(points, count, offset);
  if (moved.count() == 0)
    return;
  HDC dc = dcOf(deviceContext);
  HGDIOBJ previous = SelectObject(dc, GetStockObject(NULL_PEN));
  Polygon(dc, moved.data(), moved.count());
  SelectObject(dc, previous);
}

void DrawContext::drawRect(const Rect &rect) {
  const Rect r = movedRect(rect, offset);
  HDC dc = dcOf(deviceContext);
  MoveToEx(dc, r.left, r.top, nullptr);
  LineTo(dc, r.right, r.top);
  LineTo(dc, r.right, r.bottom);
  LineTo(dc, r.left, r.bottom);
  LineTo(dc, r.left, r.top);
}

void DrawContext::fillRect(const Rect &rect) {
  const Rect r = movedRect(rect, offset);
  HDC dc = dcOf(deviceContext);
  HGDIOBJ previous = SelectObject(dc, GetStockObject(NULL_PEN));
  RECT inner{r.left + 1, r.top + 1, r.right, r.bottom};
  FillRect(dc, &inner, static_cast<HBRUSH>(brush));
  SelectObject(dc, previous);
}

void DrawContext::drawEllipse(const Rect &rect) {
  const Point p(rect.left + (rect.right - rect.left) / 2, rect.top);
  drawArc(rect, p, p);
}

void DrawContext::fillEllipse(const Rect &rect) {
  const Rect r = movedRect(rect, offset);
  HDC dc = dcOf(deviceContext);
  HGDIOBJ previous = SelectObject(dc, GetStockObject(NULL_PEN));
  Ellipse(dc, r.left + 1, r.top + 1, r.right + 1, r.bottom + 1);
  SelectObject(dc, previous);
}

void DrawContext::drawArc(const Rect &rect, const Point &start, const Point &end) {
  const Rect r = movedRect(rect, offset);
  Arc(dcOf(deviceContext), r.left, r.top, r.right + 1, r.bottom + 1, start.h + offset.h,
      start.v + offset.v, end.h + offset.h, end.v + offset.v);
}

void DrawContext::fillArc(const Rect &rect, const Point &start, const Point &end) {
  const Rect r = movedRect(rect, offset);
  HDC dc = dcOf(deviceContext);
  HGDIOBJ previous = SelectObject(dc, GetStockObject(NULL_PEN));
  Pie(dc, r.left + 1, r.top + 1, r.right, r.bottom, start.h + offset.h, start.v + offset.v,
      end.h + offset.h, end.v + offset.v);
  SelectObject(dc, previous);
}

void DrawContext::drawPoint(const Point &point, Color color) {
  SetPixel(dcOf(deviceContext), point.h + offset.h, point.v + offset.v, color.native());
}

Color DrawContext::getPoint(const Point &point) {
  return Color::fromNative(GetPixel(dcOf(deviceContext), point.h + offset.h, point.v + offset.v));
}

void DrawContext::floodFill(const Point &point) {
  HDC dc = dcOf(deviceContext);
  const int x = point.h + offset.h, y = point.v + offset.v;
  ExtFloodFill(dc, x, y, GetPixel(dc, x, y), FLOODFILLSURFACE);
}

// ---- state

void DrawContext::rebuildPen() {
  LOGPEN description{static_cast<UINT>(penStyle), {lineWidth, 0}, frameColor.native()};
  HPEN created = CreatePenIndirect(&description);
  if (!created)
    return;
  SelectObject(dcOf(deviceContext), created);
  if (pen)
    DeleteObject(pen);
  pen = created;
}

void DrawContext::setLineStyle(std::int32_t style) {
  lineStyle = style;
  penStyle = style == kLineDotted ? PS_DOT : PS_SOLID;
  rebuildPen();
}

void DrawContext::setLineWidth(std::int32_t width) {
  lineWidth = width;
  rebuildPen();
}

void DrawContext::setFrameColor(Color color) {
  frameColor = color;
  rebuildPen();
}

void DrawContext::setFillColor(Color color) {
  fillColor = color;
  HDC dc = dcOf(deviceContext);
  SetBkColor(dc, color.native());
  LOGBRUSH description{BS_SOLID, color.native(), 0};
  HBRUSH created = CreateBrushIndirect(&description);
  if (!created) {
    GetLastError(); // the previous brush stays
    return;
  }
  SelectObject(dc, created);
  if (brush)
    DeleteObject(brush);
  brush = created;
}

void DrawContext::setFontColor(Color color) {
  fontColor = color;
  SetTextColor(dcOf(deviceContext), color.native());
}

void DrawContext::setDrawMode(std::int32_t mode) {
  if (mode == drawMode)
    return;
  drawMode = mode;
  const int operation = mode == kDrawOr    ? R2_MERGEPEN
                        : mode == kDrawXor ? R2_NOTXORPEN
                                           : R2_COPYPEN;
  SetROP2(dcOf(deviceContext), operation);
  ++drawModeChanges;
}

void DrawContext::setClipRect(const Rect &rect) {
  clipRect = rect;
  HRGN region = CreateRectRgn(rect.left, rect.top, rect.right, rect.bottom);
  SelectClipRgn(dcOf(deviceContext), region);
  DeleteObject(region);
}

void DrawContext::resetClipRect() {
  setClipRect(frame ? frame->getBounds() : Rect(0, 0, 1000, 1000));
}

void DrawContext::setFont(std::int32_t id, std::int32_t size, std::int32_t style) {
  const FontDescription description = describeFont(id, size, style);
  fontId = description.fontId;
  fontSize = description.height;
  LOGFONTA logical;
  std::memset(&logical, 0, sizeof logical);
  logical.lfHeight = -description.height;
  logical.lfWeight = description.weight;
  logical.lfItalic = description.italic ? 1 : 0;
  logical.lfUnderline = description.underline ? 1 : 0;
  logical.lfCharSet = ANSI_CHARSET;
  logical.lfOutPrecision = OUT_STRING_PRECIS;
  logical.lfClipPrecision = CLIP_STROKE_PRECIS;
  logical.lfQuality = DEFAULT_QUALITY;
  logical.lfPitchAndFamily =
      description.decorative ? (DEFAULT_PITCH | FF_DECORATIVE) : (VARIABLE_PITCH | FF_SWISS);
  std::strncpy(logical.lfFaceName, description.face, LF_FACESIZE - 1);
  HFONT created = CreateFontIndirectA(&logical);
  if (!created)
    return;
  SelectObject(dcOf(deviceContext), created);
  if (font)
    DeleteObject(font);
  font = created;
}

std::int32_t DrawContext::getStringWidth(const char *text) {
  if (!text)
    return 0;
  SIZE size{0, 0};
  GetTextExtentPoint32A(dcOf(deviceContext), text, static_cast<int>(std::strlen(text)), &size);
  return size.cx;
}

void DrawContext::drawString(const char *text, const Rect &rect, bool opaque,
                             std::int32_t alignment) {
  if (!text)
    return;
  const Rect r = movedRect(rect, offset);
  HDC dc = dcOf(deviceContext);
  SetBkMode(dc, opaque ? OPAQUE : TRANSPARENT);
  UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
  RECT area{r.left, r.top, r.right, r.bottom};
  if (alignment == kAlignCenter)
    format |= DT_CENTER;
  else if (alignment == kAlignRight)
    format |= DT_RIGHT;
  else
    area.left += 1;
  DrawTextA(dc, text, static_cast<int>(std::strlen(text)), &area, format);
  SetBkMode(dc, TRANSPARENT);
}

// ---- mouse

std::int32_t DrawContext::readMouseButtons() {
  PhysicalInput input;
  input.leftButton = keyDown(VK_LBUTTON);
  input.middleButton = keyDown(VK_MBUTTON);
  input.rightButton = keyDown(VK_RBUTTON);
  input.shift = keyDown(VK_SHIFT);
  input.control = keyDown(VK_CONTROL);
  input.alt = keyDown(VK_MENU);
  return mouseButtonBits(input, buttonsSwapped);
}

void DrawContext::readMouseLocation(Point &point) {
  POINT cursor{0, 0};
  GetCursorPos(&cursor);
  point = Point(cursor.x - windowOrigin.h, cursor.y - windowOrigin.v);
}

bool DrawContext::waitDoubleClick() {
  Point p;
  getMouseLocation(p);
  const Rect box(p.h - 2, p.v - 2, p.h + 2, p.v + 2);
  const DWORD deadline = static_cast<DWORD>(GetMessageTime()) + GetDoubleClickTime();
  DWORD now = GetTickCount();
  MSG message;
  while (static_cast<LONG>(now - deadline) < 0) {
    getMouseLocation(p);
    if (!box.pointInside(p))
      return false;
    if (PeekMessageA(&message, nullptr, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_REMOVE | PM_NOYIELD))
      return true;
    now = GetTickCount();
  }
  return false;
}
