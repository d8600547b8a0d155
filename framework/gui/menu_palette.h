// Colours and font of an owner-drawn choice menu, and how its items are measured and drawn.
// Reference counted like the views.
#pragma once

#include <cstdint>

#include "gui_types.h"

class DrawContext;

// Item state bits handed to drawItem.
enum MenuItemState : std::int32_t { kItemChecked = 1, kItemDisabled = 2, kItemSelected = 4 };

class MenuPalette {
public:
  MenuPalette(); // colours from the system's menu colours, font 4
  virtual ~MenuPalette() = default;

  MenuPalette(const MenuPalette &) = delete;
  MenuPalette &operator=(const MenuPalette &) = delete;

  // `size` is (width, height): a separator ("-") 6 high, other items 18 high and as wide as
  // their text plus 18.
  virtual void measureItem(const char *text, DrawContext *context, Point &size);
  virtual void drawItem(const char *text, std::int32_t itemIndex, std::int32_t state,
                        DrawContext *context, const Rect &rect);
  virtual void release();
  virtual void retain() { ++references; }
  virtual std::int32_t referenceCount() const { return references; }
  virtual void drawItemBackground(DrawContext *context, const Rect &rect, bool highlighted);

  Color background;
  Color highlightBackground;
  Color text;
  Color highlightedText;
  Color disabledText;
  std::int32_t fontId = 4;

private:
  std::int32_t references = 1;
};
