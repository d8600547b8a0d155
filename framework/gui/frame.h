// The root of the view tree: owns the native child window inside the host's parent window, keeps
// the top-level views, dispatches paint, mouse, key, wheel and drop events to them, redraws what
// changed when the editor idles, and offers the window services controls need.
#pragma once

#include <cstdint>

#include "view.h"

class Bitmap;
class GuiEditor;

// Cursor types of `setCursor`.
enum CursorType : std::int32_t {
  kCursorDefault = 0,
  kCursorWait = 1,
  kCursorHorizontalResize = 2,
  kCursorVerticalResize = 3,
  kCursorMove = 4,
  kCursorNorthEastResize = 5,
  kCursorNorthWestResize = 6,
};

class Frame : public View {
public:
  // Creates the child window inside `systemWindow` (a native window handle; may be null, then
  // the frame exists but has no window and draws nothing).
  Frame(const Rect &bounds, void *systemWindow, GuiEditor *editor);
  // Own-window mode: the host opens the window later (`openOwnWindow`).
  Frame(const Rect &bounds, const char *title, GuiEditor *editor, std::int32_t style);
  ~Frame() override;

  void draw(DrawContext *context) override;
  void drawInRect(DrawContext *context, const Rect &updateRect) override;
  void onMouseDown(DrawContext *context, Point &where) override;
  bool redrawIfDirty(DrawContext *context) override;
  std::int32_t onKeyDown(VstKeyCode &keyCode) override;
  std::int32_t onKeyUp(VstKeyCode &keyCode) override;
  bool onDrop(void *dropItems, std::int32_t count, std::int32_t kind, Point &where) override;
  bool onWheel(DrawContext *context, const Point &where, float distance) override;
  GuiEditor *getEditor() override { return editor; }

  virtual bool addChild(View *view);
  virtual bool removeChild(View *view, bool releaseIt = true);
  virtual bool removeAllChildren(bool releaseIt = true);
  virtual bool hasChild(View *view) const;
  virtual std::int32_t childCount() const { return children_; }
  virtual View *childAt(std::int32_t index) const;

  void setBackgroundBitmap(Bitmap *bitmap);
  Bitmap *getBackgroundBitmap() const { return background; }
  void idle();
  void drawViewNow(View *view);
  void invalidate(const Rect &rect);
  bool setModalView(View *view);
  View *getModalView() const { return modalView; }
  void setFocusView(View *view);
  View *getFocusView() const { return focusView; }
  bool isOpen() const { return open; }
  void *getWindow() const { return window; }
  void beginEdit(std::int32_t tag);
  void endEdit(std::int32_t tag);
  void runEditorIdle();
  std::int32_t ticks() const;
  std::int32_t knobMode() const;
  void getMouseLocation(Point &point);
  View *viewUnderMouse();
  void setCursor(std::int32_t type);
  bool setSize(std::int32_t width, std::int32_t height);
  bool getSize(Rect &rect) const;
  bool getPosition(std::int32_t &x, std::int32_t &y) const;
  void *getOuterWindow() const;
  bool setDropEnabled(bool enable);
  bool isDropEnabled() const { return dropEnabled; }
  bool isFirstDrawPending() const { return firstDrawPending; }

  bool openOwnWindow(const Point *position = nullptr);
  void closeOwnWindow();
  bool isOwnWindow() const { return ownWindow; }
  // The 256-byte window record handed to the host in own-window mode; null otherwise.
  const unsigned char *getWindowDescription() const { return windowDescription; }

  // Called by the window procedure when the child window goes away.
  void windowDestroyed();
  // The registered drop target (an IDropTarget on Windows); null while drops are disabled.
  void *getDropTarget() const { return dropTarget; }

private:
  bool openChildWindow(void *parent);
  void destroyChildWindow();
  bool anythingToRedraw();
  // Runs `work` with a temporary context on the child window's device context.
  void withWindowContext(void (*work)(Frame *, DrawContext *, View *), View *view);
  void forgetView(View *view);
  std::int32_t dispatchKey(VstKeyCode &keyCode, bool down);

  GuiEditor *editor;
  void *systemWindow;
  Bitmap *background = nullptr;
  std::int32_t children_ = 0;
  std::int32_t childCapacity = 0;
  View **children = nullptr;
  View *modalView = nullptr;
  View *focusView = nullptr;
  bool firstDrawPending = true;
  bool open = true;
  bool dropEnabled = false;
  void *window = nullptr;
  void *imagingLibrary = nullptr;
  bool ownWindow = false;
  unsigned char *windowDescription = nullptr;
  void *savedCursor = nullptr;
  bool cursorRemembered = false;
  void *dropTarget = nullptr;
  void *hostWindow = nullptr; // own-window mode: what the host's openWindow returned
};
