// The toolkit's eight fonts and how a (font, size, style) request turns into a font description.
#pragma once

#include <cstdint>

enum FontStyleBits : std::int32_t { kFontBold = 1, kFontItalic = 2, kFontUnderline = 4 };

struct FontDescription {
  std::int32_t fontId; // 0..7 after lookup
  std::int32_t height; // pixels (the native request uses -height: character height)
  std::int32_t weight; // 400 normal, 700 bold
  bool italic;
  bool underline;
  bool decorative; // decorative family, default pitch; otherwise Swiss, variable pitch
  const char *face;
};

// An identifier outside 0..7 means 0; size 0 means the font's standard size.
FontDescription describeFont(std::int32_t fontId, std::int32_t size, std::int32_t style);
