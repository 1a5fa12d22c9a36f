#include "ui/status_painter.h"

#include <fmt/format.h>

namespace tfx::ui {
namespace {

// Horizontal places are ours to choose; only the rows and the right column are fixed.
constexpr int kLeftX = 3;
constexpr int kTrafficLabelX = 90;
constexpr int kEditionX = 180;
constexpr int kSimulatorX = 400;

Colour connectionColour(bool connected) { return connected ? colours::kLimeGreen : colours::kYellow; }

}  // namespace

Colour feedColour(int32_t feedState) {
  switch (feedState) {
    case kFeedReceiving:
      return colours::kLimeGreen;
    case kFeedNoData:
      return colours::kYellow;
    case kFeedStopped:
      return colours::kRed;
    default:
      return colours::kWhite;
  }
}

std::vector<PaintedText> status_painter(const StatusValues& values) {
  const auto [versionRow, feedRow, countRow, userRow] = kStatusRows;
  std::vector<PaintedText> texts{
      {kLeftX, versionRow, fmt::format("Version {}", values.version), colours::kLimeGreen},
      {kLeftX, feedRow, "Weather", feedColour(values.weatherState)},
      {kTrafficLabelX, feedRow, "Traffic", feedColour(values.trafficState)},
      {kLeftX, countRow, values.liveryCount, colours::kWhite},
      {kRightColumnX, countRow, fmt::format("qnh: {:4}", values.qnh), colours::kLimeGreen},
      {kRightColumnX, userRow, fmt::format("live: {:3}", values.liveCount), colours::kLimeGreen},
  };
  if (!values.edition.empty()) {
    texts.push_back({kEditionX, feedRow, values.edition, connectionColour(values.realTrafficConnected)});
  }
  if (!values.simulator.empty()) {
    texts.push_back({kSimulatorX, feedRow, values.simulator, connectionColour(values.simulatorConnected)});
  }
  if (!values.userTitle.empty()) texts.push_back({kLeftX, userRow, values.userTitle, colours::kWhite});
  if (!values.userStand.empty()) {
    texts.push_back({kSimulatorX, userRow, fmt::format("reserved stand: {}", values.userStand), colours::kWhite});
  }
  return texts;
}

}  // namespace tfx::ui
