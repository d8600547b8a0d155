#include "audio_feed.h"

#include <chrono>

#include "test_signals.h"
#include "wav_file.h"

AudioFeed::AudioFeed(HostedEffect &effect, std::vector<float> stereoLoop, double sampleRate,
                     int blockSize)
    : effect(effect), loop(std::move(stereoLoop)), sampleRate(sampleRate), blockSize(blockSize) {}

AudioFeed::~AudioFeed() { stop(); }

void AudioFeed::start() {
  if (running.exchange(true))
    return;
  worker = std::thread([this] { run(); });
}

void AudioFeed::stop() {
  running = false;
  if (worker.joinable())
    worker.join();
}

void AudioFeed::run() {
  using Clock = std::chrono::steady_clock;
  std::vector<float> in[2], out[2];
  for (int c = 0; c < 2; ++c) {
    in[c].assign(static_cast<std::size_t>(blockSize), 0.0f);
    out[c].assign(static_cast<std::size_t>(blockSize), 0.0f);
  }
  const std::size_t loopFrames = loop.size() / 2;
  std::size_t position = 0;
  const auto start = Clock::now();
  long long framesDone = 0;
  while (running) {
    for (int i = 0; i < blockSize && loopFrames; ++i) {
      in[0][static_cast<std::size_t>(i)] = loop[position * 2];
      in[1][static_cast<std::size_t>(i)] = loop[position * 2 + 1];
      position = (position + 1) % loopFrames;
    }
    effect.processReplacing(in[0].data(), in[1].data(), out[0].data(), out[1].data(), blockSize);
    ++blocks;
    framesDone += blockSize;
    // Paced like a sound card: the next block is due when this one would have played.
    std::this_thread::sleep_until(
        start + std::chrono::microseconds(static_cast<long long>(framesDone * 1e6 / sampleRate)));
  }
}

bool loadLoop(const std::string &signal, const std::string &audioFile, double sampleRate,
              std::vector<float> &stereo, std::string &error) {
  stereo.clear();
  WavAudio audio;
  if (!audioFile.empty()) {
    if (!readWavFile(audioFile, audio, error))
      return false;
  } else if (!signal.empty()) {
    const auto rate = static_cast<std::uint32_t>(sampleRate);
    audio = signal == "drum-and-bass" ? drumAndBassLoop(rate)
            : signal == "sine-sweep"  ? sineSweep(rate)
                                      : stepTone(rate);
  } else {
    return true;
  }
  const std::size_t frames = audio.frames();
  stereo.reserve(frames * 2);
  for (std::size_t i = 0; i < frames; ++i) {
    const double left = audio.samples[i * static_cast<std::size_t>(audio.channels)];
    const double right =
        audio.channels > 1 ? audio.samples[i * static_cast<std::size_t>(audio.channels) + 1] : left;
    stereo.push_back(static_cast<float>(left));
    stereo.push_back(static_cast<float>(right));
  }
  return true;
}
