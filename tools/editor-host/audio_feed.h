// Audio through the plug-in in real time on its own thread, as a host's audio engine does: a
// looped stereo source (silence, a generated signal or a WAV file) in blocks at the sample rate.
#pragma once

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "recording_host.h"

class AudioFeed {
public:
  // Interleaved stereo samples to loop; empty plays silence.
  AudioFeed(HostedEffect &effect, std::vector<float> stereoLoop, double sampleRate, int blockSize);
  ~AudioFeed();
  AudioFeed(const AudioFeed &) = delete;
  AudioFeed &operator=(const AudioFeed &) = delete;

  void start();
  void stop();
  long long blocksPlayed() const { return blocks.load(); }

private:
  void run();

  HostedEffect &effect;
  std::vector<float> loop;
  double sampleRate;
  int blockSize;
  std::atomic<bool> running{false};
  std::atomic<long long> blocks{0};
  std::thread worker;
};

// The named generated signal or the WAV file as a stereo loop (mono is doubled). False with a
// reason when the file does not read.
bool loadLoop(const std::string &signal, const std::string &audioFile, double sampleRate,
              std::vector<float> &stereo, std::string &error);
