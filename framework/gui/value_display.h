// Shows a value as text (an editor's formatter, or "%2.2f") over a background image, a filled box
// or nothing; also the base of the text field and the choice menu.
#pragma once

#include "control.h"

using ValueFormatter = void (*)(float value, char *text);
using ValueFormatterWithData = void (*)(float value, char *text, void *data);

enum ValueDisplayStyle : std::int32_t {
  kShadowText = 4,
  kSunkenBevel = 128,
  kRaisedBevel = 256,
  kNoText = 2048,
  kNoDrawing = 4096,
  kDoubleClickToEdit = 8192,
};

// Room for a formatted text, terminator included.
constexpr std::int32_t kDisplayTextCapacity = 256;

class ValueDisplay : public Control {
public:
  ValueDisplay(const Rect &bounds, Bitmap *background, std::int32_t style = 0);

  void draw(DrawContext *context) override;

  virtual void setFont(std::int32_t id);
  virtual void setTextColor(Color color);
  virtual void setFillColor(Color color);
  virtual void setFrameColor(Color color);
  virtual void setShadowColor(Color color);
  virtual void setAlignment(std::int32_t newAlignment);
  virtual void setFormatterWithData(ValueFormatterWithData function, void *data);
  virtual void setFormatter(ValueFormatter function) { formatter = function; }
  virtual void setOption(std::int32_t newOption) { option = newOption; }
  virtual void setStyle(std::int32_t newStyle);
  virtual void setFontStyle(std::int32_t newStyle);
  virtual void setTextTransparent(bool state) { textTransparent = state; }

  // The text `draw` shows for the current value.
  void formatValue(char *text) const;
  std::int32_t getStyle() const { return style; }
  Color getTextColor() const { return textColor; }
  Color getFillColor() const { return fillColor; }

protected:
  // Background (`image`, else the control's), border or bevel, then the text.
  void drawText(DrawContext *context, const char *text, Bitmap *image = nullptr);

  ValueFormatter formatter = nullptr;
  ValueFormatterWithData formatterWithData = nullptr;
  std::int32_t option = 0;
  void *formatterData = nullptr;
  std::int32_t alignment = 1;
  std::int32_t style;
  std::int32_t fontId = 3;
  std::int32_t fontStyle = 0;
  Color textColor = colorWhite;
  Color fillColor = colorBlack;
  Color frameColor = colorBlack;
  Color shadowColor = colorRed;
  bool textTransparent = true;
};
