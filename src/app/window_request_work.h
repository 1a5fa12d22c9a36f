#pragma once
// What the main program thread does for the window's handlers: their
// requests taken on the ticks they wait for, and the parking's state handed
// back to the handlers and to the window's parking controls.
#include <cstdint>
#include <optional>

#include "app/park_airport_work.h"
#include "sim/exchange_lists.h"
#include "traffic/traffic_state.h"
#include "ui/window_model.h"
#include "ui/window_requests.h"

namespace tfx::app {

class WindowRequestWork {
 public:
  // Without parking work the requests that concern it only answer the window.
  WindowRequestWork(ui::WindowModel& model, ui::WindowRequests& requests, const TrafficState& traffic,
                    sim::ExchangeLists& exchange, ParkAirportWork* parking)
      : model_(model), requests_(requests), traffic_(traffic), exchange_(exchange), parking_(parking) {}

  // Every tick: the flush, the navigation lights, a new destination, and
  // the parking's state for the handlers and the controls.
  void tick(int32_t tickCounter);
  // Every 15th tick, before the parking's periodic work: the re-read and the parking update.
  void fifteenthTick();

 private:
  void flush();
  void showParkingControls();

  ui::WindowModel& model_;
  ui::WindowRequests& requests_;
  const TrafficState& traffic_;
  sim::ExchangeLists& exchange_;
  ParkAirportWork* parking_;
  // What the controls were last set to; nothing yet, so that a new session
  // sets them once whatever the session before left.
  std::optional<bool> parkingControlsShown_;
  std::optional<bool> learnSoftShown_;
  // "Flush static" stays disabled for the rest of the session once it was used.
  bool flushed_ = false;
};

}  // namespace tfx::app
