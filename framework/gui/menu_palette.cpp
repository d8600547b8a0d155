#include "menu_palette.h"

#include <windows.h>

#include <cstring>
#include <string>

#include "draw_context.h"
#include "menu_entry_rules.h"

namespace {

Color systemColor(int index) { return Color::fromNative(GetSysColor(index)); }

constexpr std::int32_t kSeparatorHeight = 6;
constexpr std::int32_t kItemHeight = 18;
constexpr std::int32_t kTextIndent = 18;
constexpr std::int32_t kTabColumnFromRight = 50;

} // namespace

MenuPalette::MenuPalette()
    : background(systemColor(COLOR_MENU)), highlightBackground(systemColor(COLOR_HIGHLIGHT)),
      text(systemColor(COLOR_MENUTEXT)), highlightedText(systemColor(COLOR_HIGHLIGHTTEXT)),
      disabledText(systemColor(COLOR_GRAYTEXT)) {}

void MenuPalette::release() {
  if (references <= 0)
    return;
  if (--references == 0)
    delete this;
}

void MenuPalette::measureItem(const char *itemText, DrawContext *context, Point &size) {
  if (menuEntryKind(itemText) == MenuEntryKind::separator) {
    size = Point(0, kSeparatorHeight);
    return;
  }
  context->setFont(fontId);
  size = Point(context->getStringWidth(menuItemText(itemText)) + kTextIndent, kItemHeight);
}

void MenuPalette::drawItemBackground(DrawContext *context, const Rect &rect, bool highlighted) {
  context->setFillColor(highlighted ? highlightBackground : background);
  context->fillRect(Rect(rect.left - 1, rect.top - 1, rect.right, rect.bottom));
}

void MenuPalette::drawItem(const char *itemText, std::int32_t, std::int32_t state,
                           DrawContext *context, const Rect &rect) {
  const bool selected = (state & kItemSelected) != 0;
  drawItemBackground(context, rect, selected);
  if (menuEntryKind(itemText) == MenuEntryKind::separator) {
    const std::int32_t y = rect.top + rect.height() / 2;
    context->setFrameColor(colorBlack);
    context->moveTo(Point(rect.left + 2, y));
    context->lineTo(Point(rect.right - 2, y));
    context->setFrameColor(colorWhite);
    context->moveTo(Point(rect.left + 2, y + 1));
    context->lineTo(Point(rect.right - 2, y + 1));
    return;
  }
  const Color ink = (state & kItemDisabled) ? disabledText : selected ? highlightedText : text;
  if (state & kItemChecked) {
    context->setFillColor(selected ? highlightedText : text);
    context->fillEllipse(Rect(rect.left + 6, rect.top + 4, rect.left + 14, rect.top + 12));
  }
  context->setFont(fontId);
  context->setFontColor(ink);
  const std::string shown = menuItemText(itemText);
  const std::size_t tab = shown.find('\t');
  Rect textRect(rect.left + kTextIndent, rect.top, rect.right, rect.bottom);
  context->drawString(shown.substr(0, tab).c_str(), textRect, false, 0);
  if (tab != std::string::npos) {
    textRect.left = rect.right - kTabColumnFromRight;
    context->drawString(shown.c_str() + tab + 1, textRect, false, 0);
  }
}
