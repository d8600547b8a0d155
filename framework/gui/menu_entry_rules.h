// How a choice menu stores, numbers and shows its entries. Window-free, tested natively.
#pragma once

#include <cstdint>

// Entries hold at most this many characters; the menu at most kMaxMenuEntries entries.
constexpr std::int32_t kMenuEntryLength = 255;
constexpr std::int32_t kMaxMenuEntries = 1024;

enum class MenuEntryKind { item, separator, title, greyed, submenu };

// "-T" title, "-G" greyed, "-M" submenu; any other text starting with "-" is a separator.
MenuEntryKind menuEntryKind(const char *stored);

// Separators and titles take no value: they are skipped when only selectable entries count.
inline bool isSelectable(MenuEntryKind kind) {
  return kind != MenuEntryKind::separator && kind != MenuEntryKind::title;
}

// The text to keep for `text` added at the one-based `position`. Numbering modes 2, 3 and 4
// put "%1d ", "%02d " or "%03d " before the name (after a "-G" or "-M" prefix); separators and
// titles are never numbered. `stored` has room for kMenuEntryLength characters and the end.
void storeMenuEntry(char *stored, const char *text, std::int32_t numberingMode,
                    std::int32_t position);

// What the popup shows: the entry without its kind prefix (numbers stay).
const char *menuItemText(const char *stored);

// What the control shows for its current entry: the popup text without the number, whose length
// equals the numbering mode.
const char *displayedEntryText(const char *stored, std::int32_t numberingMode);

// Index translation for getCurrent/setCurrent when only selectable entries count. Both answer
// -1 when there is no such entry.
std::int32_t selectableToEntryIndex(const MenuEntryKind *kinds, std::int32_t count,
                                    std::int32_t selectableIndex);
std::int32_t entryToSelectableIndex(const MenuEntryKind *kinds, std::int32_t count,
                                    std::int32_t entryIndex);
