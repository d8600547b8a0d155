#include <gtest/gtest.h>

#include <cstring>

#include "framework/effect/probe_effect.h"

namespace {

VstSpeakerProperties *entry(VstSpeakerArrangement *a, int i) {
  return reinterpret_cast<VstSpeakerProperties *>(reinterpret_cast<char *>(a) + 8) + i;
}

TEST(SpeakerArrangement, CreateZeroesAndCountsChannels) {
  ProbeEffect effect;
  VstSpeakerArrangement *a = nullptr;
  ASSERT_TRUE(effect.createArrangement(&a, 12)); // more than the eight the record declares
  EXPECT_EQ(a->numChannels, 12);
  EXPECT_EQ(a->type, 0);
  EXPECT_EQ(entry(a, 11)->name[0], 0);
  std::strcpy(entry(a, 11)->name, "last");
  ASSERT_TRUE(effect.createArrangement(&a, 1)) << "replaces the old one";
  EXPECT_EQ(a->numChannels, 1);
  EXPECT_TRUE(effect.releaseArrangement(&a));
  EXPECT_EQ(a, nullptr);
  EXPECT_TRUE(effect.releaseArrangement(&a)) << "releasing nothing is fine";
  EXPECT_FALSE(effect.createArrangement(&a, -1));
}

TEST(SpeakerArrangement, CopyEntriesAndWholeArrangements) {
  ProbeEffect effect;
  VstSpeakerArrangement *from = nullptr, *to = nullptr;
  ASSERT_TRUE(effect.createArrangement(&from, 10));
  from->type = 7;
  for (int i = 0; i < 10; ++i) {
    VstSpeakerProperties *s = entry(from, i);
    s->azimuth = 0.5f * i;
    s->elevation = 1.0f;
    s->radius = 2.0f;
    s->reserved = 3.0f;
    std::snprintf(s->name, sizeof s->name, "speaker %d", i);
    s->type = i;
    s->future[27] = static_cast<char>(i);
  }
  ASSERT_TRUE(effect.createArrangement(&to, 2));
  ASSERT_TRUE(effect.copyArrangement(&to, from));
  EXPECT_EQ(to->type, 7);
  EXPECT_EQ(to->numChannels, 10);
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(std::memcmp(entry(to, i), entry(from, i), sizeof(VstSpeakerProperties)), 0) << i;
  }
  EXPECT_FALSE(effect.copyArrangement(&to, nullptr));
  EXPECT_FALSE(effect.copySpeakerEntry(nullptr, entry(from, 0)));
  EXPECT_FALSE(effect.copySpeakerEntry(entry(from, 0), nullptr));

  // An unterminated name is cut, not overrun.
  std::memset(entry(from, 0)->name, 'a', sizeof entry(from, 0)->name);
  EXPECT_TRUE(effect.copySpeakerEntry(entry(to, 0), entry(from, 0)));
  EXPECT_EQ(std::strlen(entry(to, 0)->name), 63u);
  effect.releaseArrangement(&from);
  effect.releaseArrangement(&to);
}

} // namespace
