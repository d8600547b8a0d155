// Hands whole values from setter threads to the audio thread without locks on the audio side:
// the audio thread never sees a value that is half from one update and half from another.
#pragma once

#include <atomic>
#include <mutex>

template <class T> class SettingsExchange {
public:
  explicit SettingsExchange(const T &initial = T{}) {
    for (T &slot : slots)
      slot = initial;
  }
  SettingsExchange(const SettingsExchange &) = delete;
  SettingsExchange &operator=(const SettingsExchange &) = delete;

  // Any thread but the audio thread; concurrent publishers are serialised.
  void publish(const T &value) {
    std::lock_guard<std::mutex> lock(writerMutex);
    slots[writerSlot] = value;
    writerSlot = middle.exchange(writerSlot | kFresh, std::memory_order_acq_rel) & kSlotMask;
  }

  // Audio thread only: the newest published value, stable until the next call.
  const T &acquire() {
    if (middle.load(std::memory_order_relaxed) & kFresh)
      readerSlot = middle.exchange(readerSlot, std::memory_order_acq_rel) & kSlotMask;
    return slots[readerSlot];
  }

private:
  static constexpr int kFresh = 4;
  static constexpr int kSlotMask = 3;

  T slots[3];
  std::mutex writerMutex;
  int writerSlot = 0;
  std::atomic<int> middle{1};
  int readerSlot = 2;
};

// A request from any thread that the audio thread acts on at its next block.
class ResetRequest {
public:
  void request() { requested.fetch_add(1, std::memory_order_release); }
  // Audio thread only: true once for each batch of requests since the last call.
  bool consume() {
    const unsigned now = requested.load(std::memory_order_acquire);
    if (now == seen)
      return false;
    seen = now;
    return true;
  }

private:
  std::atomic<unsigned> requested{0};
  unsigned seen = 0;
};
