// Serves the web window with a thousand aircraft that move, for measuring
// how fast a browser draws the page (frame_time.mjs):
//   webwindow_page_server [SECONDS]
// Prints the page's address, publishes a new picture twice a second as the
// main loop does, and ends after SECONDS (60).
#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>
#include <thread>

#include "bench_window.h"
#include "core/geodesy.h"
#include "webwindow/event_stream.h"
#include "webwindow/web_server.h"

namespace {

constexpr std::chrono::milliseconds kBetweenPictures{500};
// About 250 knots in half a second.
constexpr double kStepDeg = 0.0006;

// Each live aircraft flies its own heading a little further.
void moveLiveAircraft(tfx::TrafficState& traffic, int step) {
  for (size_t index = 0; index < traffic.liveList.size(); ++index) {
    tfx::sim::PositionBlock& block = traffic.liveList[index].block;
    block.heading = static_cast<double>(index % 360) * tfx::kDegToRad;
    block.lat += kStepDeg * std::cos(block.heading) * (step % 40 < 20 ? 1 : -1);
    block.lon += kStepDeg * std::sin(block.heading) * (step % 40 < 20 ? 1 : -1);
  }
}

}  // namespace

int main(int argc, char** argv) {
  const int seconds = argc > 1 ? std::stoi(argv[1]) : 60;
  tfx::bench::BenchWindow window;
  tfx::webwindow::EventStreams streams(window.model, window.picture);
  tfx::webwindow::WebServer server(window.api, streams);
  const uint16_t port = server.start(0, false);
  if (port == 0) {
    std::fputs("could not listen\n", stderr);
    return 1;
  }
  std::printf("http://127.0.0.1:%u/\n", port);
  std::fflush(stdout);
  tfx::TrafficState traffic = tfx::bench::thousandAircraft();
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  for (int step = 0; std::chrono::steady_clock::now() < end; ++step) {
    moveLiveAircraft(traffic, step);
    tfx::bench::publishThousandAircraft(window.picture, traffic);
    std::this_thread::sleep_for(kBetweenPictures);
  }
  server.stop();
  return 0;
}
