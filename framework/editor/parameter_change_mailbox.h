// Hands parameter changes from whatever thread the host uses to the editor's thread, which moves
// its controls and displays at the next idle. Lock-free, so the audio thread may post too.
#pragma once

#include <atomic>
#include <cstdint>

class ParameterChangeMailbox {
public:
  // One bit per parameter index.
  static constexpr std::int32_t capacity = 32;

  struct Changes {
    std::uint32_t changed; // bit i: parameter i changed since the last take
    std::int32_t last;     // the index posted last, or -1 when nothing changed
    bool has(std::int32_t index) const {
      return index >= 0 && index < capacity && (changed >> index & 1u) != 0;
    }
  };

  // Any thread. Indices the mailbox cannot hold are dropped.
  void post(std::int32_t index) {
    if (index < 0 || index >= capacity)
      return;
    // The index goes first: a take that sees the bit also sees this index or a later one.
    lastIndex.store(index, std::memory_order_relaxed);
    pending.fetch_or(1u << index, std::memory_order_release);
  }

  // Editor thread: everything posted since the previous take.
  Changes take() {
    const std::uint32_t changed = pending.exchange(0, std::memory_order_acquire);
    if (changed == 0)
      return {0, -1};
    return {changed, lastIndex.load(std::memory_order_relaxed)};
  }

  // Forgets what is pending, for an editor that reads every value afresh when it opens.
  void clear() { pending.store(0, std::memory_order_relaxed); }

private:
  std::atomic<std::uint32_t> pending{0};
  std::atomic<std::int32_t> lastIndex{-1};
};
