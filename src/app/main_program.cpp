#include "app/main_program.h"

#include <fmt/format.h>

#include <chrono>
#include <thread>

#include "aircraft/read_dbase.h"
#include "airports/airport_database.h"
#include "app/livery_start_up.h"
#include "app/session_reset.h"
#include "core/folders.h"
#include "core/log.h"
#include "core/message_line.h"
#include "core/parameters.h"
#include "core/parameters_file.h"
#include "core/scan_tasks.h"
#include "core/simulator_detection.h"
#include "core/version_update.h"
#include "data/version_check.h"
#include "flightplan/flight_plan_file.h"
#include "runstate/product.h"
#include "runstate/stop_flags.h"
#include "runstate/user_error.h"
#include "scan/addon_counts.h"
#include "scan/airport_scan.h"

namespace tfx::app {
namespace {

using namespace std::chrono_literals;

// Destination and blocked callsign last one session only. An empty text needs
// no save, so a start that failed before reading the settings writes no file.
// Close-down messages are logged although a stop is under way, which
// silences the message line's own logging.
void announce(const std::string& text) {
  showMessage(text, false);
  writeLog(text);
}

void clearSessionTexts() {
  for (EditTextParameter* text : {&DESTINATION, &BLOCK_CALLSIGN}) {
    if (text->empty()) continue;
    text->set("");
    saveParameter(*text);
  }
}

// The status area counts the add-on airport files as the scan left them.
void scanAndCountAddonAirports() {
  if (SCAN_AIRPORTS.value()) {
    scan::showAddonScanRunning();
    scan::lf_scanAirports();
  }
  scan::countAddonAirportFiles();
}

}  // namespace

void MainProgram::run() {
  try {
    startUp();
    if (!stopRequested()) {
      session_.emplace(program_);
      session_->run();
    }
  } catch (const UserErrorException& error) {
    showError(error.what());
    requestSessionExitForUserError();
  } catch (const fmt::format_error& error) {
    showError(fmt::format("std::format error: {}", error.what()));
    requestSessionExitForUserError();
  } catch (const std::exception& error) {
    // Anything else that stops the start is shown like a user error, so the
    // user sees why the program does not go on.
    writeLogError(fmt::format("{}: {}", "mainProgramThread", error.what()));
    showError(error.what());
    requestSessionExitForUserError();
  }
  closingDown();
}

void MainProgram::startUp() {
  checkStartFolder();
  readParameters();
  checkVersionUpdate();
  repaintStatusArea();
  createProgramFolders();
  recordInstallFolder();
  if (!program_.dataLoaded) {
    gf_checkDataVersions({.dbase = checkDbaseFile});
    gf_readDbase();
    program_.dataLoaded = true;
  }
  airports::gf_readAirports(paths::airportDatabase.filename());
  ALL_INSTALL_PATH.set(SIM_INSTALL_PATH.value());
  ALL_INSTALL_PATH.showInControl();
  program_.model.setEnabled(ALL_INSTALL_PATH.controlPlace()->id, true);
  if (ALL_INSTALL_PATH.empty()) detectSimulator();
  detectRealTraffic();
  program_.requests.manualRadius = RANGE.value();
  checkStockScenery();
  noteHardwareThreads();
  scanOrLoadLiveries(program_.liveries, program_.model);
  if (!stopRequested()) scanAndCountAddonAirports();
  if (!stopRequested()) flightplan::gf_makeFlightPlanFolder();
  // A close asked for during the scans ends the program without a session.
  if (stopRequested()) {
    requestProgramClose();
    return;
  }
  program_.model.setEnabled(kRereadButton.place.id, true);
  program_.model.setTopmost(ALWAYS_ON_TOP.value());
  if (AUTO_RANGE.value()) program_.model.setEnabled(RANGE.controlPlace()->id, false);
  program_.model.setEnabled(AR_ABOVE_HEIGHT.controlPlace()->id, AUTO_RANGE.value());
}

void MainProgram::closingDown() {
  bool restart = false;
  try {
    const ExitReason reason = exitReason();
    writeLog(fmt::format("Exiting: {}", exitReasonName(reason)));
    if (session_) session_->stop();
    if (reason == ExitReason::SystemError) {
      while (!stopFlags().programClosing) std::this_thread::sleep_for(500ms);
      announce(fmt::format("User closed {}", kProductName));
    }
    program_.flightPlans.clear();
    flightplan::gf_removeFlightPlanFolder();
    clearSessionTexts();
    program_.liveries.matcher.writeSummary();
    restart = reason == ExitReason::NewSettings || reason == ExitReason::SimConnectError ||
              reason == ExitReason::ReaderError;
    if (restart) {
      program_.restarting = true;
      messageLine().clearAll();
      announce("Prepare for a restart ...");
      if (reason != ExitReason::NewSettings) {
        for (CheckBoxParameter* scan : {&SCAN_LIVERIES, &SCAN_AIRPORTS}) {
          scan->set(false);
          saveParameter(*scan);
        }
      }
      restartCountdown(stopFlags().restartDelaySeconds);
      // A close asked for during the countdown wins over the restart.
      restart = !stopFlags().programClosing;
      if (restart) resetSessionState();
    } else {
      program_.restarting = false;
      if (reason == ExitReason::NewFlight) {
        announce(fmt::format("New flight detected, {} will close, please restart manually ...", kProductName));
        std::this_thread::sleep_for(10s);
      }
    }
  } catch (const std::exception& error) {
    writeLog(fmt::format("{} exception {}", "lf_closingDown", error.what()));
  }
  session_.reset();
  program_.window.post({restart ? WindowMessageKind::Start : WindowMessageKind::Close});
}

void MainProgram::restartCountdown(int32_t seconds) {
  if (seconds <= 0) return;
  writeLog(fmt::format("Restarting after {} seconds\n\n\n\n\n", seconds));
  for (int32_t left = seconds; left >= 1 && !stopFlags().programClosing; --left) {
    showMessage(fmt::format("Restarting after {} second{}", left, left == 1 ? "" : "s"), false);
    std::this_thread::sleep_for(1s);
  }
}

}  // namespace tfx::app
