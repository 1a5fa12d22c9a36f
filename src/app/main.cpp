// Program entry: one running copy per user, the log, then the window thread.
#include <fmt/format.h>

#include <cstdlib>
#include <exception>

#include "app/window_thread.h"
#include "core/folders.h"
#include "core/log.h"
#include "platform/single_instance.h"
#include "platform/termination_signals.h"
#include "runstate/product.h"

int main() {
  using namespace tfx;
  // Before any thread starts, so that only the watcher receives them.
  platform::blockTerminationSignals();
  platform::SingleInstance instance(kInstanceMutexName);
  if (instance.alreadyRunning()) return EXIT_FAILURE;
  try {
    openLog();
    createDataFolder();
  } catch (const std::exception& error) {
    fmt::print(stderr, "{}\n", error.what());
    writeLogError(error.what());
    return EXIT_FAILURE;
  }
  return app::WindowThread().run();
}
