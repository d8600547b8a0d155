// Preparing a loaded effect for offline playback the way a host does, with the program and
// parameters a user named on the command line.
#pragma once

#include <string>
#include <vector>

#include "recording_host.h"
#include "render_options.h"

// By index ("6") or by name, ignoring case and surrounding blanks ("06 - classic comp").
bool findProgram(HostedEffect &effect, const std::string &key, int &index, std::string &error);
bool findParameter(HostedEffect &effect, const std::string &key, int &index, std::string &error);

struct PlaybackSetup {
  double sampleRate = 44100.0;
  int blockSize = 512;
  std::string program; // empty: keep the plug-in's own
  std::vector<ParameterSetting> settings;
};

// Checks the effect is stereo in and out, then opens it, sets the rate and the block size,
// resumes, selects the program and applies the settings. False with a one-line reason; the
// effect may be resumed by then, and closing it is the caller's.
bool prepareForPlayback(HostedEffect &effect, const PlaybackSetup &setup, std::string &error);

// The effect's latency as a usable frame count: negative answers count as none.
int reportedLatency(HostedEffect &effect);
