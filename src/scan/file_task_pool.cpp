#include "scan/file_task_pool.h"

namespace tfx::scan {

FileTaskPool::FileTaskPool(size_t threads) {
  threads_.reserve(threads);
  for (size_t thread = 0; thread < threads; ++thread) threads_.emplace_back([this] { work(); });
}

FileTaskPool::~FileTaskPool() {
  {
    const std::lock_guard guard(lock_);
    closing_ = true;
  }
  wake_.notify_all();
  threads_.clear();
}

std::future<BglFileResult> FileTaskPool::run(std::function<BglFileResult()> task) {
  std::packaged_task<BglFileResult()> packaged(std::move(task));
  std::future<BglFileResult> result = packaged.get_future();
  {
    const std::lock_guard guard(lock_);
    queue_.push_back(std::move(packaged));
  }
  wake_.notify_one();
  return result;
}

void FileTaskPool::work() {
  for (;;) {
    std::packaged_task<BglFileResult()> task;
    {
      std::unique_lock guard(lock_);
      wake_.wait(guard, [this] { return closing_ || !queue_.empty(); });
      if (queue_.empty()) return;
      task = std::move(queue_.front());
      queue_.pop_front();
    }
    task();
  }
}

}  // namespace tfx::scan
