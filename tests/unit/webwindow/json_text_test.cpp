// The JSON writer of the window and the traffic picture: what it writes
// reads back as written, whatever the texts hold.
#include "webwindow/json_text.h"

#include <gtest/gtest.h>

#include <limits>
#include <nlohmann/json.hpp>

namespace tfx::webwindow {
namespace {

TEST(JsonText, NestedMembersAndArraysAreSeparatedByCommas) {
  JsonText json;
  json.beginObject().member("a", 1).key("b").beginArray().value(true).null().beginObject().endObject().endArray();
  json.member("c", std::optional<uint32_t>()).member("d", std::optional<uint32_t>(7)).endObject();
  EXPECT_EQ(json.take(), R"({"a":1,"b":[true,null,{}],"c":null,"d":7})");
}

TEST(JsonText, TextsAreEscapedAndBytesThatAreNoUtf8Replaced) {
  for (const std::string& text : {std::string("plain HB-JVA"), std::string("quote \" and \\ backslash"),
                                 std::string("tab\tline\nend\x01"), std::string("Z\xc3\xbcrich"),
                                 std::string("<img src=x onerror=alert(1)>")}) {
    JsonText json;
    json.beginArray().value(text).endArray();
    EXPECT_EQ(nlohmann::json::parse(json.take())[0], text) << text;
  }
  JsonText broken;
  broken.beginArray().value(std::string_view("bad \xff\xfe end")).endArray();
  const auto read = nlohmann::json::parse(broken.take())[0].get<std::string>();
  EXPECT_TRUE(read.starts_with("bad ")) << read;
  EXPECT_NE(read.find("\xef\xbf\xbd"), std::string::npos) << "replacement character";
}

TEST(JsonText, NumbersReadBackExactlyAndNonFiniteOnesAreNull) {
  const double values[] = {47.458056, -0.1, 1e-9, 3000.0, 123456789.123};
  for (const double value : values) {
    JsonText json;
    json.beginArray().value(value).endArray();
    EXPECT_EQ(nlohmann::json::parse(json.take())[0].get<double>(), value);
  }
  JsonText json;
  json.beginArray()
      .value(std::numeric_limits<double>::quiet_NaN())
      .value(std::numeric_limits<double>::infinity())
      .value(std::numeric_limits<uint64_t>::max())
      .value(int64_t{-5})
      .endArray();
  EXPECT_EQ(json.take(), "[null,null,18446744073709551615,-5]");
}

}  // namespace
}  // namespace tfx::webwindow
