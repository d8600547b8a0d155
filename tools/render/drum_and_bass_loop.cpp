// The drum-and-bass loop's arrangement: which instrument plays on which sixteenth note, and how
// loud each section is.
#include <algorithm>
#include <cmath>

#include "drum_voices.h"
#include "signal_math.h"
#include "test_signals.h"

using namespace signal_math;

namespace {

constexpr double kBeatsPerMinute = 174.0;
constexpr double kStepSeconds = 60.0 / kBeatsPerMinute / 4.0;
constexpr int kStepsPerBar = 16;
constexpr double kBarSeconds = kStepSeconds * kStepsPerBar;
constexpr double kPeakDb = -1.0;

struct SectionPlan {
  const char *name;
  double endFraction; // of the loop, moved to the nearest bar line
  double gainDb;
  bool drums; // kick and snare; the hats always play
  bool bass;
};

constexpr SectionPlan kPlan[] = {
    {"intro", 0.25, -12.0, true, false},
    {"drop", 0.625, 0.0, true, true},
    {"break", 0.8125, -7.0, false, true},
    {"second drop", 1.0, 0.0, true, true},
};
constexpr int kSections = sizeof kPlan / sizeof kPlan[0];

// Two bars; steps count sixteenths from the first bar's downbeat.
struct BassNote {
  int step;
  int steps;
  int midiNote;
};
constexpr BassNote kBassLine[] = {
    {0, 6, 29}, {6, 3, 29}, {10, 4, 32}, {14, 2, 34}, {16, 6, 27}, {22, 3, 27}, {26, 6, 24},
};
constexpr int kBassLineSteps = 2 * kStepsPerBar;

// The bar each section ends before; the last section runs to the end.
struct SectionBars {
  int end[kSections];
};

SectionBars sectionBars(double seconds) {
  SectionBars bars{};
  const double totalBars = seconds > 0 ? seconds / kBarSeconds : 0.0;
  int previous = 0;
  for (int i = 0; i < kSections; ++i) {
    const double end =
        i + 1 < kSections ? roundToInteger(kPlan[i].endFraction * totalBars) : std::ceil(totalBars);
    previous = std::max(previous, static_cast<int>(end));
    bars.end[i] = previous;
  }
  return bars;
}

int sectionOfBar(const SectionBars &bars, int bar) {
  int section = 0;
  while (section + 1 < kSections && bar >= bars.end[section])
    ++section;
  return section;
}

std::size_t frameOfStep(int step, std::uint32_t sampleRate) {
  return static_cast<std::size_t>(roundToInteger(step * kStepSeconds * sampleRate));
}

double midiNoteFrequency(int note) { return 440.0 * fastPow(2.0, (note - 69) / 12.0); }

// One sixteenth note's drums. `position` is the step within the bar.
void addDrums(WavAudio &mix, int step, int bar, const SectionPlan &section, double gain) {
  const int position = step % kStepsPerBar;
  const std::size_t frame = frameOfStep(step, mix.sampleRate);
  const std::uint64_t seed = static_cast<std::uint64_t>(step) * 4;
  if (position % 2 == 0)
    addHat(mix, frame, gain * (position % 4 == 2 ? 0.2 : 0.13), 0.35, seed);
  else if (position == 3 || position == 11)
    addHat(mix, frame, gain * 0.06, -0.35, seed);
  if (!section.drums)
    return;
  if (position == 0 || position == 10)
    addKick(mix, frame, gain, seed + 1);
  // Backbeat snares; ghost notes every other bar and a short fill every fourth.
  double snare = position == 4 || position == 12 ? 0.8 : 0.0;
  if (bar % 2 == 1 && (position == 7 || position == 14))
    snare = 0.15;
  if (bar % 4 == 3 && (position == 13 || position == 15))
    snare = position == 13 ? 0.25 : 0.35;
  if (snare > 0)
    addSnare(mix, frame, gain * snare, seed + 2);
}

void addBass(WavAudio &mix, int step, double gain) {
  const int position = step % kBassLineSteps;
  for (const BassNote &note : kBassLine)
    if (note.step == position) {
      const std::size_t start = frameOfStep(step, mix.sampleRate);
      const std::size_t length = frameOfStep(step + note.steps, mix.sampleRate) - start;
      addBassNote(mix, start, length, midiNoteFrequency(note.midiNote), 0.6 * gain);
    }
}

} // namespace

WavAudio drumAndBassLoop(std::uint32_t sampleRate, double seconds) {
  WavAudio audio;
  audio.format = SampleFormat::pcm24;
  audio.channels = 2;
  audio.sampleRate = sampleRate;
  audio.samples.assign(2 * framesIn(seconds, sampleRate), 0.0);
  const SectionBars bars = sectionBars(seconds);
  for (int step = 0; frameOfStep(step, sampleRate) < audio.frames(); ++step) {
    const int bar = step / kStepsPerBar;
    const SectionPlan &section = kPlan[sectionOfBar(bars, bar)];
    const double gain = decibelsToGain(section.gainDb);
    addDrums(audio, step, bar, section, gain);
    if (section.bass)
      addBass(audio, step, gain);
  }
  double peak = 0.0;
  for (double sample : audio.samples)
    peak = std::max(peak, std::abs(sample));
  if (peak > 0) {
    const double scale = decibelsToGain(kPeakDb) / peak;
    for (double &sample : audio.samples)
      sample *= scale;
  }
  putOnSampleGrid(audio);
  return audio;
}

std::vector<LoopSection> drumAndBassSections(double seconds) {
  std::vector<LoopSection> sections;
  const SectionBars bars = sectionBars(seconds);
  int start = 0;
  for (int i = 0; i < kSections; ++i) {
    if (bars.end[i] > start) {
      const double end = i + 1 < kSections ? std::min(bars.end[i] * kBarSeconds, seconds) : seconds;
      sections.push_back({kPlan[i].name, start * kBarSeconds, end});
    }
    start = bars.end[i];
  }
  return sections;
}
