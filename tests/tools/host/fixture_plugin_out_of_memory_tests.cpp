// A plug-in whose editor could not be created stays unusable for the rest of the process; this
// runs alone because the library keeps that state.
#include <gtest/gtest.h>

#include "fixture/fixture_protocol.h"
#include "recording_host.h"

namespace {

TEST(FixturePluginOutOfMemory, MainAnswersNullNowAndForEveryLaterCall) {
  PluginLibrary library;
  ASSERT_TRUE(library.load(FIXTURE_PLUGIN)) << library.error();
  RecordingHost failing;
  failing.setAnswer(audioMasterCanDo, 1); // the fixture then fails its editor
  EXPECT_EQ(failing.instantiate(library.entry()), nullptr);
  auto destroyed = failing.callsWith(audioMasterVendorSpecific);
  ASSERT_EQ(destroyed.size(), 1u);
  EXPECT_EQ(destroyed[0].index, kFixtureEffectDestroyed) << "the half-built effect is destroyed";

  RecordingHost later;
  EXPECT_EQ(later.instantiate(library.entry()), nullptr);
  EXPECT_EQ(later.callsWith(audioMasterVersion).size(), 1u);
}

} // namespace
