#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/banner.h"
#include "core/hours.h"
#include "core/log.h"
#include "core/message_line.h"
#include "core/text_files.h"
#include "core/utc_time.h"
#include "runstate/stop_flags.h"
#include "runstate/user_error.h"
#include "test_support.h"

namespace tfx {
namespace {

using test::TempDir;
using test::writeFile;

TEST(Banner, WidthsRoundUpToEvenAndCentreTheTitle) {
  EXPECT_EQ(makeBanner(70, 0, true, false, "parameters"), "\n" + std::string(34, '*') + " parameters " + std::string(34, '*'));
  EXPECT_EQ(makeBanner(69, 0, true, false, "parameters"), makeBanner(70, 0, true, false, "parameters"));
  EXPECT_EQ(makeBanner(70, 10, false, true, ""), std::string(80, '*') + "\n");
  // A title too long for the stars stands alone.
  EXPECT_EQ(makeBanner(4, 0, false, false, "ab"), "ab");
  EXPECT_EQ(makeBanner(4, 1, false, false, "ab"), "** ab **");
}

TEST(UtcTime, NamesAreTheProgramsOwn) {
  EXPECT_EQ(formatUtcTime(0), "Thu Jan 01 00:00:00 1970");
  // October is "Okt" and Sunday is looked up as day 7.
  EXPECT_EQ(formatUtcTime(1728828000), "Sun Okt 13 14:00:00 2024");
}

TEST(Hours, ListsOfSlots) {
  EXPECT_EQ(gf_hours2bitset("0,5,47"), HourSet().set(0).set(5).set(47));
  LogCapture log;
  EXPECT_EQ(gf_hours2bitset("0,,48,x"), HourSet().set(0));
  EXPECT_EQ(log.count("gf_hours2bitset invalid hour"), 3u);
  EXPECT_TRUE(log.contains("===> gf_hours2bitset invalid hour '48' in 0,,48,x"));
  EXPECT_EQ(gf_hours2bitset("-1,12h,99999999999"), HourSet().set(12));
  // A list of a million bad pieces logs a few short lines and a count.
  std::string huge(100, 'y');
  for (int piece = 0; piece < 1000000; ++piece) huge += ",x";
  log.takeLines();
  EXPECT_EQ(gf_hours2bitset(huge + ",7"), HourSet().set(7));
  const std::vector<std::string> lines = log.takeLines();
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines.back(), "===> gf_hours2bitset 999996 more invalid hours in " + std::string(64, 'y') +
                              "... (2000102 characters)");
  for (const std::string& line : lines) EXPECT_LT(line.size(), 250u);
}

class CharsetTest : public ::testing::Test {
 protected:
  std::filesystem::path file(std::string_view content) {
    const auto path = dir_ / "file.txt";
    writeFile(path, content);
    return path;
  }
  TempDir dir_;
};

TEST_F(CharsetTest, ByteOrderMarksAndUtf8Validity) {
  EXPECT_EQ(detectCharset(file("\xEF\xBB\xBFhello")), Charset::UTF8_with_BOM);
  EXPECT_EQ(detectCharset(file(std::string("\xFF\xFE\x00\xD8", 4))), Charset::Unicode);
  EXPECT_EQ(detectCharset(file(std::string("\xFE\xFF\x00h", 4))), Charset::Unicode_big_endian);
  EXPECT_EQ(detectCharset(file("Z\xC3\xBCrich")), Charset::UTF8_without_BOM);
  EXPECT_EQ(detectCharset(file("Z\xFCrich")), Charset::ANSI);
  EXPECT_EQ(detectCharset(file("x")), Charset::none_found);
  LogCapture log;
  EXPECT_EQ(detectCharset(dir_ / "missing.txt"), Charset::none_found);
  EXPECT_TRUE(log.contains("for character encoding. Win32 error: 2"));
}

TEST_F(CharsetTest, OnlyTheFirst1027BytesAreJudged) {
  // A two-byte character whose first byte is byte 1027 is cut off: ANSI.
  EXPECT_EQ(detectCharset(file(std::string(1026, 'a') + "\xC3\xBC")), Charset::ANSI);
  // One byte earlier it fits entirely.
  EXPECT_EQ(detectCharset(file(std::string(1025, 'a') + "\xC3\xBC")), Charset::UTF8_without_BOM);
  // Bad bytes beyond the probe are not seen.
  EXPECT_EQ(detectCharset(file(std::string(1027, 'a') + "\xFF")), Charset::UTF8_without_BOM);
}

TEST_F(CharsetTest, LinesOfEveryEncodingComeOutAsUtf8) {
  std::vector<std::string> lines;
  ASSERT_TRUE(gf_readExtTextFileToStringVector(file("\xEF\xBB\xBF" "first\r\nsecond\n"), lines));
  EXPECT_EQ(lines, (std::vector<std::string>{"first", "second"}));

  lines.clear();
  // "Zü\r\nb" in UTF-16 little endian, then big endian.
  ASSERT_TRUE(gf_readExtTextFileToStringVector(file(std::string("\xFF\xFEZ\x00\xFC\x00\r\x00\n\x00" "b\x00", 12)), lines));
  EXPECT_EQ(lines, (std::vector<std::string>{"Z\xC3\xBC", "b"}));
  lines.clear();
  ASSERT_TRUE(gf_readExtTextFileToStringVector(file(std::string("\xFE\xFF\x00Z\x00\xFC\x00\n\x00" "b", 10)), lines));
  EXPECT_EQ(lines, (std::vector<std::string>{"Z\xC3\xBC", "b"}));

  lines.clear();
  // ANSI text passes byte for byte.
  ASSERT_TRUE(gf_readExtTextFileToStringVector(file("Z\xFCrich\r\n"), lines));
  EXPECT_EQ(lines, (std::vector<std::string>{"Z\xFCrich"}));

  lines.clear();
  LogCapture log;
  // A lone surrogate cannot be converted: no lines, the reason in the log.
  EXPECT_FALSE(gf_readExtTextFileToStringVector(file(std::string("\xFF\xFE\x00\xD8", 4)), lines));
  EXPECT_TRUE(log.contains("gf_readExtTextFileToStringVector Invalid UTF-16 sequence found in input string."));
  EXPECT_FALSE(gf_readExtTextFileToStringVector(file("x"), lines));
  EXPECT_TRUE(lines.empty());
}

TEST(PathElement, TextBetweenTheMarkers) {
  EXPECT_EQ(extractPathElement("<Path>C:\\Scenery\\EHAM</Path>"), "C:\\Scenery\\EHAM");
  EXPECT_EQ(extractPathElement("x<Path></Path><Path>b</Path>"), "");
  EXPECT_EQ(extractPathElement("<Path>open"), "");
  EXPECT_EQ(extractPathElement("no marker</Path>"), "");
}

TEST(UserError, TextCarriesTheCode) {
  EXPECT_STREQ(UserErrorException(61, "empty").what(), "61: empty");
  EXPECT_STREQ(UserErrorException(99, "alone").what(), "alone");
}

class LogTest : public ::testing::Test {
 protected:
  void SetUp() override { clearStopFlags(); }
  void TearDown() override {
    closeLog();
    clearStopFlags();
  }
  TempDir dir_;
};

TEST_F(LogTest, ThreeStartsKeepTwoEarlierLogs) {
  const auto log = dir_ / "Log.txt";
  for (const char* run : {"first", "second", "third"}) {
    openLog(log);
    writeLog(run);
  }
  closeLog();
  EXPECT_NE(test::readFile(dir_ / "Log00.txt").find("first"), std::string::npos);
  EXPECT_NE(test::readFile(dir_ / "Log0.txt").find("second"), std::string::npos);
  const std::string current = test::readFile(log);
  EXPECT_NE(current.find("third"), std::string::npos);
  EXPECT_EQ(current.find("second"), std::string::npos);
  EXPECT_NE(current.find(" (utc) Aeroshadow_P3D version 11.0.2 for Prepar3D v5/v6\n"), std::string::npos);
}

TEST_F(LogTest, QuietLinesStopWithTheSession) {
  openLog(dir_ / "Log.txt");
  writeLogQuiet("before");
  writeLogError("warning");
  requestSessionExit(ExitReason::ReaderError, 15);
  writeLogQuiet("after");
  writeLog("loud");
  closeLog();
  const std::string text = test::readFile(dir_ / "Log.txt");
  EXPECT_NE(text.find("before\n===> warning\nloud\n"), std::string::npos);
  EXPECT_EQ(text.find("after"), std::string::npos);
}

TEST_F(LogTest, UnwritableLogStopsTheStart) {
  EXPECT_THROW(openLog(dir_ / "no-such-folder" / "Log.txt"), std::runtime_error);
}

TEST(StopFlags, TheFirstReasonWins) {
  clearStopFlags();
  EXPECT_FALSE(stopRequested());
  EXPECT_TRUE(requestSessionExit(ExitReason::ReaderError, 15));
  EXPECT_FALSE(requestSessionExit(ExitReason::SimWasClosed, 0));
  EXPECT_EQ(exitReason(), ExitReason::ReaderError);
  EXPECT_EQ(stopFlags().restartDelaySeconds.load(), 15);
  requestProgramClose();
  EXPECT_EQ(exitReason(), ExitReason::ReaderError);
  EXPECT_TRUE(stopFlags().programClosing.load());
  clearStopFlags();
  requestProgramClose();
  EXPECT_EQ(exitReasonName(exitReason()), "USER CLOSED SIM");
  clearStopFlags();
}

class RecordingSurface : public WindowSurface {
 public:
  void fillRect(const Rect&, Colour brush) override { lastBrush = brush; }
  void drawText(int, int, std::string_view text, Colour) override { lastText = text; }
  void invalidate(const Rect&) override { ++invalidations; }
  Colour lastBrush = 0;
  std::string lastText;
  int invalidations = 0;
};

TEST(MessageLine, ErrorsStayUntilClearedAndMessagesAge) {
  clearStopFlags();
  RecordingSurface surface;
  setWindowSurface(&surface);
  MessageLine line;
  line.show("hello", false);
  EXPECT_EQ(line.shownAtTick(), 1);
  EXPECT_EQ(surface.lastBrush, colours::kLimeGreen);
  EXPECT_EQ(surface.lastText, "hello");

  line.showError("broken");
  line.show("ignored", true);
  EXPECT_EQ(line.error(), "broken");
  EXPECT_EQ(line.message(), "");
  EXPECT_EQ(surface.lastBrush, colours::kRed);
  EXPECT_EQ(surface.lastText, "broken");

  line.clearAll();
  line.tick();
  line.show("ageing", false);
  EXPECT_EQ(line.shownAtTick(), 1);
  for (int tick = 0; tick < 24; ++tick) line.tick();
  EXPECT_EQ(line.message(), "ageing");
  line.tick();
  EXPECT_EQ(line.message(), "");
  setWindowSurface(nullptr);
}

TEST(MessageLine, InvalidUtf8IsLoggedNotDrawn) {
  RecordingSurface surface;
  setWindowSurface(&surface);
  LogCapture log;
  drawWindowText(3, 455, "bad \xC3", colours::kYellow);
  EXPECT_TRUE(surface.lastText.empty());
  EXPECT_TRUE(log.contains("conversion exception"));
  setWindowSurface(nullptr);
}

}  // namespace
}  // namespace tfx
