#include "menu_entry_rules.h"

#include <cstdio>
#include <cstring>

namespace {

bool isNumbered(std::int32_t numberingMode) { return numberingMode >= 2 && numberingMode <= 4; }

const char *numberFormat(std::int32_t numberingMode) {
  switch (numberingMode) {
  case 2:
    return "%s%1d %s";
  case 3:
    return "%s%02d %s";
  default:
    return "%s%03d %s";
  }
}

} // namespace

MenuEntryKind menuEntryKind(const char *stored) {
  if (stored[0] != '-')
    return MenuEntryKind::item;
  switch (stored[1]) {
  case 'T':
    return MenuEntryKind::title;
  case 'G':
    return MenuEntryKind::greyed;
  case 'M':
    return MenuEntryKind::submenu;
  default:
    return MenuEntryKind::separator;
  }
}

void storeMenuEntry(char *stored, const char *text, std::int32_t numberingMode,
                    std::int32_t position) {
  const MenuEntryKind kind = menuEntryKind(text);
  const std::size_t capacity = kMenuEntryLength + 1;
  if (!isNumbered(numberingMode) || !isSelectable(kind)) {
    std::snprintf(stored, capacity, "%s", text);
    return;
  }
  const bool prefixed = kind == MenuEntryKind::greyed || kind == MenuEntryKind::submenu;
  char prefix[3] = {};
  if (prefixed)
    std::memcpy(prefix, text, 2);
  std::snprintf(stored, capacity, numberFormat(numberingMode), prefix, static_cast<int>(position),
                prefixed ? text + 2 : text);
}

const char *menuItemText(const char *stored) {
  switch (menuEntryKind(stored)) {
  case MenuEntryKind::title:
  case MenuEntryKind::greyed:
  case MenuEntryKind::submenu:
    return stored + 2;
  default:
    return stored;
  }
}

const char *displayedEntryText(const char *stored, std::int32_t numberingMode) {
  const char *text = menuItemText(stored);
  if (!isNumbered(numberingMode) || !isSelectable(menuEntryKind(stored)))
    return text;
  const std::size_t length = std::strlen(text);
  return text + (length < static_cast<std::size_t>(numberingMode) ? length : numberingMode);
}

std::int32_t selectableToEntryIndex(const MenuEntryKind *kinds, std::int32_t count,
                                    std::int32_t selectableIndex) {
  if (selectableIndex < 0)
    return -1;
  for (std::int32_t i = 0; i < count; ++i)
    if (isSelectable(kinds[i]) && selectableIndex-- == 0)
      return i;
  return -1;
}

std::int32_t entryToSelectableIndex(const MenuEntryKind *kinds, std::int32_t count,
                                    std::int32_t entryIndex) {
  if (entryIndex < 0 || entryIndex >= count || !isSelectable(kinds[entryIndex]))
    return -1;
  std::int32_t selectable = 0;
  for (std::int32_t i = 0; i < entryIndex; ++i)
    selectable += isSelectable(kinds[i]) ? 1 : 0;
  return selectable;
}
