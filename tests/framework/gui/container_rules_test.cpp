// The window-free rules of the further controls and the file selector.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "gui/digit_rules.h"
#include "gui/fader_geometry.h"
#include "gui/file_filter_rules.h"
#include "gui/menu_entry_rules.h"
#include "gui/strip_rules.h"
#include "gui/zone_rules.h"

TEST(StripRules, RoundedIndexStaysInsideTheStrip) {
  EXPECT_EQ(stripIndexForValue(0.0f, 5), 0);
  EXPECT_EQ(stripIndexForValue(0.12f, 5), 0); // 0.48 rounds down
  EXPECT_EQ(stripIndexForValue(0.13f, 5), 1); // 0.52 rounds up
  EXPECT_EQ(stripIndexForValue(0.5f, 5), 2);
  EXPECT_EQ(stripIndexForValue(1.0f, 5), 4);
  EXPECT_EQ(stripIndexForValue(3.0f, 5), 4);
  EXPECT_EQ(stripIndexForValue(-2.0f, 5), 0);
  EXPECT_EQ(stripIndexForValue(0.7f, 1), 0);
  // A display-only strip limits values to 1 and shows image 0 at or below 0.
  EXPECT_EQ(imageStripIndex(0.0f, 4), 0);
  EXPECT_EQ(imageStripIndex(-0.9f, 4), 0);
  EXPECT_EQ(imageStripIndex(0.5f, 4), 2); // 1.5 + 0.5
  EXPECT_EQ(imageStripIndex(7.0f, 4), 3);
}

TEST(StripRules, FilmStripTruncatesToTheImageTheValueFallsIn) {
  // 5 images of 20 pixels: y = value * 4 * 20, moved down to a multiple of 20.
  EXPECT_EQ(filmStripOffset(0.0f, 5, 20, false), 0);
  EXPECT_EQ(filmStripOffset(0.24f, 5, 20, false), 0);  // y 19.2: still image 0, no rounding
  EXPECT_EQ(filmStripOffset(0.26f, 5, 20, false), 20); // y 20.8
  EXPECT_EQ(filmStripOffset(0.99f, 5, 20, false), 60);
  EXPECT_EQ(filmStripOffset(1.0f, 5, 20, false), 80);
  EXPECT_EQ(filmStripOffset(1.0f, 5, 20, true), 0);
  EXPECT_EQ(filmStripOffset(0.2f, 5, 20, true), 60); // 1 - 0.2 = 0.8: y 64
  EXPECT_EQ(filmStripOffset(-0.5f, 5, 20, false), 0);
  EXPECT_EQ(filmStripOffset(2.0f, 5, 20, false), 80); // never past the last image
}

TEST(StripRules, AnimationReachesEveryImageAndWrapsBothWays) {
  // 4 images of 10 pixels.
  std::int32_t offset = 0;
  std::string visited;
  for (int step = 0; step < 5; ++step) {
    visited += std::to_string(offset) + " ";
    offset = nextAnimationOffset(offset, 10, 40);
  }
  EXPECT_EQ(visited, "0 10 20 30 0 ");
  offset = 0;
  visited.clear();
  for (int step = 0; step < 5; ++step) {
    visited += std::to_string(offset) + " ";
    offset = previousAnimationOffset(offset, 10, 40);
  }
  EXPECT_EQ(visited, "0 30 20 10 0 ");
  // An offset set from outside the strip falls back inside it.
  EXPECT_EQ(nextAnimationOffset(95, 10, 40), 0);
  EXPECT_EQ(previousAnimationOffset(95, 10, 40), 30);
}

TEST(ZoneRules, FourPositionsOverOneHundredPixels) {
  const float third = 1.0f / 3.0f;
  EXPECT_EQ(selectorValueAt(0, 100, 4), 0.0f);
  EXPECT_EQ(selectorValueAt(24, 100, 4), 0.0f);
  EXPECT_FLOAT_EQ(selectorValueAt(25, 100, 4), third);
  EXPECT_FLOAT_EQ(selectorValueAt(49, 100, 4), third);
  EXPECT_FLOAT_EQ(selectorValueAt(50, 100, 4), 2 * third);
  EXPECT_EQ(selectorValueAt(75, 100, 4), 1.0f);
  EXPECT_EQ(selectorValueAt(99, 100, 4), 1.0f);
  EXPECT_EQ(selectorValueAt(180, 100, 4), 1.0f); // dragged past the end
  EXPECT_EQ(selectorValueAt(-60, 100, 4), 0.0f); // dragged above the start
  EXPECT_EQ(selectorValueAt(3, 2, 4), 1.0f);     // zones narrower than a pixel count as one
  EXPECT_EQ(selectorValueAt(50, 100, 1), 0.0f);
}

TEST(ZoneRules, RockerHalvesAndStripButtonInsideOutside) {
  EXPECT_EQ(rockerValueAt(0, 40, true, 0.0f), -1.0f);
  EXPECT_EQ(rockerValueAt(19, 40, true, 0.0f), -1.0f);
  EXPECT_EQ(rockerValueAt(20, 40, true, 0.0f), 1.0f);
  EXPECT_EQ(rockerValueAt(39, 40, true, 0.0f), 1.0f);
  EXPECT_EQ(rockerValueAt(5, 40, false, 0.0f), 0.0f);
  EXPECT_EQ(stripButtonValueAt(true, 0.0f), 1.0f);
  EXPECT_EQ(stripButtonValueAt(true, 0.4f), 0.0f);
  EXPECT_EQ(stripButtonValueAt(false, 0.4f), 0.4f);
}

TEST(FaderRules, HandlePositionFollowsTheDrawingBits) {
  const FaderTravel travel{10, 100, 20};
  EXPECT_EQ(travel.handlePosition(0.0f, kFaderHorizontal | kFaderMinimumLeft), 10);
  EXPECT_EQ(travel.handlePosition(0.25f, kFaderHorizontal | kFaderMinimumLeft), 35);
  EXPECT_EQ(travel.handlePosition(1.0f, kFaderHorizontal | kFaderMinimumLeft), 110);
  // Without bit 8 or 32 the value counts from the far end: a vertical fader with its
  // minimum at the bottom.
  EXPECT_EQ(travel.handlePosition(0.0f, kFaderVertical | kFaderMinimumBottom), 110);
  EXPECT_EQ(travel.handlePosition(0.75f, kFaderVertical | kFaderMinimumBottom), 35);
  EXPECT_EQ(travel.handlePosition(1.5f, kFaderVertical | kFaderMinimumTop), 110); // limited
  EXPECT_EQ(travel.handlePosition(-1.0f, kFaderVertical | kFaderMinimumTop), 10);
}

TEST(FaderRules, DraggedValueRoundTripsThroughTheHandlePosition) {
  const FaderTravel travel{10, 100, 20};
  // Each style sets one bit of the drawing pair and one of the dragging pair.
  for (const std::int32_t style :
       {kFaderHorizontal | kFaderMinimumLeft, kFaderVertical | kFaderMinimumBottom}) {
    for (const float value : {0.0f, 0.3f, 0.5f, 1.0f}) {
      const std::int32_t leading = travel.handlePosition(value, style);
      // A grab 7 pixels into the handle keeps the handle where it was.
      EXPECT_NEAR(travel.valueAt(leading + 7, 7, style), value, 0.011f) << style;
      EXPECT_TRUE(travel.onHandle(leading + 7, value, style));
      EXPECT_TRUE(travel.onHandle(leading, value, style));
      EXPECT_FALSE(travel.onHandle(leading + 20, value, style));
      EXPECT_FALSE(travel.onHandle(leading - 1, value, style));
    }
  }
  EXPECT_FLOAT_EQ(travel.valueAt(60, 0, kFaderHorizontal), 0.5f);
  EXPECT_FLOAT_EQ(travel.valueAt(60, 0, kFaderHorizontal | kFaderMinimumRight), 0.5f);
  EXPECT_FLOAT_EQ(travel.valueAt(30, 0, kFaderHorizontal | kFaderMinimumRight), 0.8f);
  EXPECT_FLOAT_EQ(travel.valueAt(-90, 0, kFaderHorizontal), -1.0f); // clamping is the caller's
  EXPECT_EQ(FaderTravel({0, 0, 5}).valueAt(40, 0, kFaderHorizontal), 0.0f);
}

TEST(FaderRules, ShiftZoomsTheMovementSinceItWasPressed) {
  FaderZoom zoom;
  EXPECT_FLOAT_EQ(zoom.apply(0.40f, 0.30f, false, 10.0f), 0.40f);
  // Shift pressed at raw 0.40 with the fader at 0.40: 0.2 of movement counts 0.02.
  EXPECT_FLOAT_EQ(zoom.apply(0.40f, 0.40f, true, 10.0f), 0.40f);
  EXPECT_FLOAT_EQ(zoom.apply(0.60f, 0.40f, true, 10.0f), 0.42f);
  EXPECT_FLOAT_EQ(zoom.apply(0.20f, 0.42f, true, 10.0f), 0.38f);
  // Released: the mouse position counts again; pressed again: a new reference.
  EXPECT_FLOAT_EQ(zoom.apply(0.90f, 0.38f, false, 10.0f), 0.90f);
  EXPECT_FLOAT_EQ(zoom.apply(0.10f, 0.90f, true, 4.0f), 0.90f);
  EXPECT_FLOAT_EQ(zoom.apply(0.50f, 0.90f, true, 4.0f), 1.00f);
}

TEST(DigitRules, SplitsTruncatesAndLimits) {
  std::int32_t d[kMaxDigits] = {};
  EXPECT_EQ(largestForDigits(3), 999);
  EXPECT_EQ(largestForDigits(7), 9999999);
  splitDigits(407.9f, 3, d);
  EXPECT_EQ((std::string{char('0' + d[0]), char('0' + d[1]), char('0' + d[2])}), "407");
  splitDigits(12.0f, 4, d);
  EXPECT_EQ((std::string{char('0' + d[0]), char('0' + d[1]), char('0' + d[2]), char('0' + d[3])}),
            "0012");
  splitDigits(123456.0f, 3, d); // above the maximum: all nines
  EXPECT_EQ((std::string{char('0' + d[0]), char('0' + d[1]), char('0' + d[2])}), "999");
  splitDigits(-5.0f, 2, d);
  EXPECT_EQ(d[0] + d[1], 0);
  splitDigits(1e30f, 7, d);
  EXPECT_EQ(d[0] * d[6], 81);
  splitDigits(8765432.0f, 7, d);
  for (int i = 0; i < 7; ++i)
    EXPECT_EQ(d[i], 8 - i);
}

TEST(MenuEntryRules, KindsAndNumberedStorage) {
  EXPECT_EQ(menuEntryKind("Volume"), MenuEntryKind::item);
  EXPECT_EQ(menuEntryKind("-"), MenuEntryKind::separator);
  EXPECT_EQ(menuEntryKind("-x"), MenuEntryKind::separator);
  EXPECT_EQ(menuEntryKind("-TBanks"), MenuEntryKind::title);
  EXPECT_EQ(menuEntryKind("-GLocked"), MenuEntryKind::greyed);
  EXPECT_EQ(menuEntryKind("-MMore"), MenuEntryKind::submenu);

  char stored[kMenuEntryLength + 1];
  storeMenuEntry(stored, "name", 3, 1);
  EXPECT_STREQ(stored, "01 name");
  EXPECT_STREQ(displayedEntryText(stored, 3), "name");
  EXPECT_STREQ(menuItemText(stored), "01 name");
  storeMenuEntry(stored, "name", 2, 7);
  EXPECT_STREQ(stored, "7 name");
  EXPECT_STREQ(displayedEntryText(stored, 2), "name");
  storeMenuEntry(stored, "name", 4, 12);
  EXPECT_STREQ(stored, "012 name");
  EXPECT_STREQ(displayedEntryText(stored, 4), "name");
  storeMenuEntry(stored, "-MSub", 3, 5);
  EXPECT_STREQ(stored, "-M05 Sub");
  EXPECT_STREQ(menuItemText(stored), "05 Sub");
  EXPECT_STREQ(displayedEntryText(stored, 3), "Sub");
  storeMenuEntry(stored, "-GOff", 3, 2);
  EXPECT_STREQ(stored, "-G02 Off");
  storeMenuEntry(stored, "-", 3, 3); // separators and titles keep their text
  EXPECT_STREQ(stored, "-");
  storeMenuEntry(stored, "-TGroup", 3, 4);
  EXPECT_STREQ(stored, "-TGroup");
  EXPECT_STREQ(displayedEntryText(stored, 3), "Group");
  storeMenuEntry(stored, "-MSub", 0, 5);
  EXPECT_STREQ(stored, "-MSub");
  EXPECT_STREQ(displayedEntryText(stored, 0), "Sub");
  storeMenuEntry(stored, "", 4, 1);
  EXPECT_STREQ(displayedEntryText("01", 3), ""); // shorter than its number: nothing left
  const std::string longText(400, 'x');
  storeMenuEntry(stored, longText.c_str(), 3, 9);
  EXPECT_EQ(std::strlen(stored), static_cast<std::size_t>(kMenuEntryLength));
  EXPECT_EQ(std::string(stored, 3), "09 ");
}

TEST(MenuEntryRules, CountingOnlySelectableEntriesSkipsSeparatorsAndTitles) {
  using K = MenuEntryKind;
  const K kinds[] = {K::title, K::item, K::separator, K::greyed, K::submenu, K::item};
  EXPECT_EQ(selectableToEntryIndex(kinds, 6, 0), 1);
  EXPECT_EQ(selectableToEntryIndex(kinds, 6, 1), 3);
  EXPECT_EQ(selectableToEntryIndex(kinds, 6, 3), 5);
  EXPECT_EQ(selectableToEntryIndex(kinds, 6, 4), -1);
  EXPECT_EQ(selectableToEntryIndex(kinds, 6, -1), -1);
  for (std::int32_t s = 0; s < 4; ++s)
    EXPECT_EQ(entryToSelectableIndex(kinds, 6, selectableToEntryIndex(kinds, 6, s)), s);
  EXPECT_EQ(entryToSelectableIndex(kinds, 6, 0), -1);
  EXPECT_EQ(entryToSelectableIndex(kinds, 6, 2), -1);
  EXPECT_EQ(entryToSelectableIndex(kinds, 6, 6), -1);
}

namespace {

VstFileType fileType(const char *name, const char *dos, const char *unix = "") {
  VstFileType type{};
  std::strcpy(type.name, name);
  std::strcpy(type.dosType, dos);
  std::strcpy(type.unixType, unix);
  return type;
}

std::string describe(const std::vector<FileFilter> &filters) {
  std::string text;
  for (const FileFilter &f : filters)
    text += f.label + "|" + f.pattern + "\n";
  return text;
}

} // namespace

TEST(FileFilterRules, LoadListsTypesAllTypesAndAnyType) {
  const VstFileType two[] = {fileType("Wave", "wav"), fileType("Text", "txt")};
  EXPECT_EQ(describe(buildFileFilters(kVstFileLoad, two, 2)),
            "Wave (.wav)|*.wav\n"
            "Text (.txt)|*.txt\n"
            "All Types: (*.wav;*.txt)|*.wav;*.txt\n"
            "Any Type (*.*)|*.*\n");
  EXPECT_EQ(describe(buildFileFilters(kVstMultipleFilesLoad, two, 1)),
            "Wave (.wav)|*.wav\nAny Type (*.*)|*.*\n");
  // The same extension twice (case aside) makes no "All Types" entry.
  const VstFileType same[] = {fileType("Wave", "wav"), fileType("Loud wave", "WAV")};
  EXPECT_EQ(buildFileFilters(kVstFileLoad, same, 2).size(), 3u);
  // A differing second extension joins the type's own pattern and the collection.
  const VstFileType aiff[] = {fileType("Audio", "aif", "aiff"), fileType("Mono", "mon", "mon")};
  EXPECT_EQ(describe(buildFileFilters(kVstFileLoad, aiff, 2)),
            "Audio (.aif)|*.aif;*.aiff\n"
            "Mono (.mon)|*.mon\n"
            "All Types: (*.aif;*.aiff;*.mon)|*.aif;*.aiff;*.mon\n"
            "Any Type (*.*)|*.*\n");
  EXPECT_EQ(buildFileFilters(kVstFileLoad, nullptr, 3).size(), 1u);
}

TEST(FileFilterRules, SaveFolderAndOtherCommands) {
  const VstFileType two[] = {fileType("Wave", "wav", "wave"), fileType("Text", "txt")};
  EXPECT_EQ(describe(buildFileFilters(kVstFileSave, two, 2)),
            "Wave (.wav)|*.wav\nText (.txt)|*.txt\n");
  EXPECT_EQ(describe(buildFileFilters(kVstDirectorySelect, two, 2)),
            "HideFileFilter|HideFileFilter\n");
  EXPECT_TRUE(buildFileFilters(7, two, 2).empty());
  const std::string list = nativeFilterList(buildFileFilters(kVstFileSave, two, 1));
  EXPECT_EQ(list, std::string("Wave (.wav)\0*.wav\0\0", 19));
  // The many-extension limit.
  std::vector<VstFileType> many;
  for (int i = 0; i < 150; ++i)
    many.push_back(fileType("T", ("e" + std::to_string(i)).c_str()));
  const auto filters = buildFileFilters(kVstFileLoad, many.data(), 150);
  ASSERT_EQ(filters.size(), 152u);
  const std::string &all = filters[150].pattern;
  EXPECT_EQ(std::count(all.begin(), all.end(), ';'), 99);
  EXPECT_EQ(all.substr(all.size() - 6), ";*.e99");
}

TEST(FileFilterRules, SaveTitleAndSelectedPaths) {
  EXPECT_EQ(saveDialogTitle("Export", "whatever", "C:\\Music"), "Export - [C:\\Music]");
  EXPECT_EQ(saveDialogTitle(nullptr, "Save As - [C:\\Old]", "D:\\New"), "Save As - [D:\\New]");
  EXPECT_EQ(saveDialogTitle("", "Save As", "D:\\"), "Save As - [D:\\]");
  EXPECT_EQ(saveDialogTitle("", "-x", "E:"), " - [E:]");

  const char multiple[] = "C:\\Music\0a.wav\0b.wav\0";
  auto paths = selectedPaths(multiple, sizeof multiple);
  ASSERT_EQ(paths.size(), 2u);
  EXPECT_EQ(paths[0], "C:\\Music\\a.wav");
  EXPECT_EQ(paths[1], "C:\\Music\\b.wav");
  const char root[] = "C:\\\0a.wav\0b.wav\0";
  EXPECT_EQ(selectedPaths(root, sizeof root)[1], "C:\\b.wav");
  const char single[] = "C:\\Music\\a.wav\0";
  paths = selectedPaths(single, sizeof single);
  ASSERT_EQ(paths.size(), 1u);
  EXPECT_EQ(paths[0], "C:\\Music\\a.wav");
  EXPECT_TRUE(selectedPaths("\0", 2).empty());
}
