#include "view_container.h"

#include <cstring>

#include "bitmap.h"
#include "draw_context.h"
#include "frame.h"
#include "offscreen_context.h"

const char *const kMsgCheckIfViewContainer = "kMsgCheckIfViewContainer";

ViewListNode::ViewListNode(View *view) : view(view) { view->retain(); }

ViewListNode::~ViewListNode() { view->release(); }

ViewContainer::ContextAtOrigin::ContextAtOrigin(DrawContext *context, const Rect &bounds)
    : context(context) {
  if (!context)
    return;
  savedOffset = context->offset;
  savedWindowOrigin = context->windowOrigin;
  context->offset.offset(bounds.left, bounds.top);
  context->windowOrigin.offset(bounds.left, bounds.top);
}

ViewContainer::ContextAtOrigin::~ContextAtOrigin() {
  if (!context)
    return;
  context->offset = savedOffset;
  context->windowOrigin = savedWindowOrigin;
}

ViewContainer::ViewContainer(const Rect &bounds, Frame *frame, Bitmap *background)
    : View(bounds), background(background) {
  this->frame = frame;
  if (background)
    background->retain();
}

ViewContainer::~ViewContainer() {
  if (background)
    background->release();
  background = nullptr;
  removeAllChildren(true);
  deleteOffscreen();
}

void ViewContainer::createOffscreen() {
  offscreen = new OffscreenContext(frame, bounds.width(), bounds.height(), colorBlack);
}

void ViewContainer::deleteOffscreen() {
  delete offscreen;
  offscreen = nullptr;
}

void ViewContainer::drawBackground(DrawContext *target, const Rect &local) {
  if (background) {
    const Point source(local.left + backgroundOffset.h, local.top + backgroundOffset.v);
    if (transparent)
      background->drawTransparent(target, local, source);
    else
      background->draw(target, local, source);
  } else if (!transparent) {
    target->setFillColor(backgroundColor);
    // The context's fill leaves the top row and left column to an outline; here there is none.
    target->fillRect(Rect(local.left - 1, local.top - 1, local.right, local.bottom));
  }
}

void ViewContainer::draw(DrawContext *context) {
  if (buffered && !offscreen)
    createOffscreen();
  const Rect local = localBounds();
  if (buffered) {
    drawBackground(offscreen, local);
    for (ViewListNode *node = firstChild; node; node = node->next)
      node->view->draw(offscreen);
    offscreen->copyTo(context, bounds, Point());
  } else {
    ContextAtOrigin moved(context, bounds);
    drawBackground(context, local);
    for (ViewListNode *node = firstChild; node; node = node->next)
      node->view->draw(context);
  }
  setNeedsRedraw(false);
}

void ViewContainer::drawInRect(DrawContext *context, const Rect &updateRect) {
  if (buffered && !offscreen)
    createOffscreen();
  Rect clipped = updateRect;
  clipped.clipTo(bounds);
  Rect local = clipped;
  local.offset(-bounds.left, -bounds.top);
  DrawContext *target = buffered ? static_cast<DrawContext *>(offscreen) : context;
  {
    ContextAtOrigin moved(buffered ? nullptr : context, bounds);
    drawBackground(target, local);
    for (ViewListNode *node = firstChild; node; node = node->next)
      if (node->view->overlaps(local))
        node->view->draw(target);
  }
  if (buffered)
    offscreen->copyTo(context, clipped, Point(local.left, local.top));
  setNeedsRedraw(false);
}

bool ViewContainer::redrawIfDirty(DrawContext *context) {
  if (updateMode != kUpdateWhole && updateMode != kUpdateDirtyChildren)
    return false;
  bool drew = false;
  if (updateMode == kUpdateWhole || View::needsRedraw()) {
    if (needsRedraw()) {
      draw(context);
      drew = true;
    }
  } else if (buffered && offscreen) {
    for (ViewListNode *node = firstChild; node; node = node->next)
      drew = node->view->redrawIfDirty(offscreen) || drew;
    if (drew)
      offscreen->copyTo(context, bounds, Point());
  } else {
    ContextAtOrigin moved(context, bounds);
    for (ViewListNode *node = firstChild; node; node = node->next) {
      View *child = node->view;
      if (!child->needsRedraw())
        continue;
      // A container child redraws whole here: its own background was just painted over.
      auto *childContainer = child->notify(this, kMsgCheckIfViewContainer)
                                 ? static_cast<ViewContainer *>(child)
                                 : nullptr;
      const std::int32_t savedMode = childContainer ? childContainer->getUpdateMode() : 0;
      if (childContainer)
        childContainer->setUpdateMode(kUpdateWhole);
      Rect childBounds;
      child->getBounds(childBounds);
      drawBackground(context, childBounds);
      drew = child->redrawIfDirty(context) || drew;
      if (childContainer)
        childContainer->setUpdateMode(savedMode);
    }
  }
  setNeedsRedraw(false);
  return drew;
}

bool ViewContainer::notify(View *, const char *message) {
  return message == kMsgCheckIfViewContainer;
}

void ViewContainer::onMouseDown(DrawContext *context, Point &where) {
  Point local = where;
  local.offset(-bounds.left, -bounds.top);
  const std::int32_t buttons = context ? context->getMouseButtons() : -1;
  ContextAtOrigin moved(context, bounds);
  for (ViewListNode *node = lastChild; node; node = node->previous) {
    View *child = node->view;
    if (child->isMouseEnabled() && child->hitTest(local, buttons)) {
      child->onMouseDown(context, local);
      return;
    }
  }
}

std::int32_t ViewContainer::onKeyDown(VstKeyCode &keyCode) {
  for (ViewListNode *node = lastChild; node; node = node->previous) {
    const std::int32_t answer = node->view->onKeyDown(keyCode);
    if (answer != -1)
      return answer;
  }
  return -1;
}

std::int32_t ViewContainer::onKeyUp(VstKeyCode &keyCode) {
  for (ViewListNode *node = lastChild; node; node = node->previous) {
    const std::int32_t answer = node->view->onKeyUp(keyCode);
    if (answer != -1)
      return answer;
  }
  return -1;
}

bool ViewContainer::onDrop(void *dropItems, std::int32_t count, std::int32_t kind, Point &where) {
  if (!frame)
    return false;
  Point local = where;
  local.offset(-bounds.left, -bounds.top);
  for (ViewListNode *node = lastChild; node; node = node->previous) {
    View *child = node->view;
    Rect area;
    child->getMouseArea(area);
    if (child->isMouseEnabled() && area.containsInclusive(local) &&
        child->onDrop(dropItems, count, kind, local))
      return true;
  }
  return false;
}

bool ViewContainer::onWheel(DrawContext *context, const Point &where, float distance) {
  // `where` is the mouse in the parent's coordinates: the frame's mouse location at the top.
  Point local = where;
  local.offset(-bounds.left, -bounds.top);
  for (ViewListNode *node = lastChild; node; node = node->previous) {
    View *child = node->view;
    Rect area;
    child->getMouseArea(area);
    if (child->isMouseEnabled() && area.containsInclusive(local)) {
      ContextAtOrigin moved(context, bounds);
      return child->onWheel(context, local, distance);
    }
  }
  return false;
}

void ViewContainer::focusLost(DrawContext *context) {
  for (ViewListNode *node = firstChild; node; node = node->next)
    node->view->focusLost(context);
}

void ViewContainer::focusGained(DrawContext *context) {
  for (ViewListNode *node = firstChild; node; node = node->next)
    node->view->focusGained(context);
}

bool ViewContainer::needsRedraw() {
  if (View::needsRedraw())
    return true;
  for (ViewListNode *node = firstChild; node; node = node->next)
    if (node->view->needsRedraw())
      return true;
  return false;
}

bool ViewContainer::hitTest(const Point &where, std::int32_t buttons) {
  return View::hitTest(where, buttons);
}

void ViewContainer::setBounds(const Rect &rect) {
  View::setBounds(rect);
  if (offscreen) {
    deleteOffscreen();
    createOffscreen();
  }
}

bool ViewContainer::onRemoved(View *) {
  deleteOffscreen();
  return true;
}

bool ViewContainer::onAttached(View *) {
  if (buffered && !offscreen)
    createOffscreen();
  return true;
}

bool ViewContainer::addChildWithMouseArea(View *view, const Rect &mouseArea, bool mouseEnabled) {
  if (!view)
    return false;
  view->setMouseEnabled(mouseEnabled);
  view->setMouseArea(mouseArea);
  return addChild(view);
}

bool ViewContainer::addChild(View *view) {
  if (!view)
    return false;
  auto *node = new ViewListNode(view);
  view->setFrame(frame);
  view->setParentView(this);
  node->previous = lastChild;
  if (lastChild)
    lastChild->next = node;
  else
    firstChild = node;
  lastChild = node;
  view->onAttached(this);
  view->setNeedsRedraw(true);
  return true;
}

void ViewContainer::unlink(ViewListNode *node, bool releaseIt) {
  (node->previous ? node->previous->next : firstChild) = node->next;
  (node->next ? node->next->previous : lastChild) = node->previous;
  View *view = node->view;
  view->onRemoved(this);
  if (releaseIt)
    view->release();
  delete node; // drops the node's own reference last
}

bool ViewContainer::removeChild(View *view, bool releaseIt) {
  bool removed = false;
  for (ViewListNode *node = firstChild; node;) {
    ViewListNode *next = node->next;
    if (node->view == view) {
      unlink(node, releaseIt);
      removed = true;
    }
    node = next;
  }
  return removed;
}

bool ViewContainer::removeAllChildren(bool releaseIt) {
  while (firstChild)
    unlink(firstChild, releaseIt);
  return true;
}

bool ViewContainer::hasChild(View *view) const {
  for (ViewListNode *node = firstChild; node; node = node->next)
    if (node->view == view)
      return true;
  return false;
}

std::int32_t ViewContainer::childCount() const {
  std::int32_t count = 0;
  for (ViewListNode *node = firstChild; node; node = node->next)
    ++count;
  return count;
}

View *ViewContainer::childAt(std::int32_t index) const {
  if (index < 0)
    return nullptr;
  for (ViewListNode *node = firstChild; node; node = node->next)
    if (index-- == 0)
      return node->view;
  return nullptr;
}

void ViewContainer::setBackgroundBitmap(Bitmap *bitmap) {
  if (bitmap)
    bitmap->retain();
  if (background)
    background->release();
  background = bitmap;
}

void ViewContainer::setBuffered(bool state) {
  buffered = state;
  if (!state)
    deleteOffscreen();
}
