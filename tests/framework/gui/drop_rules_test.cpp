#include <gtest/gtest.h>

#include "gui/drop_rules.h"

TEST(DropRules, EffectFollowsAcceptanceAndTheControlKey) {
  EXPECT_EQ(dropEffectFor(false, true), kDropEffectNone);
  EXPECT_EQ(dropEffectFor(true, true), kDropEffectCopy);
  EXPECT_EQ(dropEffectFor(true, false), kDropEffectMove);
}

TEST(DropRules, ShortcutsAreKnownByTheirEndingInAnyCase) {
  EXPECT_TRUE(isShortcutName("C:\\a\\Loop.LNK"));
  EXPECT_TRUE(isShortcutName(".lnk"));
  EXPECT_FALSE(isShortcutName("lnk"));
  EXPECT_FALSE(isShortcutName("loop.lnk.wav"));
  EXPECT_FALSE(isShortcutName(nullptr));
}
