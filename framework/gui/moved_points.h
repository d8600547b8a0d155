// Points moved by a context's drawing offset: up to 30 in place, more in a temporary array.
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>

#include "gui_types.h"

template <class NativePoint> class MovedPoints {
public:
  MovedPoints(const Point *points, std::int32_t count, const Point &offset) {
    if (count <= 0 || !points)
      return;
    NativePoint *target = local;
    if (count > kLocalCapacity) {
      heap = new (std::nothrow) NativePoint[static_cast<std::size_t>(count)];
      if (!heap)
        return; // nothing is drawn
      target = heap;
    }
    for (std::int32_t i = 0; i < count; ++i) {
      target[i].x = points[i].h + offset.h;
      target[i].y = points[i].v + offset.v;
    }
    moved = target;
    size = count;
  }
  ~MovedPoints() { delete[] heap; }
  MovedPoints(const MovedPoints &) = delete;
  MovedPoints &operator=(const MovedPoints &) = delete;

  const NativePoint *data() const { return moved; }
  std::int32_t count() const { return size; }
  bool usedHeap() const { return heap != nullptr; }

  static constexpr std::int32_t kLocalCapacity = 30;

private:
  NativePoint local[kLocalCapacity];
  NativePoint *heap = nullptr;
  const NativePoint *moved = nullptr;
  std::int32_t size = 0;
};
