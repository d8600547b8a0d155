#include "text_renderer.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>

struct TextRenderer::FaceHandle {
  FT_Face face = nullptr;
};

TextRenderer::TextRenderer(std::string fontFolder) : folder(std::move(fontFolder)) {
  FT_Library lib = nullptr;
  if (FT_Init_FreeType(&lib) != 0)
    error = "FreeType could not start";
  library = lib;
}

TextRenderer::~TextRenderer() {
  for (auto &entry : faces) {
    FT_Done_Face(entry.second->face);
    delete entry.second;
  }
  if (library)
    FT_Done_FreeType(static_cast<FT_Library>(library));
}

TextRenderer::FaceHandle *TextRenderer::face(const TextStyle &style) {
  if (!library)
    return nullptr;
  auto found = faces.find(style.font);
  if (found == faces.end()) {
    FT_Face f = nullptr;
    const std::string path = folder + "/" + style.font;
    if (FT_New_Face(static_cast<FT_Library>(library), path.c_str(), 0, &f) != 0) {
      error = "cannot open font " + path;
      return nullptr;
    }
    found = faces.emplace(style.font, new FaceHandle{f}).first;
  }
  FT_Set_Pixel_Sizes(found->second->face, 0, FT_UInt(style.pixelSize));
  return found->second;
}

// Light hinting keeps stems on whole pixels vertically without distorting the letter shapes;
// two-colour text uses the hinting made for bi-level output instead of cutting off the grey.
static FT_Int32 loadFlags(const TextStyle &style) {
  return style.binary ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_LIGHT;
}

double TextRenderer::measure(const TextStyle &style, const std::string &text) {
  FaceHandle *handle = face(style);
  if (!handle)
    return 0;
  double width = 0;
  for (unsigned char ch : text) {
    if (FT_Load_Char(handle->face, ch, loadFlags(style)) != 0)
      continue;
    width += handle->face->glyph->advance.x / 64.0 + style.tracking;
  }
  return text.empty() ? 0 : width - style.tracking;
}

void TextRenderer::draw(Canvas &canvas, const TextStyle &style, double x, int baseline,
                        const std::string &text, Align align) {
  if (align == Align::Centre)
    x -= measure(style, text) / 2;
  else if (align == Align::Right)
    x -= measure(style, text);
  FaceHandle *handle = face(style);
  if (!handle)
    return;
  double pen = x;
  for (unsigned char ch : text) {
    if (FT_Load_Char(handle->face, ch,
                     loadFlags(style) | FT_LOAD_RENDER | (style.binary ? FT_LOAD_MONOCHROME : 0)) !=
        0)
      continue;
    const FT_GlyphSlot glyph = handle->face->glyph;
    const FT_Bitmap &bitmap = glyph->bitmap;
    const int left = int(std::lround(pen)) + glyph->bitmap_left;
    const int top = baseline - glyph->bitmap_top;
    for (unsigned row = 0; row < bitmap.rows; ++row)
      for (unsigned col = 0; col < bitmap.width; ++col) {
        const unsigned char *line = bitmap.buffer + row * unsigned(bitmap.pitch);
        double a;
        if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO)
          a = (line[col / 8] >> (7 - col % 8)) & 1;
        else
          a = std::pow(line[col] / 255.0, 0.8); // small light-on-dark text otherwise looks starved
        canvas.blend(left + int(col), top + int(row), style.colour, a);
      }
    pen += glyph->advance.x / 64.0 + style.tracking;
  }
}
