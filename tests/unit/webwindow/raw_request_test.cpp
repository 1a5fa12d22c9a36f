#include "webwindow/raw_request.h"

#include "api_fixture.h"

namespace tfx::webwindow {
namespace {

TEST(RawRequest, RequestLineHeadersAndBody) {
  const auto request = parseRawRequest(
      "POST /api/command?x=1 HTTP/1.1\r\nHost: 127.0.0.1:10750\r\ncontent-type:  application/json \r\n"
      "Origin: http://127.0.0.1:10750\r\nContent-Length: 13\r\n\r\n{\"id\":32779}\nrest");
  ASSERT_TRUE(request);
  EXPECT_EQ(request->method, "POST");
  EXPECT_EQ(request->path, "/api/command");
  EXPECT_EQ(request->host, "127.0.0.1:10750");
  EXPECT_EQ(request->origin, "http://127.0.0.1:10750");
  EXPECT_EQ(request->contentType, "application/json");
  EXPECT_EQ(request->body, "{\"id\":32779}\n");
}

TEST(RawRequest, MalformedRequestsAreNone) {
  for (const char* raw : {"", "GET / HTTP/1.1\r\nHost: x\r\n", "GET /\r\n\r\n", "GET x HTTP/1.1\r\n\r\n",
                          "GET / HTTP/1.1\r\nNoColon\r\n\r\n", "GET / HTTP/1.1\r\nContent-Length: 9\r\n\r\nab",
                          "GET / HTTP/1.1\r\nContent-Length: -1\r\n\r\n", "GET / SPDY\r\n\r\n"}) {
    EXPECT_FALSE(parseRawRequest(raw)) << raw;
  }
}

using RawRequests = ApiFixture;

TEST_F(RawRequests, AMalformedRequestGets400) {
  EXPECT_EQ(handleRawRequest(api_, "nonsense").status, 400);
  EXPECT_EQ(handleRawRequest(api_, "GET /api/window HTTP/1.1\r\nHost: 127.0.0.1:10750\r\n\r\n").status, 200);
}

}  // namespace
}  // namespace tfx::webwindow
