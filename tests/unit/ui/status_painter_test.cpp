#include "ui/status_painter.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "ui/traffic_picture.h"
#include "ui/window_model.h"

namespace tfx::ui {
namespace {

const PaintedText* at(const std::vector<PaintedText>& texts, int x, int y) {
  const auto found =
      std::find_if(texts.begin(), texts.end(), [&](const auto& text) { return text.x == x && text.y == y; });
  return found == texts.end() ? nullptr : &*found;
}

TEST(StatusPainter, RowsTextsAndColoursFollowTheValues) {
  const StatusValues values{.version = "11.0.2",
                            .liveCount = 7,
                            .liveryCount = "# liveries: 1234",
                            .thirdpartyCount = "# thirdp: 12",
                            .orbxCount = "3 airports in my_ORBX folder",
                            .qnh = 998,
                            .edition = "RT2 edition: standard",
                            .realTrafficConnected = true,
                            .simulator = "Waiting for Prepar3Dv5 ...",
                            .weatherState = kFeedNoData,
                            .trafficState = kFeedReceiving};
  const auto texts = status_painter(values);
  ASSERT_TRUE(at(texts, 642, 63));
  EXPECT_EQ(at(texts, 642, 63)->text, "qnh:  998");
  EXPECT_EQ(at(texts, 642, 63)->colour, colours::kLimeGreen);
  EXPECT_EQ(at(texts, 642, 91)->text, "live:   7");
  ASSERT_TRUE(at(texts, 3, 63) && at(texts, 180, 63) && at(texts, 400, 63)) << "the livery and add-on counts share a row";
  EXPECT_EQ(at(texts, 180, 63)->text, "# thirdp: 12");
  EXPECT_EQ(at(texts, 400, 63)->text, "3 airports in my_ORBX folder");
  const auto version = std::find_if(texts.begin(), texts.end(), [](const auto& text) { return text.y == 7; });
  EXPECT_EQ(version->text, "Version 11.0.2");
  EXPECT_EQ(version->colour, colours::kLimeGreen);
  for (const PaintedText& text : texts) {
    if (text.text == "Weather") {
      EXPECT_EQ(text.colour, colours::kYellow);
    }
    if (text.text == "Traffic") {
      EXPECT_EQ(text.colour, colours::kLimeGreen);
    }
    if (text.text == values.edition) {
      EXPECT_EQ(text.colour, colours::kLimeGreen);
    }
    if (text.text == values.simulator) {
      EXPECT_EQ(text.colour, colours::kYellow);
    }
    EXPECT_TRUE(text.y < kStatusArea.bottom || text.y >= kParkingStatusArea.top) << text.text;
  }
  EXPECT_EQ(feedColour(kFeedStopped), colours::kRed);
  EXPECT_EQ(feedColour(kFeedNotStarted), colours::kWhite);
}

std::vector<std::string> parkingTexts(const std::vector<PaintedText>& texts) {
  std::vector<std::string> found;
  for (const PaintedText& text : texts) {
    if (text.y >= kParkingStatusArea.top && text.y < kParkingStatusArea.bottom) found.push_back(text.text);
  }
  return found;
}

TEST(StatusPainter, TheParkingRowsShowTheParkAirportWhileItsStandsAreLoaded) {
  EXPECT_EQ(parkingTexts(status_painter({})), std::vector<std::string>{"Airport parking"});

  ParkingStatus parking{.active = true,
                        .airport = "LSZH",
                        .publisher = "stock",
                        .userStand = "E_67",
                        .week = 12,
                        .minutesToRenewal = 7,
                        .stands = 120,
                        .updates = 3,
                        .parkedLive = 4,
                        .parkedStatic = 36,
                        .averageFitHours = 1.3,
                        .wanted = 40,
                        .percentage = 33,
                        .maxParkLimited = true,
                        .quality = "qf real 61, soft 12"};
  std::vector<std::string> texts = parkingTexts(status_painter({.parking = parking}));
  std::sort(texts.begin(), texts.end());
  EXPECT_EQ(texts, (std::vector<std::string>{" LSZH, stock, user stand E_67, wk=12", "# stands: 120",
                                             "# updates:    3", "(next in 7 min)", "Airport parking active",
                                             "average fit: 1.3", "max park:  40 (=33 %)", "parked live:   4",
                                             "parked static:  36", "qf: qf real 61, soft 12"}));

  parking.userStand.clear();
  parking.minutesToRenewal = -1;
  parking.averageFitHours = -1.0;
  parking.maxParkLimited = false;
  texts = parkingTexts(status_painter({.parking = parking}));
  EXPECT_NE(std::find(texts.begin(), texts.end(), " LSZH, stock, wk=12"), texts.end());
  EXPECT_NE(std::find(texts.begin(), texts.end(), "average fit: -"), texts.end());
  EXPECT_NE(std::find(texts.begin(), texts.end(), "no max park live"), texts.end());
  EXPECT_EQ(std::count_if(texts.begin(), texts.end(), [](const auto& t) { return t.starts_with("(next in"); }), 0)
      << "before the first minute count";
}

TEST(StatusPainter, APaintRemovesParkingTextsThatAreNoLongerThere) {
  WindowModel model;
  model.paintStatusArea(status_painter({.parking = {.active = true, .airport = "LSZH", .minutesToRenewal = 7}}));
  EXPECT_GT(parkingTexts(model.paintedTexts()).size(), 1u);
  model.paintStatusArea(status_painter({}));
  EXPECT_EQ(parkingTexts(model.paintedTexts()), std::vector<std::string>{"Airport parking"});
}

TEST(StatusPainter, PaintReplacesTheStatusAreaOnlyAndInvalidationsCoalesce) {
  WindowModel model;
  int posted = 0;
  model.setPaintPoster([&] { ++posted; });
  model.drawText(3, 455, "message", colours::kYellow);
  model.invalidate(kStatusArea);
  model.invalidate(kStatusArea);
  model.invalidate(kStatusArea);
  EXPECT_EQ(posted, 1);
  model.paintStatusArea(status_painter({.qnh = 1013}));
  model.paintStatusArea(status_painter({.qnh = 1020}));
  const auto texts = model.paintedTexts();
  EXPECT_EQ(at(texts, 642, 63)->text, "qnh: 1020");
  EXPECT_EQ(at(texts, 3, 455)->text, "message");
  model.invalidate(kStatusArea);
  EXPECT_EQ(posted, 2);
}

TEST(WindowModelRevision, EveryChangeMovesTheRevisionOnAndWakesTheWaiter) {
  WindowModel model;
  const uint64_t first = model.revision();
  model.setEnabled(32858, false);
  EXPECT_GT(model.waitForChange(first, std::chrono::milliseconds(0)), first);
  const uint64_t second = model.revision();
  EXPECT_EQ(model.waitForChange(second, std::chrono::milliseconds(0)), second);
}

TEST(TrafficPictureBuffer, PublishSwapsTheBackPictureIn) {
  TrafficPictureBuffer buffer;
  EXPECT_EQ(buffer.revision(), 0u);
  buffer.back().radiusNm = 25;
  buffer.back().aircraft.push_back({.hexid = 0x3c6444, .callsign = "DLH4"});
  buffer.publish();
  EXPECT_EQ(buffer.waitForChange(0, std::chrono::milliseconds(0)), 1u);
  buffer.read([](const TrafficPicture& picture, uint64_t revision) {
    EXPECT_EQ(revision, 1u);
    EXPECT_EQ(picture.radiusNm, 25);
    ASSERT_EQ(picture.aircraft.size(), 1u);
  });
  EXPECT_EQ(buffer.liveHexids("DLH4"), std::vector<uint32_t>{0x3c6444});
  EXPECT_TRUE(buffer.liveHexids("DLH5").empty());
}

}  // namespace
}  // namespace tfx::ui
