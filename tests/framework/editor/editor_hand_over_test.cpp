// The editors' window-free rules: the parameter-change hand-over between threads and the meter law.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>

#include "editor/level_scale.h"
#include "editor/parameter_change_mailbox.h"

TEST(ParameterChangeMailbox, TakeReturnsEverySinceTheLastTakeAndTheLastPosted) {
  ParameterChangeMailbox mailbox;
  EXPECT_EQ(mailbox.take().changed, 0u);
  EXPECT_EQ(mailbox.take().last, -1);

  mailbox.post(3);
  mailbox.post(0);
  mailbox.post(6);
  mailbox.post(3); // posted again: last, though its bit was already set
  mailbox.post(-1);
  mailbox.post(ParameterChangeMailbox::capacity);
  ParameterChangeMailbox::Changes changes = mailbox.take();
  EXPECT_EQ(changes.changed, (1u << 0) | (1u << 3) | (1u << 6));
  EXPECT_EQ(changes.last, 3);
  EXPECT_TRUE(changes.has(6));
  EXPECT_FALSE(changes.has(1));
  EXPECT_FALSE(changes.has(40));

  changes = mailbox.take(); // nothing new
  EXPECT_EQ(changes.changed, 0u);
  EXPECT_EQ(changes.last, -1);

  mailbox.post(31);
  mailbox.clear();
  EXPECT_EQ(mailbox.take().changed, 0u);
}

TEST(ParameterChangeMailbox, NoChangeIsLostBetweenPostingThreadsAndTheEditorThread) {
  ParameterChangeMailbox mailbox;
  std::atomic<bool> producing{true};
  std::uint32_t seen = 0;
  bool lastAlwaysPosted = true;
  std::thread editorThread([&] {
    while (producing.load()) {
      const ParameterChangeMailbox::Changes c = mailbox.take();
      seen |= c.changed;
      // The last index always belongs to a post that happened.
      if (c.changed != 0 && (c.last < 0 || c.last > 7))
        lastAlwaysPosted = false;
    }
  });
  std::thread audio([&] {
    for (int i = 0; i < 20000; ++i)
      mailbox.post(i % 4);
  });
  std::thread worker([&] {
    for (int i = 0; i < 20000; ++i)
      mailbox.post(4 + i % 3);
    mailbox.post(7);
  });
  audio.join();
  worker.join();
  producing = false;
  editorThread.join();
  const ParameterChangeMailbox::Changes rest = mailbox.take();
  seen |= rest.changed;
  EXPECT_EQ(seen, 0xffu);
  EXPECT_TRUE(lastAlwaysPosted);
}

TEST(MeterLaw, SixtyDecibelsLinearWithOverAboveFullScale) {
  const double minus6 = std::pow(10.0, -6.0 / 20.0);
  EXPECT_NEAR(meterLevelFromPeak(minus6).bar, 0.9f, 1e-6f);
  EXPECT_FALSE(meterLevelFromPeak(minus6).over);
  EXPECT_NEAR(meterLevelFromDecibels(-30.0).bar, 0.5f, 1e-7f);
  EXPECT_EQ(meterLevelFromDecibels(-60.0).bar, 0.0f);

  // Full scale is a full bar but not over; anything above lights the lamp.
  EXPECT_EQ(meterLevelFromPeak(1.0).bar, 1.0f);
  EXPECT_FALSE(meterLevelFromPeak(1.0).over);
  EXPECT_EQ(meterLevelFromPeak(1.5).bar, 1.0f);
  EXPECT_TRUE(meterLevelFromPeak(1.5).over);

  // Silence, levels below the scale and broken readings show an empty bar without a lamp.
  for (double peak : {0.0, 1e-4, -0.5, std::nan("")}) {
    EXPECT_EQ(meterLevelFromPeak(peak).bar, 0.0f) << peak;
    EXPECT_FALSE(meterLevelFromPeak(peak).over) << peak;
  }
  EXPECT_EQ(meterLevelFromDecibels(-HUGE_VAL).bar, 0.0f);
  EXPECT_TRUE(meterLevelFromDecibels(HUGE_VAL).over);
}
