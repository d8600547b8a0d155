// What the toggle button, value display and level meter draw, read back from the window; text is
// compared with GDI's own drawing of the same string in the same font.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "control_test_bed.h"
#include "gui/bitmap.h"
#include "gui/draw_context.h"
#include "gui/level_meter.h"
#include "gui/toggle_button.h"
#include "gui/value_display.h"

namespace {

constexpr Color kFill{0, 0, 120, 0};
constexpr Color kOutline{200, 200, 0, 0};

struct TextLook {
  std::string text;
  std::int32_t alignment = kAlignCenter;
  bool shadow = false;
};

// The interior of a display (inside its one-pixel border), as GDI draws the text by itself:
// Arial 11 pixels, white, over the fill colour; with a red copy one pixel right and down first.
std::vector<Color> referenceInterior(const Rect &bounds, const TextLook &look) {
  const int width = bounds.width() + 1;
  const int height = bounds.height() + 1;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP image = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ previousImage = SelectObject(memory, image);
  HBRUSH fill = CreateSolidBrush(kFill.native());
  RECT all{0, 0, width, height};
  FillRect(memory, &all, fill);
  DeleteObject(fill);

  LOGFONTA description{};
  description.lfHeight = -11;
  description.lfWeight = 400;
  description.lfOutPrecision = OUT_STRING_PRECIS;
  description.lfClipPrecision = CLIP_STROKE_PRECIS;
  description.lfQuality = DEFAULT_QUALITY;
  description.lfCharSet = ANSI_CHARSET;
  description.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
  std::strcpy(description.lfFaceName, "Arial");
  HFONT font = CreateFontIndirectA(&description);
  HGDIOBJ previousFont = SelectObject(memory, font);
  SetBkMode(memory, TRANSPARENT);
  UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
  RECT textRect{0, 0, bounds.width(), bounds.height()};
  if (look.alignment == kAlignCenter)
    format |= DT_CENTER;
  else if (look.alignment == kAlignRight)
    format |= DT_RIGHT;
  else
    textRect.left += 1;
  if (look.shadow) {
    RECT shadowRect{textRect.left + 1, textRect.top + 1, textRect.right + 1, textRect.bottom + 1};
    SetTextColor(memory, colorRed.native());
    DrawTextA(memory, look.text.c_str(), static_cast<int>(look.text.size()), &shadowRect, format);
  }
  SetTextColor(memory, colorWhite.native());
  DrawTextA(memory, look.text.c_str(), static_cast<int>(look.text.size()), &textRect, format);

  std::vector<Color> pixels;
  for (int y = 1; y < height - 1; ++y)
    for (int x = 1; x < width - 1; ++x)
      pixels.push_back(Color::fromNative(GetPixel(memory, x, y)));
  SelectObject(memory, previousFont);
  DeleteObject(font);
  SelectObject(memory, previousImage);
  DeleteObject(image);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return pixels;
}

std::vector<Color> windowInterior(ControlTestBed &bed, const Rect &bounds) {
  std::vector<Color> pixels;
  for (int y = bounds.top + 1; y < bounds.bottom; ++y)
    for (int x = bounds.left + 1; x < bounds.right; ++x)
      pixels.push_back(bed.pixel(x, y));
  return pixels;
}

int countOf(const std::vector<Color> &pixels, Color color) {
  int count = 0;
  for (const Color &c : pixels)
    count += c == color;
  return count;
}

// A display as the editors configure theirs, but white on a blue box with a yellow border.
ValueDisplay *makeDisplay(const Rect &bounds, std::int32_t style = 0) {
  auto *display = new ValueDisplay(bounds, nullptr, style);
  display->setFont(4);
  display->setFillColor(kFill);
  display->setFrameColor(kOutline);
  return display;
}

void formatAsPercent(float value, char *text) {
  std::snprintf(text, 16, "%d%%", static_cast<int>(value * 100.0f + 0.5f));
}
void formatWithTag(float value, char *text, void *data) {
  std::snprintf(text, 32, "%s %.1f", static_cast<const char *>(data), static_cast<double>(value));
}
void formatNothing(float, char *) {}

} // namespace

TEST(ToggleGui, ClickTogglesAndTheLowerImageShowsForNonZero) {
  constexpr Color upper{200, 0, 0, 0};
  constexpr Color lower{0, 200, 0, 0};
  const Rect bounds(250, 100, 270, 120);
  ToggleButton *toggle = nullptr;
  ControlTestBed bed(400, 300, [&](Frame &frame) {
    Bitmap *strip = makeBitmap(20, 40, upper, {{Rect(0, 20, 20, 40), lower}});
    toggle = new ToggleButton(bounds, bed.editor, 5, strip);
    strip->release();
    frame.addChild(toggle);
  });
  bed.idle();
  EXPECT_EQ(bed.pixel(bounds.left, bounds.top), upper);
  EXPECT_EQ(bed.pixel(bounds.right - 1, bounds.bottom - 1), upper);

  toggle->setValue(0.7f);
  bed.idle();
  EXPECT_EQ(bed.pixel(bounds.left, bounds.top), lower);
  EXPECT_EQ(bed.pixel(bounds.right - 1, bounds.bottom - 1), lower);
  EXPECT_EQ(bed.pixel(bounds.right, bounds.bottom), kTestBackground);

  ASSERT_TRUE(bed.perform([&] { input::click(Point(260, 110)); }));
  EXPECT_EQ(toggle->getValue(), 1.0f); // integer part of 0.7 is 0
  bed.idle();
  EXPECT_EQ(bed.pixel(bounds.left + 10, bounds.top + 10), lower);
  ASSERT_TRUE(bed.perform([&] { input::click(Point(260, 110)); }));
  EXPECT_EQ(toggle->getValue(), 0.0f);
  bed.idle();
  EXPECT_EQ(bed.pixel(bounds.left + 10, bounds.top + 10), upper);

  ASSERT_EQ(bed.editor->notifications.size(), 2u);
  EXPECT_EQ(bed.editor->notifications[0].value, 1.0f);
  EXPECT_EQ(bed.editor->notifications[1].value, 0.0f);
  EXPECT_EQ(bed.editor->notifications[1].tag, 5);
  EXPECT_TRUE(bed.host.callsWith(audioMasterBeginEdit).empty());
  EXPECT_EQ(bed.effect->getParameter(5), 0.0f);
}

TEST(ValueDisplayGui, TextFormattersAndAlignment) {
  const Rect left(10, 10, 90, 30), centred(10, 40, 90, 60), right(10, 70, 90, 90);
  ValueDisplay *displays[3] = {};
  ControlTestBed bed(400, 300, [&](Frame &frame) {
    const Rect places[3] = {left, centred, right};
    for (int i = 0; i < 3; ++i) {
      displays[i] = makeDisplay(places[i]);
      displays[i]->setAlignment(i);
      frame.addChild(displays[i]);
    }
  });
  for (ValueDisplay *display : displays)
    display->setValue(0.5f);
  bed.idle();
  const TextLook centredHalf{"0.50", kAlignCenter};
  const std::vector<Color> reference = referenceInterior(centred, centredHalf);
  ASSERT_GT(countOf(reference, colorWhite), 10); // the reference has text to compare with
  EXPECT_EQ(windowInterior(bed, centred), reference);
  EXPECT_EQ(windowInterior(bed, left), referenceInterior(left, {"0.50", kAlignLeft}));
  EXPECT_EQ(windowInterior(bed, right), referenceInterior(right, {"0.50", kAlignRight}));
  EXPECT_NE(windowInterior(bed, right), referenceInterior(right, centredHalf));
  EXPECT_NE(windowInterior(bed, left), referenceInterior(left, centredHalf));
  // The border is the frame colour all round, inclusive of the right and bottom edges.
  EXPECT_EQ(bed.pixel(centred.left, centred.top), kOutline);
  EXPECT_EQ(bed.pixel(centred.right, centred.bottom), kOutline);
  EXPECT_EQ(bed.pixel(centred.right + 1, centred.bottom), kTestBackground);

  displays[1]->setValue(1.0f);
  bed.idle();
  EXPECT_EQ(windowInterior(bed, centred), referenceInterior(centred, {"1.00"}));

  // A formatter replaces the default text; one with data takes precedence over it.
  static char tagText[] = "Gain";
  displays[1]->setFormatter(formatAsPercent);
  displays[1]->setValue(0.25f);
  bed.idle();
  EXPECT_EQ(windowInterior(bed, centred), referenceInterior(centred, {"25%"}));
  displays[1]->setFormatterWithData(formatWithTag, tagText);
  displays[1]->setValue(0.75f);
  bed.idle();
  EXPECT_EQ(windowInterior(bed, centred), referenceInterior(centred, {"Gain 0.8"}));

  // A formatter that writes nothing leaves only the box.
  displays[2]->setFormatter(formatNothing);
  displays[2]->setValue(0.1f);
  bed.idle();
  const std::vector<Color> empty = windowInterior(bed, right);
  EXPECT_EQ(countOf(empty, kFill), static_cast<int>(empty.size()));
}

TEST(ValueDisplayGui, ShadowBevelsAndTheStylesThatDrawLess) {
  const Rect shadowed(10, 10, 90, 30), sunken(10, 40, 90, 60), raised(10, 70, 90, 90);
  const Rect noText(110, 10, 190, 30), noDrawing(110, 40, 190, 60);
  ValueDisplay *shadow = nullptr;
  ControlTestBed bed(400, 300, [&](Frame &frame) {
    shadow = makeDisplay(shadowed, kShadowText);
    frame.addChild(shadow);
    frame.addChild(makeDisplay(sunken, kSunkenBevel));
    frame.addChild(makeDisplay(raised, kRaisedBevel));
    frame.addChild(makeDisplay(noText, kNoText));
    frame.addChild(makeDisplay(noDrawing, kNoDrawing));
    for (std::int32_t i = 0; i < frame.childCount(); ++i)
      static_cast<Control *>(frame.childAt(i))->setValue(0.5f);
  });
  bed.idle();

  const std::vector<Color> withShadow = referenceInterior(shadowed, {"0.50", kAlignCenter, true});
  ASSERT_GT(countOf(withShadow, colorRed), 3);
  EXPECT_EQ(windowInterior(bed, shadowed), withShadow);
  EXPECT_NE(windowInterior(bed, shadowed), referenceInterior(shadowed, {"0.50"}));

  // Sunken: fill colour on the top and left edges, frame colour on the bottom and right.
  EXPECT_EQ(bed.pixel(sunken.left, sunken.top + 5), kFill);
  EXPECT_EQ(bed.pixel(sunken.left + 5, sunken.top), kFill);
  EXPECT_EQ(bed.pixel(sunken.right, sunken.top), kFill);
  EXPECT_EQ(bed.pixel(sunken.left, sunken.bottom), kFill);
  EXPECT_EQ(bed.pixel(sunken.right, sunken.top + 5), kOutline);
  EXPECT_EQ(bed.pixel(sunken.left + 5, sunken.bottom), kOutline);
  EXPECT_EQ(bed.pixel(sunken.right, sunken.bottom), kOutline);
  EXPECT_EQ(windowInterior(bed, sunken), referenceInterior(sunken, {"0.50"}));
  // Raised: the other way round.
  EXPECT_EQ(bed.pixel(raised.left, raised.top + 5), kOutline);
  EXPECT_EQ(bed.pixel(raised.left + 5, raised.top), kOutline);
  EXPECT_EQ(bed.pixel(raised.right, raised.top + 5), kFill);
  EXPECT_EQ(bed.pixel(raised.left + 5, raised.bottom), kFill);

  const std::vector<Color> box = windowInterior(bed, noText);
  EXPECT_EQ(countOf(box, kFill), static_cast<int>(box.size()));
  EXPECT_EQ(bed.pixel(noText.left, noText.top), kOutline);
  EXPECT_EQ(bed.pixel(noText.right, noText.bottom), kOutline);

  const std::vector<Color> untouched = windowInterior(bed, noDrawing);
  EXPECT_EQ(countOf(untouched, kTestBackground), static_cast<int>(untouched.size()));
  EXPECT_EQ(bed.pixel(noDrawing.left, noDrawing.top), kTestBackground);
}

TEST(LevelMeterGui, QuantisedBarsDecayAndLamps) {
  constexpr Color on{0, 220, 0, 0};
  constexpr Color off{90, 0, 0, 0};
  const Rect bar(10, 200, 130, 210), lamp(150, 200, 166, 216), column(200, 150, 210, 250);
  LevelMeter *horizontal = nullptr, *indicator = nullptr, *vertical = nullptr;
  ControlTestBed bed(400, 300, [&](Frame &frame) {
    Bitmap *barOn = makeBitmap(120, 10, on), *barOff = makeBitmap(120, 10, off);
    horizontal = new LevelMeter(bar, barOn, barOff, 300, kMeterHorizontal);
    Bitmap *lampOn = makeBitmap(16, 16, on), *lampOff = makeBitmap(16, 16, off);
    indicator = new LevelMeter(lamp, lampOn, lampOff, 1, kMeterHorizontal);
    // The vertical on image is graded, to show it is drawn from the matching rows.
    std::vector<std::pair<Rect, Color>> rows;
    for (int y = 0; y < 100; y += 10)
      rows.push_back({Rect(0, y, 10, y + 10), Color{0, static_cast<std::uint8_t>(100 + y), 0, 0}});
    Bitmap *columnOn = makeBitmap(10, 100, on, rows), *columnOff = makeBitmap(10, 100, off);
    vertical = new LevelMeter(column, columnOn, columnOff, 10, kMeterVertical);
    for (Bitmap *b : {barOn, barOff, lampOn, lampOff, columnOn, columnOff})
      b->release();
    frame.addChild(horizontal);
    frame.addChild(indicator);
    frame.addChild(vertical);
  });

  // Half the level with 300 steps over a 120-pixel image: exactly 60 pixels on.
  horizontal->setValue(0.5f);
  vertical->setValue(0.3f);
  indicator->setValue(0.49f);
  for (int i = 0; i < 12; ++i) // the bars start high and fall to the values
    bed.idle();
  EXPECT_EQ(bed.pixel(bar.left, bar.top), on);
  EXPECT_EQ(bed.pixel(bar.left + 59, bar.bottom - 1), on);
  EXPECT_EQ(bed.pixel(bar.left + 60, bar.top), off);
  EXPECT_EQ(bed.pixel(bar.right - 1, bar.top), off);
  EXPECT_EQ(bed.pixel(lamp.left + 8, lamp.top + 8), off);
  // Vertical: 3 of 10 steps lit from the bottom, drawn from the image's own rows.
  EXPECT_EQ(bed.pixel(column.left, column.top + 69), off);
  EXPECT_EQ(bed.pixel(column.left, column.top + 70), (Color{0, 170, 0, 0}));
  EXPECT_EQ(bed.pixel(column.left + 9, column.bottom - 1), (Color{0, 190, 0, 0}));
  EXPECT_FALSE(horizontal->needsRedraw());

  indicator->setValue(0.5f);
  bed.idle();
  EXPECT_EQ(bed.pixel(lamp.left, lamp.top), on);
  EXPECT_EQ(bed.pixel(lamp.right - 1, lamp.bottom - 1), on);

  // Rising takes one drawing; falling from 1 to 0 by 0.08 takes 13, each from the idle alone.
  horizontal->setDecayStep(0.08f);
  horizontal->setValue(1.0f);
  bed.idle();
  EXPECT_EQ(bed.pixel(bar.right - 1, bar.top), on);
  horizontal->setValue(0.0f);
  int drawings = 0;
  while (bed.pixel(bar.left, bar.top) == on && drawings < 20) {
    bed.idle();
    ++drawings;
  }
  EXPECT_EQ(drawings, 13);
  EXPECT_EQ(bed.pixel(bar.left, bar.top), off);
  EXPECT_FALSE(horizontal->needsRedraw());
}
