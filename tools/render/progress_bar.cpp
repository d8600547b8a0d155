#include "progress_bar.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

constexpr auto kRedrawInterval = std::chrono::milliseconds(100);
constexpr int kWidth = 40;

} // namespace

ProgressBar::ProgressBar(std::FILE *stream, bool enabled, std::chrono::milliseconds quietStart)
    : stream(stream), enabled(enabled), quietStart(quietStart),
      started(std::chrono::steady_clock::now()) {}

bool ProgressBar::isTerminal(std::FILE *stream) {
#ifdef _WIN32
  return _isatty(_fileno(stream)) != 0;
#else
  return isatty(fileno(stream)) != 0;
#endif
}

void ProgressBar::update(std::size_t done, std::size_t total) {
  if (!enabled || total == 0)
    return;
  const auto now = std::chrono::steady_clock::now();
  if (now - started < quietStart || (drawn && now - lastDrawn < kRedrawInterval))
    return;
  lastDrawn = now;
  drawn = true;
  const double fraction = static_cast<double>(done) / static_cast<double>(total);
  const int filled = static_cast<int>(fraction * kWidth);
  char bar[kWidth + 1];
  for (int i = 0; i < kWidth; ++i)
    bar[i] = i < filled ? '#' : '.';
  bar[kWidth] = '\0';
  std::fprintf(stream, "\r[%s] %3d%%", bar, static_cast<int>(fraction * 100.0));
  std::fflush(stream);
}

void ProgressBar::finish() {
  if (!drawn)
    return;
  std::fprintf(stream, "\r%*s\r", kWidth + 8, "");
  std::fflush(stream);
  drawn = false;
}
