#include "traffic/track_history.h"

#include <algorithm>

namespace tfx {
namespace {
// Two points are the least a record that is ever spawned holds.
constexpr size_t kFirstCapacity = 4;
}  // namespace

TrackHistory::TrackHistory(const TrackHistory& other) { *this = other; }

TrackHistory& TrackHistory::operator=(const TrackHistory& other) {
  if (this == &other) return *this;
  clear();
  for (size_t i = 0; i < other.size(); ++i) push_back(other[i]);
  return *this;
}

void TrackHistory::grow() {
  const size_t capacity = std::max(kFirstCapacity, capacity_ * 2);
  auto points = std::make_unique<TrackPoint[]>(capacity);
  for (size_t i = 0; i < size_; ++i) points[i] = (*this)[i];
  points_ = std::move(points);
  capacity_ = capacity;
  head_ = 0;
}

void TrackHistory::push_back(const TrackPoint& point) {
  if (size_ == capacity_) grow();
  ++size_;
  back() = point;
}

void TrackHistory::push_front(const TrackPoint& point) {
  if (size_ == capacity_) grow();
  head_ = (head_ + capacity_ - 1) & (capacity_ - 1);
  ++size_;
  front() = point;
}

void TrackHistory::pop_front() {
  if (size_ == 0) return;
  head_ = (head_ + 1) & (capacity_ - 1);
  --size_;
}

void TrackHistory::erase(size_t index) {
  if (index >= size_) return;
  for (size_t i = index; i + 1 < size_; ++i) (*this)[i] = (*this)[i + 1];
  --size_;
}

void TrackHistory::insert(size_t index, const TrackPoint& point) {
  push_back(point);
  for (size_t i = size_ - 1; i > index && i > 0; --i) std::swap((*this)[i], (*this)[i - 1]);
}

void TrackHistory::truncate(size_t count) { size_ = std::min(size_, count); }

}  // namespace tfx
