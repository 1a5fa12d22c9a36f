#pragma once
// The worker threads that read the scan's BGL files: started once per scan
// rather than once per file, which cost more than reading most files.
#include <condition_variable>
#include <deque>
#include <functional>
#include <future>
#include <mutex>
#include <thread>
#include <vector>

#include "scan/bgl_file_scan.h"

namespace tfx::scan {

class FileTaskPool {
 public:
  explicit FileTaskPool(size_t threads);
  // Lets the tasks already handed in finish, then ends the threads.
  ~FileTaskPool();
  FileTaskPool(const FileTaskPool&) = delete;
  FileTaskPool& operator=(const FileTaskPool&) = delete;

  std::future<BglFileResult> run(std::function<BglFileResult()> task);

 private:
  void work();

  std::mutex lock_;
  std::condition_variable wake_;
  std::deque<std::packaged_task<BglFileResult()>> queue_;
  bool closing_ = false;
  std::vector<std::jthread> threads_;
};

}  // namespace tfx::scan
