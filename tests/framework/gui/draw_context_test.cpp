// Drawing through the toolkit's contexts into offscreen bitmaps, checked pixel by pixel; text
// is compared with GDI's own drawing of the same string in the same font.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "gui/draw_context.h"
#include "gui/offscreen_context.h"
#include "gui_test_support.h"

namespace {

HDC dcOf(DrawContext &context) { return static_cast<HDC>(context.getDeviceContext()); }

std::vector<Color> pixels(OffscreenContext &context) {
  return guitest::pixelsOf(dcOf(context), Rect(0, 0, context.getWidth(), context.getHeight()));
}

Color at(const std::vector<Color> &pixels, int width, int x, int y) {
  return pixels[static_cast<std::size_t>(y * width + x)];
}

TEST(DrawContextPixels, FillAndOutlineHonourTheOffset) {
  OffscreenContext filled(nullptr, 24, 24, colorBlack);
  filled.offset = Point(5, 5);
  filled.setFillColor(colorRed);
  filled.fillRect(Rect(0, 0, 10, 10));
  const auto fill = pixels(filled);
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 24; ++x) {
      const bool inside = x >= 6 && x <= 14 && y >= 6 && y <= 14;
      ASSERT_TRUE(at(fill, 24, x, y).sameRgb(inside ? colorRed : colorBlack)) << x << "," << y;
    }

  OffscreenContext outlined(nullptr, 24, 24, colorBlack);
  outlined.offset = Point(5, 5);
  outlined.setFrameColor(colorGreen);
  outlined.drawRect(Rect(0, 0, 10, 10));
  const auto outline = pixels(outlined);
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 24; ++x) {
      const bool onEdge =
          (x >= 5 && x <= 15 && (y == 5 || y == 15)) || (y >= 5 && y <= 15 && (x == 5 || x == 15));
      ASSERT_TRUE(at(outline, 24, x, y).sameRgb(onEdge ? colorGreen : colorBlack)) << x << "," << y;
    }
  EXPECT_EQ(outlined.getClipRect(), Rect(0, 0, 24, 24));
  DrawContext bare(nullptr, nullptr, nullptr);
  EXPECT_EQ(bare.getClipRect(), Rect(0, 0, 1000, 1000));
}

TEST(DrawContextPixels, PolylineOfMoreThanThirtyPointsUsesThemAll) {
  OffscreenContext context(nullptr, 100, 12, colorBlack);
  context.offset = Point(3, 2);
  context.setFrameColor(colorYellow);
  std::vector<Point> points;
  for (int i = 0; i < 40; ++i)
    points.emplace_back(2 * i, 5);
  context.drawPolyline(points.data(), static_cast<std::int32_t>(points.size()));
  const auto drawn = pixels(context);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 100; ++x) {
      const bool onLine = y == 7 && x >= 3 && x < 3 + 78; // the end point itself is not drawn
      ASSERT_TRUE(at(drawn, 100, x, y).sameRgb(onLine ? colorYellow : colorBlack)) << x << "," << y;
    }
}

TEST(DrawContextPixels, OffscreenContextIsClearedAndCopiesOut) {
  OffscreenContext source(nullptr, 100, 40, colorBlack);
  for (const Color &c : pixels(source))
    ASSERT_TRUE(c.sameRgb(colorBlack));
  OffscreenContext target(nullptr, 120, 60, colorWhite);
  source.copyTo(&target, Rect(0, 0, 100, 40), Point(0, 0));
  const auto copied = pixels(target);
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 120; ++x) {
      const bool fromSource = x < 100 && y < 40;
      ASSERT_TRUE(at(copied, 120, x, y).sameRgb(fromSource ? colorBlack : colorWhite))
          << x << "," << y;
    }
  OffscreenContext back(nullptr, 10, 10, colorRed);
  back.copyFrom(&target, Rect(95, 35, 105, 45), Point(0, 0));
  const auto corner = pixels(back);
  EXPECT_TRUE(at(corner, 10, 4, 4).sameRgb(colorBlack));
  EXPECT_TRUE(at(corner, 10, 5, 4).sameRgb(colorWhite));
  EXPECT_TRUE(at(corner, 10, 4, 5).sameRgb(colorWhite));
}

LOGFONTA selectedFont(DrawContext &context) {
  LOGFONTA font;
  GetObjectA(GetCurrentObject(dcOf(context), OBJ_FONT), sizeof font, &font);
  return font;
}

TEST(DrawContextFonts, FontRequestsBecomeTheSelectedFontsDescription) {
  OffscreenContext context(nullptr, 10, 10);
  context.setFont(9, 0, 0); // unknown id: font 0, always bold
  LOGFONTA font = selectedFont(context);
  EXPECT_STREQ(font.lfFaceName, "Arial");
  EXPECT_EQ(font.lfHeight, -12);
  EXPECT_EQ(font.lfWeight, 700);
  EXPECT_EQ(font.lfPitchAndFamily, VARIABLE_PITCH | FF_SWISS);
  EXPECT_EQ(context.getFontId(), 0);

  context.setFont(7, 0, 1);
  font = selectedFont(context);
  EXPECT_STREQ(font.lfFaceName, "Symbol");
  EXPECT_EQ(font.lfHeight, -13);
  EXPECT_EQ(font.lfWeight, 700);
  EXPECT_EQ(font.lfPitchAndFamily, DEFAULT_PITCH | FF_DECORATIVE);

  context.setFont(3, 20, 6);
  font = selectedFont(context);
  EXPECT_STREQ(font.lfFaceName, "Arial");
  EXPECT_EQ(font.lfHeight, -20);
  EXPECT_EQ(font.lfWeight, 400);
  EXPECT_TRUE(font.lfItalic);
  EXPECT_TRUE(font.lfUnderline);
  EXPECT_EQ(font.lfOutPrecision, OUT_STRING_PRECIS);
  EXPECT_EQ(font.lfClipPrecision, CLIP_STROKE_PRECIS);
  EXPECT_EQ(context.getFontSize(), 20);
}

// The same text drawn by GDI directly, with the toolkit's font and colours already selected.
std::vector<Color> gdiText(const char *text, RECT area, UINT horizontal, bool opaque) {
  OffscreenContext context(nullptr, 80, 24, colorBlack);
  context.setFont(2);
  context.setFontColor(colorWhite);
  context.setFillColor(colorBlue);
  SetBkMode(dcOf(context), opaque ? OPAQUE : TRANSPARENT);
  DrawTextA(dcOf(context), text, -1, &area, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | horizontal);
  return pixels(context);
}

std::vector<Color> toolkitText(const char *text, const Rect &rect, std::int32_t alignment,
                               bool opaque) {
  OffscreenContext context(nullptr, 80, 24, colorBlack);
  context.setFont(2);
  context.setFontColor(colorWhite);
  context.setFillColor(colorBlue);
  context.offset = Point(2, 1);
  context.drawString(text, rect, opaque, alignment);
  EXPECT_EQ(GetBkMode(dcOf(context)), TRANSPARENT);     // set back after drawing
  context.drawString(nullptr, rect, opaque, alignment); // nothing, and no crash
  return pixels(context);
}

TEST(DrawContextText, AlignmentsMatchGdiAndLeftStartsOnePixelIn) {
  const Rect rect(0, 0, 70, 20); // drawn with offset (2, 1)
  const auto left = toolkitText("Wave", rect, kAlignLeft, false);
  EXPECT_EQ(left, gdiText("Wave", RECT{3, 1, 72, 21}, DT_LEFT, false));
  EXPECT_NE(left, gdiText("Wave", RECT{2, 1, 72, 21}, DT_LEFT, false));
  EXPECT_EQ(toolkitText("Wave", rect, kAlignCenter, false),
            gdiText("Wave", RECT{2, 1, 72, 21}, DT_CENTER, false));
  EXPECT_EQ(toolkitText("Wave", rect, kAlignRight, true),
            gdiText("Wave", RECT{2, 1, 72, 21}, DT_RIGHT, true));
  bool anyBlue = false;
  for (const Color &c : toolkitText("Wave", rect, kAlignRight, true))
    anyBlue = anyBlue || c.sameRgb(colorBlue);
  EXPECT_TRUE(anyBlue); // opaque text paints its background with the fill colour
}

TEST(DrawContextState, UnchangedDrawModeMakesNoNativeCall) {
  OffscreenContext context(nullptr, 4, 4);
  const std::int32_t before = DrawContext::drawModeChanges;
  context.setDrawMode(kDrawXor);
  EXPECT_EQ(GetROP2(dcOf(context)), R2_NOTXORPEN);
  EXPECT_EQ(DrawContext::drawModeChanges, before + 1);
  SetROP2(dcOf(context), R2_COPYPEN); // changed behind the context's back
  context.setDrawMode(kDrawXor);      // the context thinks it is current: no call
  EXPECT_EQ(GetROP2(dcOf(context)), R2_COPYPEN);
  EXPECT_EQ(DrawContext::drawModeChanges, before + 1);
  context.setDrawMode(kDrawOr);
  EXPECT_EQ(GetROP2(dcOf(context)), R2_MERGEPEN);
  context.setDrawMode(7);
  EXPECT_EQ(GetROP2(dcOf(context)), R2_COPYPEN);
}

TEST(DrawContextInput, ShiftAndLeftButtonReadFromTheRealKeyboardAndMouse) {
  guitest::moveMouse(1200, 1000); // away from every window
  guitest::pressKey(VK_SHIFT);
  guitest::pressLeftButton();
  const bool pressed =
      guitest::waitForKeyState(VK_LBUTTON, true) && guitest::waitForKeyState(VK_SHIFT, true);
  DrawContext context(nullptr, nullptr, nullptr);
  const std::int32_t plain = context.getMouseButtons();
  DrawContext::buttonsSwapped = true;
  const std::int32_t swapped = context.getMouseButtons();
  DrawContext::buttonsSwapped = false;
  guitest::releaseLeftButton();
  guitest::releaseKey(VK_SHIFT);
  EXPECT_TRUE(guitest::waitForKeyState(VK_LBUTTON, false));
  EXPECT_TRUE(guitest::waitForKeyState(VK_SHIFT, false));
  ASSERT_TRUE(pressed);
  EXPECT_EQ(plain, 9);
  EXPECT_EQ(swapped, 12);
  EXPECT_EQ(context.getMouseButtons(), 0);
  Point location;
  context.getMouseLocation(location);
  EXPECT_EQ(location, Point(1200, 1000)); // no window: screen coordinates
}

} // namespace
