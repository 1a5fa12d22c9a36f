#include "ui/status_painter.h"

#include <fmt/format.h>

namespace tfx::ui {
namespace {

// Horizontal places are ours to choose; only the rows and the right column are fixed.
constexpr int kLeftX = 3;
constexpr int kTrafficLabelX = 90;
constexpr int kEditionX = 180;
constexpr int kSimulatorX = 400;

// The parking's two rows lie below its controls, above the message strip.
constexpr int kParkingRowY = 399;
constexpr int kParkingCountsRowY = 423;
constexpr int kParkingAirportX = 150;
constexpr int kRenewalX = 470;
constexpr int kParkedLiveX = 110;
constexpr int kParkedStaticX = 235;
constexpr int kAverageFitX = 375;
constexpr int kMaxParkX = 500;

Colour connectionColour(bool connected) { return connected ? colours::kLimeGreen : colours::kYellow; }

void paintParking(std::vector<PaintedText>& texts, const ParkingStatus& parking) {
  const Colour headline = parking.active ? colours::kLimeGreen : colours::kWhite;
  texts.push_back({kLeftX, kParkingRowY, fmt::format("Airport parking{}", parking.active ? " active" : ""), headline});
  if (!parking.active) return;
  const std::string userStand = parking.userStand.empty() ? "" : ", user stand " + parking.userStand;
  texts.push_back({kParkingAirportX, kParkingRowY,
                   fmt::format(" {}, {}{}, wk={}", parking.airport, parking.publisher, userStand, parking.week),
                   colours::kWhite});
  if (parking.minutesToRenewal >= 0) {
    texts.push_back(
        {kRenewalX, kParkingRowY, fmt::format("(next in {} min)", parking.minutesToRenewal), colours::kWhite});
  }
  texts.push_back({kRightColumnX, kParkingRowY, fmt::format("qf: {}", parking.quality), colours::kWhite});
  // Before any aircraft was chosen there is no fit to average.
  const std::string averageFit = parking.averageFitHours < 0.0
                                     ? fmt::format("average fit: {}", "-")
                                     : fmt::format("average fit: {:.1F}", parking.averageFitHours);
  const std::string maxPark = parking.maxParkLimited
                                  ? fmt::format("max park: {:3} (={} %)", parking.wanted, parking.percentage)
                                  : std::string("no max park live");
  texts.insert(texts.end(),
               {{kLeftX, kParkingCountsRowY, fmt::format("# stands: {:3}", parking.stands), colours::kWhite},
                {kParkedLiveX, kParkingCountsRowY, fmt::format("parked live: {:3}", parking.parkedLive), colours::kWhite},
                {kParkedStaticX, kParkingCountsRowY, fmt::format("parked static: {:3}", parking.parkedStatic),
                 colours::kWhite},
                {kAverageFitX, kParkingCountsRowY, averageFit, colours::kWhite},
                {kMaxParkX, kParkingCountsRowY, maxPark, colours::kWhite},
                {kRightColumnX, kParkingCountsRowY, fmt::format("# updates: {:4}", parking.updates), colours::kWhite}});
}

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
  paintParking(texts, values.parking);
  return texts;
}

}  // namespace tfx::ui
