// The web window's costs: the window as JSON, the traffic picture published
// and served, a GET over loopback, a list pick with its save, and how soon a
// change reaches an event stream.
#include <benchmark/benchmark.h>
#include <httplib.h>
#include <stdlib.h>

#include <filesystem>
#include <thread>

#include "bench_window.h"
#include "core/folders.h"
#include "webwindow/event_stream.h"
#include "webwindow/traffic_json.h"
#include "webwindow/web_server.h"
#include "webwindow/window_json.h"

namespace tfx {
namespace {

using bench::BenchWindow;
using bench::publishThousandAircraft;
using bench::thousandAircraft;

// Settings saved into a private folder, not the user's.
struct ScratchSettings {
  ScratchSettings() {
    char pattern[] = "/tmp/webwindow-bench-XXXXXX";
    folder = mkdtemp(pattern);
    setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    std::filesystem::create_directories(dataFolder());
  }
  ~ScratchSettings() { std::filesystem::remove_all(folder); }
  std::filesystem::path folder;
};

void BM_WindowJson(benchmark::State& state) {
  BenchWindow window;
  for (auto _ : state) benchmark::DoNotOptimize(webwindow::windowJsonText(window.model));
}
BENCHMARK(BM_WindowJson);

void BM_PublishThousandAircraft(benchmark::State& state) {
  const TrafficState traffic = thousandAircraft();
  ui::TrafficPictureBuffer buffer;
  for (auto _ : state) publishThousandAircraft(buffer, traffic);
}
BENCHMARK(BM_PublishThousandAircraft);

void BM_TrafficJsonThousandAircraft(benchmark::State& state) {
  const TrafficState traffic = thousandAircraft();
  ui::TrafficPictureBuffer buffer;
  publishThousandAircraft(buffer, traffic);
  for (auto _ : state) benchmark::DoNotOptimize(webwindow::trafficJsonText(buffer));
}
BENCHMARK(BM_TrafficJsonThousandAircraft);

void BM_ListPickWithSave(benchmark::State& state) {
  ScratchSettings settings;
  BenchWindow window;
  int pick = 0;
  for (auto _ : state) {
    const char* body = (++pick % 2 == 0) ? R"({"id":32847,"value":25})" : R"({"id":32847,"value":50})";
    const webwindow::WebResponse response =
        window.api.handle({"POST", "/api/command", "127.0.0.1:10750", std::nullopt, "application/json", body});
    if (response.status != 200) state.SkipWithError("pick refused");
  }
}
BENCHMARK(BM_ListPickWithSave)->Unit(benchmark::kMicrosecond);

void BM_LoopbackGetWindow(benchmark::State& state) {
  BenchWindow window;
  webwindow::EventStreams streams(window.model, window.picture);
  webwindow::WebServer server(window.api, streams);
  const uint16_t port = server.start(0, false);
  httplib::Client client("127.0.0.1", port);
  client.set_keep_alive(true);
  for (auto _ : state) {
    const auto response = client.Get("/api/window");
    if (!response || response->status != 200) state.SkipWithError("GET failed");
  }
  server.stop();
}
BENCHMARK(BM_LoopbackGetWindow)->Unit(benchmark::kMicrosecond);

// From a window change to the event that carries it; manual time is that span.
void BM_ChangeToStreamEvent(benchmark::State& state) {
  BenchWindow window;
  webwindow::EventStreams streams(window.model, window.picture);
  webwindow::StreamPosition position;
  auto ignore = [](std::string_view) { return true; };
  streams.next(position, ignore);
  bool enabled = false;
  for (auto _ : state) {
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    const auto changed = std::chrono::steady_clock::now();
    window.model.setEnabled(32858, enabled = !enabled);
    bool delivered = false;
    while (!delivered) {
      streams.next(position, [&](std::string_view text) {
        delivered = text.find("event: window") != std::string_view::npos;
        return true;
      });
    }
    state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - changed).count());
  }
}
BENCHMARK(BM_ChangeToStreamEvent)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(40);

}  // namespace
}  // namespace tfx
