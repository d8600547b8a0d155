#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "progress_bar.h"

namespace {

std::string drawnBy(bool enabled, std::chrono::milliseconds quietStart) {
  const auto path = std::filesystem::temp_directory_path() / "progress-bar-test.txt";
  std::FILE *stream = std::fopen(path.string().c_str(), "wb");
  {
    ProgressBar bar(stream, enabled, quietStart);
    bar.update(50, 100);
  }
  std::fclose(stream);
  std::string text;
  {
    std::ifstream file(path, std::ios::binary);
    text.assign(std::istreambuf_iterator<char>(file), {});
  } // Windows keeps an open file from being removed
  std::filesystem::remove(path);
  return text;
}

TEST(ProgressBar, DrawsOnlyWhenEnabledAndAfterTheQuietStartAndClearsItsLine) {
  const std::string drawn = drawnBy(true, std::chrono::milliseconds(0));
  const std::string bar = "\r[####################....................]  50%";
  ASSERT_EQ(drawn.substr(0, bar.size()), bar);
  // Then the line is blanked and the cursor returned, so the summary starts on a clean line.
  EXPECT_EQ(drawn.substr(bar.size()), "\r" + std::string(48, ' ') + "\r");
  EXPECT_EQ(drawnBy(true, std::chrono::hours(1)), "") << "a short render draws nothing";
  EXPECT_EQ(drawnBy(false, std::chrono::milliseconds(0)), "") << "not a terminal";
}

} // namespace
