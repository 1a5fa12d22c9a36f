#include "aircraft/cfg_key_line.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <regex>
#include <string>

namespace tfx {
namespace {

std::optional<std::string> byPattern(const std::string& line, const std::string& key) {
  static std::map<std::string, std::regex> patterns;
  auto [entry, added] = patterns.try_emplace(key);
  if (added) entry->second = std::regex("\\s*(" + key + ")\\s*=\\s*(.*\\S)\\s*");
  const std::regex& pattern = entry->second;
  std::smatch match;
  if (!std::regex_match(line, match, pattern)) return std::nullopt;
  return match[2].str();
}

std::optional<std::string> byMatcher(const std::string& line, const std::string& key) {
  const auto value = keyLineValue(line, key);
  return value ? std::optional<std::string>(std::string(*value)) : std::nullopt;
}

TEST(CfgKeyLine, AcceptsExactlyTheLinesOfThePattern) {
  const std::vector<std::string> lines = {
      "title=KLM B738",      "  title = KLM B738  ", "\ttitle\t=\tKLM\t", "//title=KLM", ";title=x",
      "title=",              "title=   ",           "titles=KLM",        "Title=KLM",  "title KLM",
      "title==x",            "title= a b c ",       "title=x\ry",        "title=x\r",  " title=\"quoted\" ; note",
      "xtitle=1",            "title =\v\fx\v",      "title",             "=x",         "title=\n",
  };
  for (const std::string& line : lines) {
    EXPECT_EQ(byMatcher(line, "title"), byPattern(line, "title")) << '"' << line << '"';
  }
}

TEST(CfgKeyLine, AgreesWithThePatternOnRandomLines) {
  std::mt19937 engine(7);
  const std::string alphabet = "atc_id=model ;/\t\r\v\fxX1*,";
  for (int round = 0; round < 20000; ++round) {
    std::string line;
    const size_t length = engine() % 16;
    for (size_t i = 0; i < length; ++i) line += alphabet[engine() % alphabet.size()];
    if (round % 3 == 0) line = "atc_id" + line;
    EXPECT_EQ(byMatcher(line, "atc_id"), byPattern(line, "atc_id")) << '"' << line << '"';
  }
}

TEST(CfgKeyLine, RecognisesFltsimHeadersInBothSpellings) {
  EXPECT_EQ(fltsimHeaderDigits("[fltsim.0]"), "0");
  EXPECT_EQ(fltsimHeaderDigits("  [FLTSIM.12]  \r"), "12");
  EXPECT_EQ(fltsimHeaderDigits("[fltsim.123456789012345678901234567890]"), "123456789012345678901234567890");
  EXPECT_FALSE(fltsimHeaderDigits("[Fltsim.1]"));
  EXPECT_FALSE(fltsimHeaderDigits("[fltsim.]"));
  EXPECT_FALSE(fltsimHeaderDigits("[fltsim.x]"));
  EXPECT_FALSE(fltsimHeaderDigits("[fltsim.-1]"));
  EXPECT_FALSE(fltsimHeaderDigits("[fltsim.1] ; comment"));
  EXPECT_FALSE(fltsimHeaderDigits("//[fltsim.1]"));
  EXPECT_TRUE(isSectionHeader("  [General]"));
  EXPECT_TRUE(isGeneralHeader(" [GENERAL] "));
  EXPECT_FALSE(isGeneralHeader("[General.1]"));
}

}  // namespace
}  // namespace tfx
