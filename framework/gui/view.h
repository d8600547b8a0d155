// The base of everything the toolkit draws: bounds, mouse area, redraw flag, input and
// transparency flags, a reference count, and the events the frame dispatches.
#pragma once

#include <cstdint>

#include "effect/plugin_interface.h"
#include "gui_types.h"

class DrawContext;
class Frame;
class GuiEditor;

// What a drop carries: file names (items is `const char **`, count names) or a block of text
// (items is `const char *`, count bytes). Valid only during the call.
enum DropKind : std::int32_t { kDropFiles = 0, kDropText = 1 };

class View {
public:
  explicit View(const Rect &bounds);
  virtual ~View();

  View(const View &) = delete;
  View &operator=(const View &) = delete;

  virtual void draw(DrawContext *context);
  virtual void drawInRect(DrawContext *context, const Rect &updateRect);
  virtual bool overlaps(const Rect &rect) const;
  virtual void onMouseDown(DrawContext *context, Point &where);
  virtual bool redrawIfDirty(DrawContext *context);
  virtual bool notify(View *sender, const char *message);
  virtual std::int32_t onKeyDown(VstKeyCode &keyCode);
  virtual std::int32_t onKeyUp(VstKeyCode &keyCode);
  virtual bool onDrop(void *dropItems, std::int32_t count, std::int32_t kind, Point &where);
  virtual bool onWheel(DrawContext *context, const Point &where, float distance);
  virtual void focusLost(DrawContext *context);
  virtual void focusGained(DrawContext *context);
  virtual bool needsRedraw();
  virtual void setNeedsRedraw(bool state);
  virtual void setMouseEnabled(bool state) { mouseEnabled = state; }
  virtual bool isMouseEnabled() const { return mouseEnabled; }
  virtual void setMouseArea(const Rect &rect) { mouseArea = rect; }
  virtual void getMouseArea(Rect &rect) const { rect = mouseArea; }
  virtual bool hitTest(const Point &where, std::int32_t buttons);
  virtual void setTransparent(bool state) { transparent = state; }
  virtual bool isTransparent() const { return transparent; }
  virtual void setBounds(const Rect &rect);
  virtual void getBounds(Rect &rect) const { rect = bounds; }
  virtual void setParentView(View *view) { parentView = view; }
  virtual void setFrame(Frame *newFrame) { frame = newFrame; }
  virtual GuiEditor *getEditor();
  virtual bool onRemoved(View *parent);
  virtual bool onAttached(View *parent);
  virtual void release();
  virtual void retain() { ++references; }
  virtual std::int32_t referenceCount() const { return references; }

  // The frame draws this view at once; nothing without a frame.
  void redrawNow();
  const Rect &getBounds() const { return bounds; }
  Frame *getFrame() const { return frame; }
  View *getParentView() const { return parentView; }

protected:
  std::int32_t references = 1;
  Rect bounds;
  Rect mouseArea;
  Frame *frame = nullptr;
  View *parentView = nullptr;
  bool dirty = false;
  bool mouseEnabled = true;
  bool transparent = false;
};
