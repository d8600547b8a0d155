// Bitmaps from this program's own resources (the fixture plug-in's images), drawn opaquely,
// transparently by each of the three methods, from half-strip offsets and blended.
#include <gtest/gtest.h>

#include <windows.h>

#include "effect/plugin_entry.h"
#include "fixture/fixture_protocol.h"
#include "gui/bitmap.h"
#include "gui/frame.h"
#include "gui/offscreen_context.h"
#include "gui_test_support.h"

namespace {

const Color kWhite{255, 255, 255, 0};
const Color kAlmostWhite{254, 255, 255, 0};
const Color kStripGreen{10, 200, 10, 0};
const Color kStripBlue{0, 0, 160, 0};

class BitmapPixels : public ::testing::Test {
protected:
  BitmapPixels() { moduleHandle = GetModuleHandleA(nullptr); }
  static std::vector<Color> pixels(OffscreenContext &context) {
    return guitest::pixelsOf(static_cast<HDC>(context.getDeviceContext()),
                             Rect(0, 0, context.getWidth(), context.getHeight()));
  }
  static Color at(const std::vector<Color> &p, int width, int x, int y) {
    return p[static_cast<std::size_t>(y * width + x)];
  }
  // The strip's upper state drawn transparently at (4, 4) over red, with the offset moved by 1.
  void expectTransparentStrip(Bitmap &strip, std::int32_t method) {
    OffscreenContext context(nullptr, 24, 24, colorRed);
    context.offset = Point(1, 1);
    EXPECT_EQ(strip.transparentMethod(), method);
    strip.drawTransparent(&context, Rect(3, 3, 19, 19), Point(0, 0));
    const auto p = pixels(context);
    for (int y = 0; y < 24; ++y)
      for (int x = 0; x < 24; ++x) {
        Color expected = colorRed;
        if (x >= 4 && x < 20 && y >= 4 && y < 12 && x >= 12)
          expected = kAlmostWhite; // one step from the transparent colour: opaque
        else if (x >= 4 && x < 20 && y >= 12 && y < 20)
          expected = kStripGreen;
        ASSERT_TRUE(at(p, 24, x, y).sameRgb(expected))
            << "method " << method << " at " << x << "," << y;
      }
  }
};

TEST_F(BitmapPixels, LoadsByResourceIdWithItsSizeAndDrawsOpaquely) {
  Bitmap background(kFixtureBackgroundId);
  ASSERT_TRUE(background.isLoaded());
  EXPECT_EQ(background.getWidth(), kFixtureEditorWidth);
  EXPECT_EQ(background.getHeight(), kFixtureEditorHeight);
  Bitmap missing(4000);
  EXPECT_FALSE(missing.isLoaded());
  EXPECT_EQ(missing.getWidth(), 0);
  EXPECT_EQ(missing.getHeight(), 0);

  OffscreenContext context(nullptr, 120, 80, colorBlack);
  missing.draw(&context, Rect(0, 0, 120, 80));
  context.offset = Point(4, 6);
  background.draw(&context, Rect(6, 4, 6 + 96, 4 + 64));
  const auto p = pixels(context);
  const Color left{200, 40, 40, 0}, right{40, 40, 200, 0}, square{0, 160, 0, 0};
  for (int y = 0; y < 80; ++y)
    for (int x = 0; x < 120; ++x) {
      const int ix = x - 10, iy = y - 10;
      Color expected = colorBlack;
      if (ix >= 0 && ix < 96 && iy >= 0 && iy < 64)
        expected = (ix >= 2 && ix < 6 && iy >= 2 && iy < 6) ? square : ix < 48 ? left : right;
      ASSERT_TRUE(at(p, 120, x, y).sameRgb(expected)) << x << "," << y;
    }
}

TEST_F(BitmapPixels, TransparentDrawingSkipsOnlyPureWhiteByEveryMethod) {
  Bitmap strip(kFixtureStripId);
  ASSERT_EQ(strip.getHeight(), 32);
  EXPECT_EQ(strip.getTransparentColor(), kWhite);
  expectTransparentStrip(strip, 3); // no frame yet: the system's blit is not loaded
  {
    Frame holder(Rect(0, 0, 10, 10), nullptr, nullptr); // loads the imaging library
    expectTransparentStrip(strip, 2);
    Bitmap::allowSystemTransparentBlit = false;
    expectTransparentStrip(strip, 3);
    Bitmap::allowSystemTransparentBlit = true;
  }
  // The last frame unloaded the imaging library: its blit must not be called any more.
  expectTransparentStrip(strip, 3);
  // A precomputed mask from the strip drawn opaquely at the context's origin.
  OffscreenContext source(nullptr, 16, 32, colorBlack);
  strip.draw(&source, Rect(0, 0, 16, 32));
  strip.buildTransparencyMask(&source);
  ASSERT_TRUE(strip.hasMask());
  expectTransparentStrip(strip, 1);
}

TEST_F(BitmapPixels, LowerHalfOfAStripComesFromTheHalfHeightOffset) {
  Bitmap strip(kFixtureStripId);
  OffscreenContext context(nullptr, 16, 16, colorBlack);
  strip.draw(&context, Rect(0, 0, 16, 16), Point(0, strip.getHeight() / 2));
  for (const Color &c : pixels(context))
    ASSERT_TRUE(c.sameRgb(kStripBlue));
  strip.draw(&context, Rect(0, 0, 16, 16), Point(0, 0));
  const auto upper = pixels(context);
  EXPECT_TRUE(at(upper, 16, 0, 0).sameRgb(kWhite));
  EXPECT_TRUE(at(upper, 16, 15, 7).sameRgb(kAlmostWhite));
  EXPECT_TRUE(at(upper, 16, 0, 15).sameRgb(kStripGreen));
}

class CountedBitmap : public Bitmap {
public:
  CountedBitmap(std::int32_t id, int &deletions) : Bitmap(id), deletions(deletions) {}
  ~CountedBitmap() override { ++deletions; }

private:
  int &deletions;
};

TEST_F(BitmapPixels, AnImageLivesUntilItsLastHolderLetsGo) {
  int deletions = 0;
  auto *image = new CountedBitmap(kFixtureStripId, deletions);
  auto *first = new Frame(Rect(0, 0, 10, 10), nullptr, nullptr);
  auto *second = new Frame(Rect(0, 0, 10, 10), nullptr, nullptr);
  first->setBackgroundBitmap(image);
  second->setBackgroundBitmap(image);
  image->release();
  EXPECT_EQ(image->referenceCount(), 2);
  delete first;
  EXPECT_EQ(deletions, 0);
  OffscreenContext context(nullptr, 16, 16, colorBlack);
  image->draw(&context, Rect(0, 0, 16, 16), Point(0, 16)); // still usable
  EXPECT_TRUE(pixels(context)[0].sameRgb(kStripBlue));
  delete second;
  EXPECT_EQ(deletions, 1);
}

TEST_F(BitmapPixels, BlendingMixesAtConstantOpacityOnlyWithTheImagingLibrary) {
  Bitmap strip(kFixtureStripId);
  OffscreenContext context(nullptr, 16, 16, colorRed);
  strip.drawBlended(&context, Rect(0, 0, 16, 16), Point(0, 16), 128);
  EXPECT_TRUE(pixels(context)[5 * 16 + 5].sameRgb(colorRed)); // no library: nothing drawn
  Frame holder(Rect(0, 0, 10, 10), nullptr, nullptr);
  strip.drawBlended(&context, Rect(0, 0, 16, 16), Point(0, 16), 128);
  const Color mixed = pixels(context)[5 * 16 + 5];
  // 128/255 of (0, 0, 160) over (255, 0, 0); the system rounds, so one step either way.
  EXPECT_NEAR(mixed.red, 255 * 127 / 255.0, 1.0);
  EXPECT_EQ(mixed.green, 0);
  EXPECT_NEAR(mixed.blue, 160 * 128 / 255.0, 1.0);
}

} // namespace
