#pragma once
// The track history of a live aircraft: a double-ended queue of points,
// oldest first. A ring whose room doubles when full and never shrinks, so
// that a record that took its reports once takes further ones without
// touching the heap.
#include <cstddef>
#include <memory>

#include "traffic/track_point.h"

namespace tfx {

class TrackHistory {
 public:
  TrackHistory() = default;
  TrackHistory(const TrackHistory& other);
  TrackHistory& operator=(const TrackHistory& other);
  TrackHistory(TrackHistory&& other) noexcept = default;
  TrackHistory& operator=(TrackHistory&& other) noexcept = default;

  size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  size_t capacity() const { return capacity_; }

  TrackPoint& operator[](size_t index) { return points_[(head_ + index) & (capacity_ - 1)]; }
  const TrackPoint& operator[](size_t index) const { return points_[(head_ + index) & (capacity_ - 1)]; }
  TrackPoint& front() { return (*this)[0]; }
  const TrackPoint& front() const { return (*this)[0]; }
  TrackPoint& back() { return (*this)[size_ - 1]; }
  const TrackPoint& back() const { return (*this)[size_ - 1]; }

  void push_back(const TrackPoint& point);
  void push_front(const TrackPoint& point);
  void pop_front();
  // The later points move up by one.
  void erase(size_t index);
  // The point comes in at `index`; the later points move down by one.
  void insert(size_t index, const TrackPoint& point);
  // Keeps the oldest `count` points.
  void truncate(size_t count);
  void clear() { truncate(0); }

 private:
  void grow();

  std::unique_ptr<TrackPoint[]> points_;
  size_t capacity_ = 0;  // 0 or a power of two
  size_t head_ = 0;
  size_t size_ = 0;
};

}  // namespace tfx
