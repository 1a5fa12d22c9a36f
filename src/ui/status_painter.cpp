#include "ui/status_painter.h"

#include <fmt/format.h>

namespace tfx::ui {
namespace {

// Horizontal places are ours to choose; only the rows and the right column are fixed.
constexpr int kLeftX = 3;
constexpr int kTrafficLabelX = 90;
constexpr int kEditionX = 180;
constexpr int kSimulatorX = 400;
// The add-on counts follow the livery count on its row, under the edition and the simulator.
constexpr int kThirdpartyCountX = kEditionX;
constexpr int kOrbxCountX = kSimulatorX;

// The parking's three rows lie below its controls, above the message strip;
// the page writes about 8 pixels a character.
constexpr int kParkingRows[] = {396, 414, 432};
constexpr int kParkingSecondX = 190;
constexpr int kParkedLiveX = 130;
constexpr int kParkedStaticX = 280;
constexpr int kAverageFitX = 450;

Colour connectionColour(bool connected) { return connected ? colours::kLimeGreen : colours::kYellow; }

void paintParking(std::vector<PaintedText>& texts, const ParkingStatus& parking) {
  const auto [airportRow, countsRow, qualityRow] = kParkingRows;
  const Colour headline = parking.active ? colours::kLimeGreen : colours::kWhite;
  texts.push_back({kLeftX, airportRow, fmt::format("Airport parking{}", parking.active ? " active" : ""), headline});
  if (!parking.active) return;
  const std::string userStand = parking.userStand.empty() ? "" : ", user stand " + parking.userStand;
  texts.push_back({kParkingSecondX, airportRow,
                   fmt::format(" {}, {}{}, wk={}", parking.airport, parking.publisher, userStand, parking.week),
                   colours::kWhite});
  if (parking.minutesToRenewal >= 0) {
    texts.push_back(
        {kRightColumnX, airportRow, fmt::format("(next in {} min)", parking.minutesToRenewal), colours::kWhite});
  }
  // Before any aircraft was chosen there is no fit to average.
  const std::string averageFit = parking.averageFitHours < 0.0
                                     ? fmt::format("average fit: {}", "-")
                                     : fmt::format("average fit: {:.1F}", parking.averageFitHours);
  const std::string maxPark = parking.maxParkLimited
                                  ? fmt::format("max park: {:3} (={} %)", parking.wanted, parking.percentage)
                                  : std::string("no max park live");
  texts.insert(texts.end(),
               {{kLeftX, countsRow, fmt::format("# stands: {:3}", parking.stands), colours::kWhite},
                {kParkedLiveX, countsRow, fmt::format("parked live: {:3}", parking.parkedLive), colours::kWhite},
                {kParkedStaticX, countsRow, fmt::format("parked static: {:3}", parking.parkedStatic), colours::kWhite},
                {kAverageFitX, countsRow, averageFit, colours::kWhite},
                {kRightColumnX, countsRow, fmt::format("# updates: {:4}", parking.updates), colours::kWhite},
                {kLeftX, qualityRow, maxPark, colours::kWhite},
                {kParkingSecondX, qualityRow, fmt::format("qf: {}", parking.quality), colours::kWhite}});
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
      {kThirdpartyCountX, countRow, values.thirdpartyCount, colours::kWhite},
      {kRightColumnX, countRow, fmt::format("qnh: {:4}", values.qnh), colours::kLimeGreen},
      {kRightColumnX, userRow, fmt::format("live: {:3}", values.liveCount), colours::kLimeGreen},
  };
  if (!values.edition.empty()) {
    texts.push_back({kEditionX, feedRow, values.edition, connectionColour(values.realTrafficConnected)});
  }
  if (!values.simulator.empty()) {
    texts.push_back({kSimulatorX, feedRow, values.simulator, connectionColour(values.simulatorConnected)});
  }
  if (!values.orbxCount.empty()) texts.push_back({kOrbxCountX, countRow, values.orbxCount, colours::kWhite});
  if (!values.userTitle.empty()) texts.push_back({kLeftX, userRow, values.userTitle, colours::kWhite});
  if (!values.userStand.empty()) {
    texts.push_back({kSimulatorX, userRow, fmt::format("reserved stand: {}", values.userStand), colours::kWhite});
  }
  paintParking(texts, values.parking);
  return texts;
}

}  // namespace tfx::ui
