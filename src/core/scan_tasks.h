#pragma once
// The parallel file work of the scans (liveries, add-on airports): at most as
// many tasks run at once as the machine has hardware threads, counted by one
// counter that both scans share. Results are collected in the order the
// tasks were started.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <future>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

#include "core/log.h"

namespace tfx {

// Hardware threads of the machine, noted once at start-up (at least 1).
int scanTaskLimit();
void noteHardwareThreads();
// Tasks of any scan running now.
std::atomic<int>& runningScanTasks();

// Waits for a task's result in steps of one millisecond; logs "futs #1 not
// yet valid ? ..." once when it is not ready at the first step (a slow file,
// not a fault), and throws "Future wait timed out after 10 seconds".
template <typename Future>
void waitForTaskResult(const Future& result) {
  using namespace std::chrono;
  const auto deadline = steady_clock::now() + seconds(10);
  bool warned = false;
  while (result.wait_for(milliseconds(1)) != std::future_status::ready) {
    if (!warned) writeLogError("futs #1 not yet valid ? ...");
    warned = true;
    if (steady_clock::now() >= deadline) throw std::runtime_error("Future wait timed out after 10 seconds");
  }
}

// Runs tasks on worker threads and hands their results back in start order.
template <typename Result>
class ScanTasks {
 public:
  explicit ScanTasks(std::function<void(Result&&)> collect) : collect_(std::move(collect)) {
    const int workers = scanTaskLimit();
    for (int index = 0; index < workers; ++index) workers_.emplace_back([this] { work(); });
  }
  ~ScanTasks() {
    {
      std::lock_guard guard(lock_);
      closing_ = true;
    }
    wake_.notify_all();
    for (std::thread& worker : workers_) worker.join();
  }
  ScanTasks(const ScanTasks&) = delete;
  ScanTasks& operator=(const ScanTasks&) = delete;

  void start(std::function<Result()> task) {
    auto packaged = std::make_shared<std::packaged_task<Result()>>(std::move(task));
    pending_.push_back(packaged->get_future());
    {
      std::lock_guard guard(lock_);
      queue_.push_back([packaged] { (*packaged)(); });
    }
    wake_.notify_one();
    // More started than can run: take in the oldest first, so results never
    // pile up while the walk goes on.
    while (pending_.size() > static_cast<size_t>(scanTaskLimit())) collectOldest();
  }

  void collectAll() {
    while (!pending_.empty()) collectOldest();
  }

 private:
  void collectOldest() {
    std::future<Result> oldest = std::move(pending_.front());
    pending_.pop_front();
    waitForTaskResult(oldest);
    collect_(oldest.get());
  }

  void work() {
    while (true) {
      std::function<void()> job;
      {
        std::unique_lock guard(lock_);
        wake_.wait(guard, [this] { return closing_ || !queue_.empty(); });
        if (queue_.empty()) return;
        job = std::move(queue_.front());
        queue_.pop_front();
      }
      ++runningScanTasks();
      job();
      --runningScanTasks();
    }
  }

  std::function<void(Result&&)> collect_;
  std::deque<std::future<Result>> pending_;
  std::mutex lock_;
  std::condition_variable wake_;
  std::deque<std::function<void()>> queue_;
  bool closing_ = false;
  std::vector<std::thread> workers_;
};

}  // namespace tfx
