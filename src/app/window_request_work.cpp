#include "app/window_request_work.h"

#include "app/parked_nav_lights.h"
#include "core/parameters.h"
#include "core/parameters_file.h"

namespace tfx::app {
namespace {

// The controls static parking locks while it places aircraft, "Flush static" aside.
const Parameter* const kParkingSettings[] = {&MAX_PARK_SEL, &parking_percentage, &INITIAL_LOAD_ONLY, &PARK_SOFT,
                                             &PARK_FAKE,    &MAX_FIT,            &WEEK,              &MAX_FIT_FL};

}  // namespace

void WindowRequestWork::tick(int32_t tickCounter) {
  requests_.tickCounter = tickCounter;
  if (ui::WindowRequests::take(requests_.flush)) flush();
  if (ui::WindowRequests::take(requests_.navLights)) {
    sendParkedNavLights(traffic_, exchange_, NAV_LIGHTS_WHILE_PARKED.value());
  }
  if (parking_ == nullptr) return;
  if (ui::WindowRequests::take(requests_.destination)) parking_->followDestination();
  requests_.staticParkingActive = parking_->staticParkingActive();
  showParkingControls();
}

void WindowRequestWork::fifteenthTick() {
  if (ui::WindowRequests::take(requests_.reread)) {
    if (parking_ != nullptr) parking_->rereadParkAirports();
    model_.setEnabled(kRereadButton.place.id, true);
    model_.setEnabled(DESTINATION.controlPlace()->id, true);
  }
  if (ui::WindowRequests::take(requests_.parkingUpdate) && parking_ != nullptr) parking_->requestParkingUpdate();
}

void WindowRequestWork::flush() {
  if (parking_ != nullptr) parking_->flushStatic();
  // Flushed aircraft stay away: no renewal brings them back.
  INITIAL_LOAD_ONLY.set(true);
  saveParameter(INITIAL_LOAD_ONLY);
  INITIAL_LOAD_ONLY.showInControl();
  flushed_ = true;
}

void WindowRequestWork::showParkingControls() {
  const bool enabled = parking_->parkingControlsEnabled();
  if (enabled != parkingControlsShown_) {
    parkingControlsShown_ = enabled;
    for (const Parameter* setting : kParkingSettings) model_.setEnabled(setting->controlPlace()->id, enabled);
    if (!flushed_) model_.setEnabled(kFlushStaticButton.place.id, enabled);
  }
  const bool learnSoft = parking_->learnSoftEnabled();
  if (learnSoft != learnSoftShown_) {
    learnSoftShown_ = learnSoft;
    model_.setEnabled(LEARN_SOFT.controlPlace()->id, learnSoft);
  }
}

}  // namespace tfx::app
