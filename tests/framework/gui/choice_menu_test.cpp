// The choice menu's entry list without opening it: limits, insertion and removal, numbering,
// counting rules of the current entry, check marks and submenu references.
#include <gtest/gtest.h>

#include <string>

#include "gui/choice_menu.h"

namespace {

std::string entry(const ChoiceMenu &menu, int index) {
  char text[kMenuEntryLength + 1] = {};
  return menu.getEntry(index, text) ? text : "<none>";
}

TEST(ChoiceMenuEntries, AtMost1024EntriesAndNoNullsOrBareSubmenus) {
  ChoiceMenu menu(Rect(0, 0, 100, 20), nullptr, 0);
  for (int i = 0; i < kMaxMenuEntries; ++i)
    ASSERT_TRUE(menu.addEntry(("Entry " + std::to_string(i)).c_str())) << i;
  EXPECT_EQ(menu.entryCount(), 1024);
  EXPECT_FALSE(menu.addEntry("one too many"));
  auto *sub = new ChoiceMenu(Rect(), nullptr, 0);
  EXPECT_FALSE(menu.addSubmenu(sub, "full"));
  EXPECT_EQ(sub->referenceCount(), 1);
  sub->release();
  EXPECT_EQ(menu.entryCount(), 1024);
  EXPECT_EQ(entry(menu, 1023), "Entry 1023");

  ChoiceMenu other(Rect(0, 0, 100, 20), nullptr, 0);
  EXPECT_FALSE(other.addEntry(nullptr));
  EXPECT_FALSE(other.addEntry("-MNeeds a menu"));
  EXPECT_FALSE(other.addSubmenu(nullptr, "none"));
  EXPECT_EQ(other.entryCount(), 0);
}

TEST(ChoiceMenuEntries, InsertRemoveFindAndNumbering) {
  ChoiceMenu menu(Rect(0, 0, 100, 20), nullptr, 0);
  menu.setNumberingMode(3);
  menu.addEntry("Alpha");
  menu.addEntry("-");
  menu.addEntry("Gamma");
  menu.addEntry("Beta", 2); // before Gamma, numbered by its own place
  EXPECT_EQ(entry(menu, 0), "01 Alpha");
  EXPECT_EQ(entry(menu, 1), "-");
  EXPECT_EQ(entry(menu, 2), "03 Beta");
  EXPECT_EQ(entry(menu, 3), "03 Gamma");
  EXPECT_STREQ(menu.shownEntry(2), "Beta");
  EXPECT_EQ(menu.findEntry("Beta"), 2);
  EXPECT_EQ(menu.findEntry("03 Gamma"), 3);
  EXPECT_EQ(menu.findEntry("Delta"), -1);
  EXPECT_TRUE(menu.setCurrent(3));
  EXPECT_TRUE(menu.removeEntry(0)); // the current entry moves up with the rest
  char text[kMenuEntryLength + 1];
  EXPECT_EQ(menu.getCurrent(text), 2);
  EXPECT_STREQ(text, "Gamma");
  EXPECT_TRUE(menu.setEntry(2, "Omega"));
  EXPECT_EQ(entry(menu, 2), "03 Omega");
  EXPECT_FALSE(menu.removeEntry(3));
  EXPECT_FALSE(menu.setEntry(-1, "x"));
  EXPECT_EQ(entry(menu, 5), "<none>");
  menu.removeEntry(2);
  EXPECT_EQ(menu.getCurrent(text), -1);
  EXPECT_STREQ(text, "");
}

TEST(ChoiceMenuEntries, CurrentEntryCountsAllOrOnlySelectableEntries) {
  ChoiceMenu menu(Rect(0, 0, 100, 20), nullptr, 0);
  for (const char *text : {"-TTitle", "One", "-", "Two", "-GThree"})
    menu.addEntry(text);
  EXPECT_TRUE(menu.setCurrent(1, false)); // the second selectable entry: "Two"
  EXPECT_EQ(menu.getCurrent(), 3);
  EXPECT_EQ(menu.getCurrent(nullptr, false), 1);
  EXPECT_EQ(menu.getValue(), 3.0f);
  EXPECT_TRUE(menu.setCurrent(2, false));
  EXPECT_EQ(menu.getCurrent(), 4);
  EXPECT_FALSE(menu.setCurrent(3, false));
  EXPECT_TRUE(menu.setCurrent(0)); // counting all: the title itself
  EXPECT_EQ(menu.getCurrent(nullptr, false), -1);
}

TEST(ChoiceMenuEntries, CheckMarksAndChosenValues) {
  ChoiceMenu flips(Rect(0, 0, 100, 20), nullptr, 0, nullptr, nullptr, kMenuCheckEntries);
  for (const char *text : {"A", "B", "C"})
    flips.addEntry(text);
  flips.setValue(1.0f); // chosen: becomes current and flips its own mark
  EXPECT_TRUE(flips.isChecked(1));
  EXPECT_EQ(flips.getCurrent(), 1);
  flips.setValue(1.0f);
  EXPECT_FALSE(flips.isChecked(1));
  flips.setChecked(0, true);
  flips.setChecked(2, true);
  EXPECT_TRUE(flips.checkOnly(1));
  EXPECT_FALSE(flips.isChecked(0));
  EXPECT_TRUE(flips.isChecked(1));
  EXPECT_FALSE(flips.isChecked(2));
  EXPECT_FALSE(flips.isChecked(7));
  flips.setValue(9.0f); // no such entry: only the value is stored
  EXPECT_EQ(flips.getCurrent(), 1);
  EXPECT_EQ(flips.getValue(), 9.0f);

  ChoiceMenu plain(Rect(0, 0, 100, 20), nullptr, 0);
  plain.addEntry("A");
  plain.setValue(0.0f);
  EXPECT_FALSE(plain.isChecked(0)); // without style 1 the marks stay
}

TEST(ChoiceMenuEntries, SubmenusAreHeldUntilTheirEntryGoes) {
  auto *menu = new ChoiceMenu(Rect(0, 0, 100, 20), nullptr, 0);
  menu->setNumberingMode(2);
  auto *first = new ChoiceMenu(Rect(), nullptr, 0);
  auto *second = new ChoiceMenu(Rect(), nullptr, 0);
  menu->addEntry("Top");
  ASSERT_TRUE(menu->addSubmenu(first, "First"));
  ASSERT_TRUE(menu->addSubmenu(second, "Second"));
  EXPECT_EQ(entry(*menu, 1), "-M2 First");
  EXPECT_STREQ(menu->shownEntry(2), "Second");
  EXPECT_EQ(menu->submenuCount(), 2);
  EXPECT_EQ(first->referenceCount(), 2);
  EXPECT_TRUE(menu->removeEntry(1));
  EXPECT_EQ(first->referenceCount(), 1);
  EXPECT_EQ(menu->submenuAt(0), second); // the right submenu went with its entry
  EXPECT_EQ(second->referenceCount(), 2);
  menu->release();
  EXPECT_EQ(second->referenceCount(), 1);
  first->release();
  second->release();
}

} // namespace
