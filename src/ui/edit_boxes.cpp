#include "ui/edit_boxes.h"

#include <fmt/format.h>

#include <algorithm>
#include <filesystem>

#include "airports/airport_database.h"
#include "core/message_line.h"
#include "core/parameters.h"
#include "core/parameters_file.h"
#include "core/text_trim.h"
#include "runstate/product.h"
#include "runstate/stop_flags.h"
#include "ui/number_boxes.h"

namespace tfx::ui {
namespace {

constexpr int32_t kRestartDelaySeconds = 2;

bool codeCharacter(char character) {
  return (character >= 'A' && character <= 'Z') || (character >= '0' && character <= '9');
}

void takeInstallPath(WindowContext& context) {
  const std::string path(trimBlanks(lf_getTextFromId(context.model, ALL_INSTALL_PATH.controlPlace()->id)));
  std::error_code error;
  if (path.empty() || !std::filesystem::is_directory(path, error)) {
    showMessage(fmt::format("This install path does not exist: {}", path), false);
    return;
  }
  SIM_INSTALL_PATH.set(path);
  saveParameter(SIM_INSTALL_PATH);
  showMessage(fmt::format("Install path exists, {} will restart", kProductName));
  requestSessionExit(ExitReason::NewSettings, kRestartDelaySeconds);
}

void takeBlockedCallsign(WindowContext& context) {
  const std::string callsign = typedCode(lf_getTextFromId(context.model, BLOCK_CALLSIGN.controlPlace()->id));
  if (!isBlockableCallsign(callsign)) {
    showMessage(fmt::format("callsign '{}' is not valid", callsign), false);
    return;
  }
  if (BLOCK_CALLSIGN.value() == callsign) {
    showMessage(fmt::format("callsign '{}' was already set ...", callsign), false);
    return;
  }
  BLOCK_CALLSIGN.set(callsign);
  saveParameter(BLOCK_CALLSIGN);
  BLOCK_CALLSIGN.showInControl();
  showMessage(fmt::format("live aircraft with callsign '{}' will be blocked", callsign));
  for (uint32_t hexid : context.picture.liveHexids(callsign)) context.blockLiveAircraft(hexid);
}

void takeDestination(WindowContext& context) {
  const std::string code = typedCode(lf_getTextFromId(context.model, DESTINATION.controlPlace()->id));
  if (code.empty()) {
    DESTINATION.set("");
    saveParameter(DESTINATION);
    DESTINATION.showInControl();
    context.requests.destination = true;
    showMessage("destination set to empty");
    return;
  }
  if (!isDestinationCode(code)) {
    showMessage(fmt::format("destination '{}' is not valid", code), false);
  } else if (DESTINATION.value() == code) {
    showMessage(fmt::format("destination '{}' was already set ...", code), false);
  } else if (!airports::airportCodeKnown(code)) {
    showMessage(fmt::format("destination '{}' is unknown ...", code), false);
  } else {
    DESTINATION.set(code);
    saveParameter(DESTINATION);
    DESTINATION.showInControl();
    context.requests.destination = true;
    showMessage(fmt::format("New destination: {}", code));
  }
}

}  // namespace

std::string typedCode(std::string_view text) {
  std::string code(trimBlanks(text));
  std::transform(code.begin(), code.end(), code.begin(), [](char character) {
    return character >= 'a' && character <= 'z' ? character - 'a' + 'A' : character;
  });
  return code;
}

bool isBlockableCallsign(std::string_view callsign) {
  return !callsign.empty() && callsign.size() <= 8 && std::all_of(callsign.begin(), callsign.end(), codeCharacter);
}

bool isDestinationCode(std::string_view code) {
  return code.size() >= 3 && code.size() <= 4 && std::all_of(code.begin(), code.end(), [](char character) {
           return codeCharacter(character) || character == '_';
         });
}

bool handleEditBox(WindowContext& context, ControlId id) {
  if (id == ALL_INSTALL_PATH.controlPlace()->id) {
    takeInstallPath(context);
  } else if (id == BLOCK_CALLSIGN.controlPlace()->id) {
    takeBlockedCallsign(context);
  } else if (id == DESTINATION.controlPlace()->id) {
    takeDestination(context);
  } else if (id == parking_percentage.controlPlace()->id) {
    lf_processTbInt(context.model, parking_percentage);
  } else if (id == MAX_FIT.controlPlace()->id) {
    lf_processTbInt(context.model, MAX_FIT);
  } else if (id == MAX_FIT_FL.controlPlace()->id) {
    lf_processTbFloat(context.model, MAX_FIT_FL);
  } else {
    return false;
  }
  return true;
}

}  // namespace tfx::ui
