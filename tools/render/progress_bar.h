// A progress bar on a terminal, drawn only once a render has taken a couple of seconds, so short
// renders and redirected output stay clean.
#pragma once

#include <chrono>
#include <cstdio>

class ProgressBar {
public:
  ProgressBar(std::FILE *stream, bool enabled);
  ~ProgressBar() { finish(); }

  void update(std::size_t done, std::size_t total);
  // Clears the bar's line if one was drawn.
  void finish();

  // Whether `stream` is a terminal.
  static bool isTerminal(std::FILE *stream);

private:
  std::FILE *stream;
  bool enabled;
  bool drawn = false;
  std::chrono::steady_clock::time_point started;
  std::chrono::steady_clock::time_point lastDrawn;
};
