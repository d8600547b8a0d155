// A view that holds its own ordered children, draws a background and then them (optionally
// through an offscreen buffer, so the result reaches the screen in one block transfer) and
// forwards input to them in its own coordinates. Containers nest.
#pragma once

#include <cstdint>

#include "view.h"

class Bitmap;
class OffscreenContext;

// One link of a container's child list; it holds a reference to its view while it exists.
struct ViewListNode {
  explicit ViewListNode(View *view);
  ~ViewListNode();
  ViewListNode(const ViewListNode &) = delete;
  ViewListNode &operator=(const ViewListNode &) = delete;

  View *view;
  ViewListNode *next = nullptr;
  ViewListNode *previous = nullptr;
};

// The message a container answers true to; compared by identity, not by text.
extern const char *const kMsgCheckIfViewContainer;

enum ContainerUpdateMode : std::int32_t {
  kUpdateWhole = 0,        // anything dirty redraws the whole container
  kUpdateDirtyChildren = 1 // only the dirty children, each over its piece of background
};

class ViewContainer : public View {
public:
  ViewContainer(const Rect &bounds, Frame *frame, Bitmap *background = nullptr);
  ~ViewContainer() override;

  void draw(DrawContext *context) override;
  void drawInRect(DrawContext *context, const Rect &updateRect) override;
  void onMouseDown(DrawContext *context, Point &where) override;
  bool redrawIfDirty(DrawContext *context) override;
  bool notify(View *sender, const char *message) override;
  std::int32_t onKeyDown(VstKeyCode &keyCode) override;
  std::int32_t onKeyUp(VstKeyCode &keyCode) override;
  bool onDrop(void *dropItems, std::int32_t count, std::int32_t kind, Point &where) override;
  bool onWheel(DrawContext *context, const Point &where, float distance) override;
  void focusLost(DrawContext *context) override;
  void focusGained(DrawContext *context) override;
  bool needsRedraw() override;
  bool hitTest(const Point &where, std::int32_t buttons) override;
  void setBounds(const Rect &rect) override;
  bool onRemoved(View *parent) override;
  bool onAttached(View *parent) override;

  virtual bool addChildWithMouseArea(View *view, const Rect &mouseArea, bool mouseEnabled = true);
  virtual bool addChild(View *view);
  virtual bool removeChild(View *view, bool releaseIt = true);
  virtual bool removeAllChildren(bool releaseIt = true);
  virtual bool hasChild(View *view) const;
  virtual std::int32_t childCount() const;
  virtual View *childAt(std::int32_t index) const;
  virtual void setBackgroundColor(Color color) { backgroundColor = color; }
  virtual Color getBackgroundColor() const { return backgroundColor; }
  virtual void setBackgroundBitmap(Bitmap *bitmap);
  virtual Bitmap *getBackgroundBitmap() const { return background; }
  virtual void setBackgroundOffset(const Point &offset) { backgroundOffset = offset; }
  virtual Point getBackgroundOffset() const { return backgroundOffset; }
  virtual void setUpdateMode(std::int32_t mode) { updateMode = mode; }
  virtual std::int32_t getUpdateMode() const { return updateMode; }
  virtual void setBuffered(bool state);

  bool isBuffered() const { return buffered; }
  bool hasOffscreen() const { return offscreen != nullptr; }

private:
  // Moves a context's drawing offset and window origin to this container's origin for the life
  // of the object. The move adds to what the context had, so nested containers add up.
  class ContextAtOrigin {
  public:
    ContextAtOrigin(DrawContext *context, const Rect &bounds);
    ~ContextAtOrigin();

  private:
    DrawContext *context;
    Point savedOffset;
    Point savedWindowOrigin;
  };

  Rect localBounds() const { return Rect(0, 0, bounds.width(), bounds.height()); }
  void createOffscreen();
  void deleteOffscreen();
  // The background over `local` (container coordinates), from the matching place of the bitmap.
  void drawBackground(DrawContext *target, const Rect &local);
  void unlink(ViewListNode *node, bool releaseIt);

  ViewListNode *firstChild = nullptr;
  ViewListNode *lastChild = nullptr;
  Bitmap *background;
  std::int32_t updateMode = kUpdateWhole;
  OffscreenContext *offscreen = nullptr;
  Color backgroundColor = colorBlack;
  Point backgroundOffset;
  bool buffered = true;
};
