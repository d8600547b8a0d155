#include "choice_menu.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "bitmap.h"
#include "draw_context.h"
#include "frame.h"
#include "menu_palette.h"

namespace {

constexpr std::int32_t kEntryGrowth = 32;
constexpr std::int32_t kSubmenuGrowth = 10;
// Columns are only laid out for menus short enough to be read that way.
constexpr std::int32_t kMostEntriesInColumns = 160;

template <typename T> bool growArray(T *&array, std::int32_t newCapacity) {
  void *grown = std::realloc(array, sizeof(T) * static_cast<std::size_t>(newCapacity));
  if (!grown)
    return false;
  array = static_cast<T *>(grown);
  return true;
}

} // namespace

struct ChoiceMenu::Built {
  std::vector<std::pair<ChoiceMenu *, std::int32_t>> items; // identifier - 1 -> (menu, index)
};

ChoiceMenu::ChoiceMenu(const Rect &bounds, ControlListener *listener, std::int32_t tag,
                       Bitmap *background, Bitmap *pressedImage, std::int32_t style)
    : ValueDisplay(bounds, background, style), pressedImage(pressedImage) {
  this->listener = listener;
  this->tag = tag;
  if (pressedImage)
    pressedImage->retain();
}

ChoiceMenu::~ChoiceMenu() {
  destroyMenu();
  removeAllEntries();
  std::free(entries);
  std::free(checked);
  std::free(kinds);
  std::free(submenus);
  if (pressedImage)
    pressedImage->release();
  if (palette)
    palette->release();
}

bool ChoiceMenu::grow() {
  if (count < capacity)
    return true;
  const std::int32_t newCapacity = capacity + kEntryGrowth;
  // Each array grows on its own; one that fails leaves the entries as they were.
  if (!growArray(entries, newCapacity) || !growArray(checked, newCapacity) ||
      !growArray(kinds, newCapacity))
    return false;
  capacity = newCapacity;
  return true;
}

bool ChoiceMenu::addEntry(const char *text, std::int32_t index) {
  if (!text || count >= kMaxMenuEntries || menuEntryKind(text) == MenuEntryKind::submenu || !grow())
    return false;
  auto *stored = static_cast<char *>(std::malloc(kMenuEntryLength + 1));
  if (!stored)
    return false;
  const std::int32_t at = index < 0 || index >= count ? count : index;
  storeMenuEntry(stored, text, numberingMode, at + 1);
  std::memmove(entries + at + 1, entries + at, sizeof(char *) * (count - at));
  std::memmove(checked + at + 1, checked + at, sizeof(bool) * (count - at));
  std::memmove(kinds + at + 1, kinds + at, sizeof(MenuEntryKind) * (count - at));
  entries[at] = stored;
  checked[at] = false;
  kinds[at] = menuEntryKind(stored);
  ++count;
  if (currentIndex >= at)
    ++currentIndex;
  return true;
}

bool ChoiceMenu::addSubmenu(ChoiceMenu *menu, const char *text) {
  if (!menu || !text || count >= kMaxMenuEntries || !grow())
    return false;
  if (submenuTotal >= submenuCapacity) {
    if (!growArray(submenus, submenuCapacity + kSubmenuGrowth))
      return false;
    submenuCapacity += kSubmenuGrowth;
  }
  auto *stored = static_cast<char *>(std::malloc(kMenuEntryLength + 1));
  if (!stored)
    return false;
  char prefixed[kMenuEntryLength + 1];
  std::snprintf(prefixed, sizeof prefixed, "-M%s", text);
  storeMenuEntry(stored, prefixed, numberingMode, count + 1);
  entries[count] = stored;
  checked[count] = false;
  kinds[count] = MenuEntryKind::submenu;
  ++count;
  menu->retain();
  submenus[submenuTotal++] = menu;
  return true;
}

ChoiceMenu *ChoiceMenu::submenuAt(std::int32_t index) const {
  return index >= 0 && index < submenuTotal ? submenus[index] : nullptr;
}

const char *ChoiceMenu::shownEntry(std::int32_t index) const {
  return index >= 0 && index < count ? displayedEntryText(entries[index], numberingMode) : nullptr;
}

std::int32_t ChoiceMenu::entryIndexFor(std::int32_t index, bool countAll) const {
  if (countAll)
    return index >= 0 && index < count ? index : -1;
  return selectableToEntryIndex(kinds, count, index);
}

std::int32_t ChoiceMenu::getCurrent(char *text, bool countAll) const {
  if (text)
    std::strcpy(text, currentIndex >= 0 ? shownEntry(currentIndex) : "");
  if (currentIndex < 0)
    return -1;
  return countAll ? currentIndex : entryToSelectableIndex(kinds, count, currentIndex);
}

bool ChoiceMenu::setCurrent(std::int32_t index, bool countAll) {
  const std::int32_t entry = entryIndexFor(index, countAll);
  if (entry < 0)
    return false;
  currentIndex = entry;
  value = static_cast<float>(entry);
  setNeedsRedraw(true);
  return true;
}

bool ChoiceMenu::getEntry(std::int32_t index, char *text) const {
  if (index < 0 || index >= count || !text)
    return false;
  std::strcpy(text, entries[index]);
  return true;
}

bool ChoiceMenu::setEntry(std::int32_t index, const char *text) {
  if (index < 0 || index >= count || !text)
    return false;
  // A submenu entry stays one: only its title changes.
  if (kinds[index] == MenuEntryKind::submenu) {
    char prefixed[kMenuEntryLength + 1];
    std::snprintf(prefixed, sizeof prefixed, "-M%s", text);
    storeMenuEntry(entries[index], prefixed, numberingMode, index + 1);
  } else {
    if (menuEntryKind(text) == MenuEntryKind::submenu)
      return false;
    storeMenuEntry(entries[index], text, numberingMode, index + 1);
    kinds[index] = menuEntryKind(entries[index]);
  }
  if (index == currentIndex)
    setNeedsRedraw(true);
  return true;
}

bool ChoiceMenu::removeEntry(std::int32_t index) {
  if (index < 0 || index >= count)
    return false;
  if (kinds[index] == MenuEntryKind::submenu) {
    std::int32_t ordinal = 0;
    for (std::int32_t i = 0; i < index; ++i)
      ordinal += kinds[i] == MenuEntryKind::submenu ? 1 : 0;
    submenus[ordinal]->release();
    std::memmove(submenus + ordinal, submenus + ordinal + 1,
                 sizeof(ChoiceMenu *) * (submenuTotal - ordinal - 1));
    --submenuTotal;
  }
  std::free(entries[index]);
  std::memmove(entries + index, entries + index + 1, sizeof(char *) * (count - index - 1));
  std::memmove(checked + index, checked + index + 1, sizeof(bool) * (count - index - 1));
  std::memmove(kinds + index, kinds + index + 1, sizeof(MenuEntryKind) * (count - index - 1));
  --count;
  if (currentIndex == index)
    currentIndex = -1;
  else if (currentIndex > index)
    --currentIndex;
  setNeedsRedraw(true);
  return true;
}

bool ChoiceMenu::removeAllEntries() {
  for (std::int32_t i = 0; i < count; ++i)
    std::free(entries[i]);
  for (std::int32_t i = 0; i < submenuTotal; ++i)
    submenus[i]->release();
  count = submenuTotal = 0;
  currentIndex = -1;
  return true;
}

std::int32_t ChoiceMenu::findEntry(const char *text) const {
  if (!text)
    return -1;
  for (std::int32_t i = 0; i < count; ++i)
    if (std::strcmp(entries[i], text) == 0 || std::strcmp(shownEntry(i), text) == 0)
      return i;
  return -1;
}

void ChoiceMenu::setChecked(std::int32_t index, bool state) {
  if (index >= 0 && index < count)
    checked[index] = state;
}

bool ChoiceMenu::checkOnly(std::int32_t index) {
  if (index < 0 || index >= count)
    return false;
  for (std::int32_t i = 0; i < count; ++i)
    checked[i] = i == index;
  return true;
}

bool ChoiceMenu::isChecked(std::int32_t index) const {
  return index >= 0 && index < count && checked[index];
}

MenuPalette *ChoiceMenu::getPalette() {
  if (!palette)
    palette = new MenuPalette();
  return palette;
}

void ChoiceMenu::setValue(float newValue) {
  const auto index = static_cast<std::int32_t>(newValue);
  if (index >= 0 && index < count) {
    currentIndex = index;
    if (style & kMenuCheckEntries)
      checked[index] = !checked[index];
  }
  value = newValue;
  setNeedsRedraw(true);
}

void ChoiceMenu::draw(DrawContext *context) {
  if (currentIndex < 0 || currentIndex >= count) {
    setNeedsRedraw(false);
    return;
  }
  drawText(context, shownEntry(currentIndex));
}

void ChoiceMenu::onMouseDown(DrawContext *context, Point &) {
  if (!mouseEnabled || !frame)
    return;
  const std::int32_t buttons = context->getMouseButtons();
  if (!(buttons & (kLeftButton | kRightButton)))
    return;
  lastButtons = buttons;
  if (pressedImage)
    drawText(context, currentIndex >= 0 ? shownEntry(currentIndex) : "", pressedImage);
  frame->setFocusView(this);
  focusGained(context);
}

void *ChoiceMenu::buildMenu(Built &building, ChoiceMenu *root) {
  HMENU menu = CreatePopupMenu();
  if (!menu)
    return nullptr;
  const bool columns = count < kMostEntriesInColumns && itemsPerColumn > 0;
  const bool ownerDrawn = root->palette != nullptr;
  std::int32_t submenuOrdinal = 0;
  for (std::int32_t i = 0; i < count; ++i) {
    building.items.emplace_back(this, i);
    UINT_PTR id = building.items.size();
    UINT flags = ownerDrawn ? MF_OWNERDRAW : MF_STRING;
    if (columns && i > 0 && i % itemsPerColumn == 0)
      flags |= MF_MENUBARBREAK;
    switch (kinds[i]) {
    case MenuEntryKind::separator:
      flags = ownerDrawn ? (flags | MF_DISABLED) : (flags & MF_MENUBARBREAK) | MF_SEPARATOR;
      break;
    case MenuEntryKind::title:
      flags |= MF_DISABLED;
      break;
    case MenuEntryKind::greyed:
      flags |= MF_GRAYED;
      break;
    case MenuEntryKind::submenu: {
      HMENU sub = static_cast<HMENU>(submenus[submenuOrdinal++]->buildMenu(building, root));
      if (sub) {
        flags |= MF_POPUP;
        id = reinterpret_cast<UINT_PTR>(sub);
      }
      break;
    }
    case MenuEntryKind::item:
      break;
    }
    if ((style & kMenuCheckEntries) ? checked[i] : (style & kMenuCheckCurrent) && i == currentIndex)
      flags |= MF_CHECKED;
    // Owner-drawn items carry the stored entry as their data; the palette reads its kind.
    const char *item = ownerDrawn ? entries[i] : menuItemText(entries[i]);
    AppendMenuA(menu, flags, id, item);
  }
  return menu;
}

void ChoiceMenu::destroyMenu() {
  if (menuHandle)
    DestroyMenu(static_cast<HMENU>(menuHandle));
  menuHandle = nullptr;
}

void ChoiceMenu::focusLost(DrawContext *) {}

void ChoiceMenu::focusGained(DrawContext *context) {
  HWND window = frame ? static_cast<HWND>(frame->getWindow()) : nullptr;
  if (!window || menuHandle)
    return;
  Built building;
  menuHandle = buildMenu(building, this);
  if (!menuHandle)
    return;
  built = &building;
  const Point offset = context ? context->offset : Point();
  POINT at{bounds.left + offset.h,
           ((style & kMenuPopupAtTop) ? bounds.top : bounds.bottom) + offset.v};
  ClientToScreen(window, &at);
  const UINT button = (lastButtons & kRightButton) ? TPM_RIGHTBUTTON : TPM_LEFTBUTTON;
  TrackPopupMenu(static_cast<HMENU>(menuHandle), TPM_LEFTALIGN | button, at.x, at.y, 0, window,
                 nullptr);
  std::int32_t chosen = 0;
  MSG message;
  if (PeekMessageA(&message, window, WM_COMMAND, WM_COMMAND, PM_REMOVE))
    chosen = LOWORD(message.wParam);
  destroyMenu();
  built = nullptr;
  frame->setFocusView(nullptr);
  if (chosen > 0 && static_cast<std::size_t>(chosen) <= building.items.size()) {
    const auto [menu, index] = building.items[chosen - 1];
    lastChosenId = chosen;
    lastResult = menu;
    menu->setValue(static_cast<float>(index));
    if (listener)
      listener->valueChanged(context, menu);
  }
  if (pressedImage)
    setNeedsRedraw(true);
}

bool ChoiceMenu::handleNativeMessage(std::uint32_t message, std::uintptr_t, std::intptr_t lParam,
                                     std::intptr_t &result) {
  if (!palette || !built || !frame)
    return false;
  if (message == WM_MEASUREITEM) {
    auto *measure = reinterpret_cast<MEASUREITEMSTRUCT *>(lParam);
    if (measure->CtlType != ODT_MENU)
      return false;
    HWND window = static_cast<HWND>(frame->getWindow());
    HDC device = GetDC(window);
    Point size;
    {
      DrawContext context(frame, device, window);
      palette->measureItem(reinterpret_cast<const char *>(measure->itemData), &context, size);
    }
    ReleaseDC(window, device);
    measure->itemWidth = static_cast<UINT>(size.h);
    measure->itemHeight = static_cast<UINT>(size.v);
    result = TRUE;
    return true;
  }
  if (message == WM_DRAWITEM) {
    auto *item = reinterpret_cast<DRAWITEMSTRUCT *>(lParam);
    if (item->CtlType != ODT_MENU)
      return false;
    std::int32_t state = 0;
    if (item->itemState & ODS_CHECKED)
      state |= kItemChecked;
    if (item->itemState & (ODS_DISABLED | ODS_GRAYED))
      state |= kItemDisabled;
    if (item->itemState & ODS_SELECTED)
      state |= kItemSelected;
    DrawContext context(frame, item->hDC, nullptr);
    const RECT &r = item->rcItem;
    palette->drawItem(reinterpret_cast<const char *>(item->itemData),
                      static_cast<std::int32_t>(item->itemID) - 1, state, &context,
                      Rect(r.left, r.top, r.right, r.bottom));
    result = TRUE;
    return true;
  }
  return false;
}
