// A thin drawing object over one native device context: current colours, pen, brush and font, a
// drawing offset added to every coordinate, and the mouse state the controls poll.
// Contexts are short-lived: one per paint, click or idle pass.
#pragma once

#include <cstdint>

#include "gui_types.h"

class Frame;

enum LineStyle : std::int32_t { kLineSolid = 0, kLineDotted = 1 };
enum DrawMode : std::int32_t { kDrawCopy = 0, kDrawOr = 1, kDrawXor = 2 };
enum TextAlignment : std::int32_t { kAlignLeft = 0, kAlignCenter = 1, kAlignRight = 2 };

class DrawContext {
public:
  // Native handles are opaque here (HDC, HWND) so that this header builds without windows.h.
  DrawContext(Frame *frame, void *deviceContext, void *window);
  virtual ~DrawContext();

  DrawContext(const DrawContext &) = delete;
  DrawContext &operator=(const DrawContext &) = delete;

  void moveTo(const Point &point);
  void lineTo(const Point &point);
  void drawPolyline(const Point *points, std::int32_t count);
  void fillPolygon(const Point *points, std::int32_t count);
  void drawRect(const Rect &rect);
  void fillRect(const Rect &rect);
  void drawEllipse(const Rect &rect);
  void fillEllipse(const Rect &rect);
  void drawArc(const Rect &rect, const Point &start, const Point &end);
  void fillArc(const Rect &rect, const Point &start, const Point &end);
  void drawPoint(const Point &point, Color color);
  Color getPoint(const Point &point);
  void floodFill(const Point &point);

  void setLineStyle(std::int32_t style);
  std::int32_t getLineStyle() const { return lineStyle; }
  void setLineWidth(std::int32_t width);
  std::int32_t getLineWidth() const { return lineWidth; }
  void setFrameColor(Color color);
  Color getFrameColor() const { return frameColor; }
  void setFillColor(Color color);
  Color getFillColor() const { return fillColor; }
  void setFontColor(Color color);
  Color getFontColor() const { return fontColor; }
  void setDrawMode(std::int32_t mode);
  std::int32_t getDrawMode() const { return drawMode; }
  void setClipRect(const Rect &rect);
  void resetClipRect();
  Rect getClipRect() const { return clipRect; }
  void setFont(std::int32_t fontId, std::int32_t size = 0, std::int32_t style = 0);
  std::int32_t getFontId() const { return fontId; }
  std::int32_t getFontSize() const { return fontSize; }
  std::int32_t getStringWidth(const char *text);
  void drawString(const char *text, const Rect &rect, bool opaque = false,
                  std::int32_t alignment = kAlignCenter);

  // The buttons and modifiers down: those of the press this context was made for until the
  // pointer is first polled (a click may be over before its press is handled), live after that.
  std::int32_t getMouseButtons();
  void getMouseLocation(Point &point);
  // The button-down message's own buttons and modifiers, which stand for the press.
  void holdPress(std::int32_t buttons);
  bool waitDoubleClick();
  bool waitDrag();

  void *getDeviceContext() const { return deviceContext; }
  void *getWindow() const { return window; }
  Frame *getFrame() const { return frame; }

  // The view containers move these while they draw or dispatch into a context.
  Point offset;
  Point windowOrigin;

  // Library-wide: read from the system when the window class is registered.
  static bool buttonsSwapped;
  // Counts native raster-operation changes, so tests can see that an unchanged mode makes none.
  static std::int32_t drawModeChanges;

protected:
  // For the offscreen context, which creates its own device context after this base.
  void adoptDeviceContext(void *newDeviceContext);
  void rebuildPen();
  // Selects the saved objects back and deletes the created ones; safe to call twice.
  void restoreNativeObjects();

  void *deviceContext;
  void *window;
  Frame *frame;
  std::int32_t fontSize = 0;
  std::int32_t fontId = 0;
  Color fontColor = colorWhite;
  std::int32_t lineWidth = 1;
  Color frameColor = colorWhite;
  Color fillColor = colorBlack;
  std::int32_t lineStyle = kLineSolid;
  std::int32_t drawMode = kDrawCopy;
  Rect clipRect;
  void *brush = nullptr;
  void *pen = nullptr;
  void *font = nullptr;
  void *savedBrush = nullptr;
  void *savedPen = nullptr;
  void *savedFont = nullptr;
  std::int32_t penStyle = 0;

private:
  // The window system's live state.
  std::int32_t readMouseButtons();
  void readMouseLocation(Point &point);

  std::int32_t heldPress = 0;
  bool pressHeld = false;
};
