#include "font_table.h"

namespace {

struct FontEntry {
  const char *face;
  std::int32_t standardSize;
};

constexpr FontEntry kFonts[8] = {{"Arial", 12}, {"Arial", 18}, {"Arial", 14}, {"Arial", 12},
                                 {"Arial", 11}, {"Arial", 10}, {"Arial", 9},  {"Symbol", 13}};
constexpr std::int32_t kAlwaysBoldFont = 0;
constexpr std::int32_t kDecorativeFont = 7;

} // namespace

FontDescription describeFont(std::int32_t fontId, std::int32_t size, std::int32_t style) {
  if (fontId < 0 || fontId > 7)
    fontId = 0;
  const FontEntry &entry = kFonts[fontId];
  FontDescription font{};
  font.fontId = fontId;
  font.height = size != 0 ? size : entry.standardSize;
  font.weight = (style & kFontBold) != 0 || fontId == kAlwaysBoldFont ? 700 : 400;
  font.italic = (style & kFontItalic) != 0;
  font.underline = (style & kFontUnderline) != 0;
  font.decorative = fontId == kDecorativeFont;
  font.face = entry.face;
  return font;
}
