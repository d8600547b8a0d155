// A progress bar on a terminal, drawn only once a render has taken a couple of seconds, so short
// renders and redirected output stay clean.
#pragma once

#include <chrono>
#include <cstdio>

class ProgressBar {
public:
  // Nothing is drawn before `quietStart` has passed.
  ProgressBar(std::FILE *stream, bool enabled,
              std::chrono::milliseconds quietStart = std::chrono::seconds(2));
  ~ProgressBar() { finish(); }

  void update(std::size_t done, std::size_t total);
  // Clears the bar's line if one was drawn.
  void finish();

  // Whether `stream` is a terminal.
  static bool isTerminal(std::FILE *stream);

private:
  std::FILE *stream;
  bool enabled;
  std::chrono::milliseconds quietStart;
  bool drawn = false;
  std::chrono::steady_clock::time_point started;
  std::chrono::steady_clock::time_point lastDrawn;
};
