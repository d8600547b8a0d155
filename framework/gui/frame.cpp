#include "frame.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "bitmap.h"
#include "draw_context.h"
#include "editor/gui_editor.h"
#include "effect/effect_extended.h"
#include "window_system.h"

namespace {

constexpr std::int32_t kChildGrowth = 20;
constexpr std::size_t kWindowDescriptionBytes = sizeof(VstWindow) > 256 ? sizeof(VstWindow)
                                                                        : std::size_t{256};

} // namespace

Frame::Frame(const Rect &bounds, void *systemWindow, GuiEditor *editor)
    : View(bounds), editor(editor), systemWindow(systemWindow) {
  windowSystem::initializeOle();
  imagingLibrary = windowSystem::acquireImaging();
  openChildWindow(systemWindow);
}

Frame::Frame(const Rect &bounds, const char *title, GuiEditor *editor, std::int32_t style)
    : View(bounds), editor(editor), systemWindow(nullptr), open(false), ownWindow(true) {
  windowSystem::initializeOle();
  windowDescription = new unsigned char[kWindowDescriptionBytes]();
  auto *record = reinterpret_cast<VstWindow *>(windowDescription);
  if (title)
    std::strncpy(record->title, title, sizeof(record->title) - 1);
  record->xPos = static_cast<VstInt16>(bounds.left);
  record->yPos = static_cast<VstInt16>(bounds.top);
  record->width = static_cast<VstInt16>(bounds.width());
  record->height = static_cast<VstInt16>(bounds.height());
  record->style = style;
}

Frame::~Frame() {
  setCursor(kCursorDefault);
  setDropEnabled(false);
  removeAllChildren(true);
  setBackgroundBitmap(nullptr);
  windowSystem::uninitializeOle();
  if (imagingLibrary)
    windowSystem::releaseImaging(imagingLibrary);
  imagingLibrary = nullptr;
  destroyChildWindow();
  if (ownWindow)
    closeOwnWindow();
  delete[] windowDescription;
}

bool Frame::openChildWindow(void *parent) {
  if (!parent)
    return false;
  window = windowSystem::openChildWindow(this, parent, bounds.width(), bounds.height());
  if (!window)
    return false;
  setDropEnabled(true);
  return true;
}

void Frame::destroyChildWindow() {
  if (!window)
    return;
  windowSystem::closeChildWindow(window);
  window = nullptr;
}

void Frame::windowDestroyed() {
  open = false;
  systemWindow = nullptr;
}

// ---- drawing

void Frame::draw(DrawContext *context) {
  firstDrawPending = false;
  if (background)
    background->draw(context, Rect(0, 0, background->getWidth(), background->getHeight()));
  for (std::int32_t i = 0; i < children_; ++i)
    children[i]->draw(context);
  if (modalView)
    modalView->draw(context);
}

void Frame::drawInRect(DrawContext *context, const Rect &updateRect) {
  firstDrawPending = false;
  if (background)
    background->draw(context, updateRect, Point(updateRect.left, updateRect.top));
  for (std::int32_t i = 0; i < children_; ++i)
    if (children[i]->overlaps(updateRect))
      children[i]->drawInRect(context, updateRect);
  if (modalView && modalView->overlaps(updateRect))
    modalView->draw(context);
}

bool Frame::redrawIfDirty(DrawContext *context) {
  if (!open)
    return false;
  if (modalView)
    return modalView->redrawIfDirty(context);
  if (needsRedraw()) {
    draw(context);
    setNeedsRedraw(false);
    return true;
  }
  bool drew = false;
  for (std::int32_t i = 0; i < children_; ++i)
    drew = children[i]->redrawIfDirty(context) || drew;
  return drew;
}

bool Frame::anythingToRedraw() {
  if (modalView || needsRedraw())
    return true;
  for (std::int32_t i = 0; i < children_; ++i)
    if (children[i]->needsRedraw())
      return true;
  return false;
}

void Frame::idle() {
  if (!open || firstDrawPending || !anythingToRedraw())
    return;
  withWindowContext([](Frame *self, DrawContext *context, View *) { self->redrawIfDirty(context); },
                    nullptr);
}

void Frame::drawViewNow(View *view) {
  withWindowContext(
      [](Frame *self, DrawContext *context, View *target) {
        if (target && self->hasChild(target))
          target->draw(context);
        else
          self->draw(context);
      },
      view);
}

void Frame::withWindowContext(void (*work)(Frame *, DrawContext *, View *), View *view) {
  if (!open || !window)
    return;
  void *deviceContext = windowSystem::windowDeviceContext(window);
  {
    DrawContext context(this, deviceContext, window);
    work(this, &context, view);
  }
  windowSystem::releaseWindowDeviceContext(window, deviceContext);
}

void Frame::invalidate(const Rect &rect) {
  for (std::int32_t i = 0; i < children_; ++i)
    if (children[i]->getBounds().overlapsInclusive(rect))
      children[i]->setNeedsRedraw(true);
}

void Frame::setBackgroundBitmap(Bitmap *bitmap) {
  if (background)
    background->release();
  background = bitmap;
  if (background)
    background->retain();
}

// ---- children

bool Frame::addChild(View *view) {
  if (!view)
    return false;
  if (children_ == childCapacity) {
    const std::int32_t capacity = childCapacity + kChildGrowth;
    void *grown = std::realloc(children, sizeof(View *) * static_cast<std::size_t>(capacity));
    if (!grown) {
      childCapacity = 0;
      return false;
    }
    children = static_cast<View **>(grown);
    childCapacity = capacity;
  }
  children[children_++] = view;
  view->setFrame(this);
  view->onAttached(this);
  return true;
}

bool Frame::removeChild(View *view, bool releaseIt) {
  for (std::int32_t i = 0; i < children_; ++i) {
    if (children[i] != view)
      continue;
    std::memmove(children + i, children + i + 1,
                 sizeof(View *) * static_cast<std::size_t>(children_ - i - 1));
    --children_;
    forgetView(view);
    view->onRemoved(this);
    if (releaseIt)
      view->release();
    return true;
  }
  return false;
}

bool Frame::removeAllChildren(bool releaseIt) {
  if (focusView) {
    View *lost = focusView;
    focusView = nullptr;
    lost->focusLost(nullptr);
  }
  for (std::int32_t i = 0; i < children_; ++i) {
    View *view = children[i];
    forgetView(view);
    view->onRemoved(this);
    if (releaseIt)
      view->release();
  }
  std::free(children);
  children = nullptr;
  children_ = 0;
  childCapacity = 0;
  return true;
}

void Frame::forgetView(View *view) {
  // A removed view must not stay reachable through the frame's special roles.
  if (focusView == view)
    focusView = nullptr;
  if (modalView == view)
    modalView = nullptr;
}

bool Frame::hasChild(View *view) const {
  for (std::int32_t i = 0; i < children_; ++i)
    if (children[i] == view)
      return true;
  return false;
}

View *Frame::childAt(std::int32_t index) const {
  return index >= 0 && index < children_ ? children[index] : nullptr;
}

// ---- modal and focus views

bool Frame::setModalView(View *view) {
  if (view && modalView)
    return false;
  if (modalView)
    modalView->onRemoved(this);
  modalView = view;
  if (modalView)
    modalView->onAttached(this);
  return true;
}

void Frame::setFocusView(View *view) {
  View *previous = focusView;
  focusView = view;
  if (previous)
    previous->focusLost(nullptr);
}

// ---- input

void Frame::onMouseDown(DrawContext *context, Point &where) {
  if (focusView) {
    View *lost = focusView;
    focusView = nullptr;
    lost->focusLost(nullptr);
  }
  const std::int32_t buttons = context ? context->getMouseButtons() : -1;
  if (modalView) {
    if (modalView->hitTest(where, buttons))
      modalView->onMouseDown(context, where);
    return;
  }
  for (std::int32_t i = children_ - 1; i >= 0; --i) {
    View *view = children[i];
    if (view->isMouseEnabled() && view->hitTest(where, buttons)) {
      view->onMouseDown(context, where);
      return;
    }
  }
}

std::int32_t Frame::dispatchKey(VstKeyCode &keyCode, bool down) {
  auto ask = [&](View *view) { return down ? view->onKeyDown(keyCode) : view->onKeyUp(keyCode); };
  if (focusView) {
    const std::int32_t answer = ask(focusView);
    if (answer != -1)
      return answer;
  }
  if (modalView) {
    const std::int32_t answer = ask(modalView);
    if (answer != -1)
      return answer;
  }
  for (std::int32_t i = children_ - 1; i >= 0; --i) {
    const std::int32_t answer = ask(children[i]);
    if (answer != -1)
      return answer;
  }
  return -1;
}

std::int32_t Frame::onKeyDown(VstKeyCode &keyCode) { return dispatchKey(keyCode, true); }

std::int32_t Frame::onKeyUp(VstKeyCode &keyCode) { return dispatchKey(keyCode, false); }

bool Frame::onDrop(void *dropItems, std::int32_t count, std::int32_t kind, Point &where) {
  if (modalView || focusView)
    return false;
  for (std::int32_t i = children_ - 1; i >= 0; --i) {
    View *view = children[i];
    if (view->isMouseEnabled() && view->getBounds().containsInclusive(where) &&
        view->onDrop(dropItems, count, kind, where))
      return true;
  }
  return false;
}

bool Frame::onWheel(DrawContext *context, const Point &, float distance) {
  View *target = viewUnderMouse();
  if (!target)
    return false;
  Point where;
  getMouseLocation(where);
  if (context)
    return target->onWheel(context, where, distance);
  if (!window)
    return target->onWheel(nullptr, where, distance);
  void *deviceContext = windowSystem::windowDeviceContext(window);
  bool handled;
  {
    DrawContext temporary(this, deviceContext, window);
    handled = target->onWheel(&temporary, where, distance);
  }
  windowSystem::releaseWindowDeviceContext(window, deviceContext);
  return handled;
}

void Frame::getMouseLocation(Point &point) {
  point = windowSystem::cursorPosition();
  if (window) {
    const Point origin = windowSystem::windowScreenOrigin(window);
    point.offset(-origin.h, -origin.v);
  }
}

View *Frame::viewUnderMouse() {
  if (modalView)
    return modalView;
  Point where;
  getMouseLocation(where);
  for (std::int32_t i = children_ - 1; i >= 0; --i)
    if (children[i]->getBounds().containsInclusive(where))
      return children[i];
  return nullptr;
}

// ---- services for controls

void Frame::beginEdit(std::int32_t tag) {
  if (EffectExtended *host = editor ? editor->hostServices() : nullptr)
    host->beginEdit(tag);
}

void Frame::endEdit(std::int32_t tag) {
  if (EffectExtended *host = editor ? editor->hostServices() : nullptr)
    host->endEdit(tag);
}

void Frame::runEditorIdle() {
  if (editor)
    editor->runIdleCycle();
}

std::int32_t Frame::ticks() const {
  return editor ? static_cast<std::int32_t>(GuiEditor::getTicks()) : 0;
}

std::int32_t Frame::knobMode() const { return GuiEditor::knobMode; }

void Frame::setCursor(std::int32_t type) {
  if (!cursorRemembered) {
    savedCursor = windowSystem::currentCursor();
    cursorRemembered = true;
  }
  if (type == kCursorDefault)
    windowSystem::restoreCursor(savedCursor);
  else
    windowSystem::showCursorType(type);
}

// ---- window size and place

bool Frame::setSize(std::int32_t width, std::int32_t height) {
  if (!open || (width == bounds.width() && height == bounds.height()))
    return false;
  if (EffectExtended *host = editor ? editor->hostServices() : nullptr) {
    char capability[] = "sizeWindow";
    if (host->canHostDo(capability) && host->sizeWindow(width, height)) {
      windowSystem::resizeWindow(window, width, height);
      return true;
    }
  }
  bounds.right = bounds.left + width;
  bounds.bottom = bounds.top + height;
  windowSystem::resizeWindowChain(window, width, height);
  return true;
}

bool Frame::getSize(Rect &rect) const {
  return open && window && windowSystem::parentRect(window, rect);
}

bool Frame::getPosition(std::int32_t &x, std::int32_t &y) const {
  return open && window && windowSystem::outerWindowPosition(window, x, y);
}

void *Frame::getOuterWindow() const { return window ? windowSystem::outerWindow(window) : nullptr; }

// ---- drag and drop

bool Frame::setDropEnabled(bool enable) {
  if (!dropEnabled && !enable)
    return true;
  if (!window)
    return false;
  if (enable && !dropEnabled) {
    dropTarget = windowSystem::registerDropTarget(this, window);
    if (!dropTarget)
      return false;
  } else if (!enable) {
    windowSystem::revokeDropTarget(window, dropTarget);
    dropTarget = nullptr;
  }
  dropEnabled = enable;
  return true;
}

// ---- own-window mode

bool Frame::openOwnWindow(const Point *position) {
  if (!ownWindow)
    return false;
  if (open) {
    if (void *top = windowSystem::ancestor(window, 2))
      windowSystem::bringToTop(top);
    return false;
  }
  auto *record = reinterpret_cast<VstWindow *>(windowDescription);
  if (position) {
    record->xPos = static_cast<VstInt16>(position->h);
    record->yPos = static_cast<VstInt16>(position->v);
  }
  EffectExtended *host = editor ? editor->hostServices() : nullptr;
  hostWindow = host ? host->openWindow(record) : nullptr;
  if (!hostWindow)
    return false;
  systemWindow = hostWindow;
  open = true;
  openChildWindow(hostWindow);
  return true;
}

void Frame::closeOwnWindow() {
  if (!ownWindow || !open || !hostWindow)
    return;
  if (EffectExtended *host = editor ? editor->hostServices() : nullptr)
    host->closeWindow(reinterpret_cast<VstWindow *>(windowDescription));
  hostWindow = nullptr;
}
