#include "webwindow/web_api.h"

#include "api_fixture.h"
#include "core/log.h"
#include "webwindow/window_json.h"

namespace tfx::webwindow {
namespace {

using WebApiRoutes = ApiFixture;

TEST_F(WebApiRoutes, ThePageAndItsAssets) {
  const WebResponse page = get("/");
  EXPECT_EQ(page.status, 200);
  EXPECT_EQ(page.contentType, "text/html; charset=utf-8");
  EXPECT_NE(page.body.find("<title>Aeroshadow_P3D 11.0.2</title>"), std::string::npos);
  EXPECT_EQ(get("/assets/window.js").contentType, "text/javascript; charset=utf-8");
  EXPECT_EQ(get("/assets/picture.js").status, 200);
  EXPECT_EQ(get("/assets/missing.js").status, 404);
  EXPECT_EQ(get("/api/nothing").status, 404);
  EXPECT_EQ(post("/api/window", "{}").status, 404);
}

TEST_F(WebApiRoutes, TheWindowWithEveryControlInRowOrder) {
  const WebResponse response = get("/api/window");
  EXPECT_EQ(response.status, 200);
  EXPECT_EQ(response.contentType, "application/json");
  const auto window = body(response);
  EXPECT_EQ(window["title"], "Aeroshadow_P3D 11.0.2");
  ASSERT_EQ(window["controls"].size(), 40u);
  EXPECT_EQ(window["controls"][0]["kind"], "text");
  EXPECT_EQ(window["controls"][0]["setting"], "ALL_INSTALL_PATH");
  EXPECT_EQ(window["controls"][1].dump(),
            R"({"checked":true,"enabled":true,"id":32797,"kind":"check","label":"Scan for liveries",)"
            R"("setting":"SCAN_LIVERIES","y":147})");
  const auto range = controlOf(response, 32818);
  EXPECT_EQ(range["label"], "Radius:");
  EXPECT_EQ(range["selected"], 40);
  EXPECT_EQ(range["values"].size(), 20u);
  EXPECT_TRUE(controlOf(response, 32829)["setting"].is_null());
  EXPECT_EQ(controlOf(response, 32855)["text"], "24.0");
  EXPECT_EQ(controlOf(response, 32848)["label"], "");
  EXPECT_EQ(window["message"]["brush"], "#32cd32");
  EXPECT_EQ(window["message"]["error"], false);
  EXPECT_EQ(window["topmost"], false);
}

TEST_F(WebApiRoutes, TheFieldOrderIsTheDocumentedOne) {
  const std::string text = windowJsonText(model_);
  EXPECT_EQ(text.find(R"({"revision":)"), 0u);
  EXPECT_NE(text.find(R"({"id":32797,"kind":"check","y":147,"label":"Scan for liveries","setting":"SCAN_LIVERIES",)"
                      R"("enabled":true,"checked":true})"),
            std::string::npos);
}

TEST_F(WebApiRoutes, ColoursAreWrittenRedGreenBlue) {
  EXPECT_EQ(cssColour(colours::kLightBlue), "#99ccff");
  EXPECT_EQ(cssColour(colours::kRed), "#ff0000");
  EXPECT_EQ(cssColour(colours::kYellow), "#ffff00");
}

TEST_F(WebApiRoutes, HostAndOriginGuardEveryPath) {
  for (const char* host : {"127.0.0.1:10750", "localhost:10750", "[::1]:10750"}) EXPECT_EQ(get("/", host).status, 200);
  for (const char* host : {"evil.example:10750", "127.0.0.1:10751", "127.0.0.1", ""}) {
    EXPECT_EQ(get("/api/window", host).status, 403) << host;
  }
  WebRequest request{"GET", "/api/window", "127.0.0.1:10750", "http://evil.example", "", ""};
  EXPECT_EQ(api_.handle(request).status, 403);
  request.origin = "http://127.0.0.1:10750";
  EXPECT_EQ(api_.handle(request).status, 200);
  WebApi lan(model_, picture_, port_, true);
  lan.setPort(10750);
  EXPECT_EQ(lan.handle({"GET", "/", "192.168.1.20:10750", std::nullopt, "", ""}).status, 200);
  EXPECT_EQ(lan.handle({"GET", "/", "192.168.1.20:10750", "http://evil.example", "", ""}).status, 403);
}

TEST_F(WebApiRoutes, RefusalsAreLoggedOnceAMinutePerReason) {
  LogCapture log;
  get("/", "evil.example");
  get("/", "evil.example");
  post("/api/command", "{}", "text/plain");
  EXPECT_EQ(log.count("===> Web window: GET / refused: host 'evil.example'"), 1u);
  EXPECT_EQ(log.count("===> Web window: POST /api/command refused: not JSON"), 1u);
}

TEST_F(WebApiRoutes, CommandsClickPickAndType) {
  auto response = post("/api/command", R"({"id":32779})");
  EXPECT_EQ(response.status, 200);
  EXPECT_EQ(controlOf(response, 32779)["checked"], false);
  EXPECT_EQ(stored("LOG"), "false");
  response = post("/api/command", R"({"id":32847,"value":25})");
  EXPECT_EQ(controlOf(response, 32847)["selected"], 25);
  EXPECT_EQ(stored("MAX_LIVE_SEL"), "25");
  // "Radius:" waits while "Auto range" is ticked.
  EXPECT_EQ(post("/api/command", R"({"id":32818,"value":65})").status, 409);
  response = post("/api/command", R"({"id":32853,"text":"150"})", "application/json; charset=utf-8");
  EXPECT_EQ(controlOf(response, 32853)["text"], "47");
  EXPECT_EQ(body(response)["message"]["text"], "The new MAX_FIT is 47");
}

TEST_F(WebApiRoutes, RefusedCommandsChangeNothing) {
  const std::string big(kMaxCommandBytes + 1, ' ');
  const std::vector<std::pair<std::string, int>> refused = {
      {"{", 400},
      {"[32779]", 400},
      {R"({"id":"32779"})", 400},
      {R"({"id":32779,"extra":1})", 400},
      {R"({"id":32818,"value":7})", 400},
      {R"({"id":32818,"value":"65"})", 400},
      {R"({"id":32818})", 400},
      {R"({"id":32779,"value":1})", 400},
      {R"({"id":32853,"text":"1\n2"})", 400},
      {R"({"id":32853,"text":")" + std::string(261, '4') + R"("})", 400},
      {R"({"id":32853,"value":4,"text":"4"})", 400},
      {R"({"id":12345})", 404},
      {R"({"id":32838})", 409},
      {big, 413},
  };
  showMessage("before", false);
  const uint64_t revision = model_.revision();
  for (const auto& [request, status] : refused) {
    const WebResponse response = post("/api/command", request);
    EXPECT_EQ(response.status, status) << request.substr(0, 80);
    EXPECT_TRUE(body(response).contains("error"));
  }
  EXPECT_EQ(post("/api/command", R"({"id":32779})", "text/plain").status, 415);
  EXPECT_EQ(model_.revision(), revision);
  EXPECT_EQ(strip(), "before");
  EXPECT_EQ(RANGE.value(), 40);
  EXPECT_TRUE(LOG.value());
}

class SilentWindow final : public WindowPort {
 public:
  bool runCommand(const WindowInput&, std::chrono::milliseconds) override { return false; }
  void pressCloseButton() override {}
};

TEST_F(WebApiRoutes, AWindowThatDoesNotAnswerGives503) {
  SilentWindow silent;
  WebApi api(model_, picture_, silent, false);
  api.setPort(10750);
  EXPECT_EQ(api.handle({"POST", "/api/command", "127.0.0.1:10750", std::nullopt, "application/json", R"({"id":32779})"})
                .status,
            503);
}

TEST_F(WebApiRoutes, CloseIsTheCloseButton) {
  const WebResponse response = post("/api/close", "");
  EXPECT_EQ(response.status, 202);
  EXPECT_EQ(response.body, R"({"closing":true})");
  EXPECT_TRUE(port_.closePressed());
}

TEST_F(WebApiRoutes, TheTrafficPicture) {
  auto traffic = body(get("/api/traffic"));
  EXPECT_TRUE(traffic["user"].is_null());
  EXPECT_TRUE(traffic["park_airport"].is_null());
  EXPECT_EQ(traffic["aircraft"].size(), 0u);
  picture_.back().user = ui::PictureUser{.lat = 47.46, .lon = 8.55, .onGround = true};
  picture_.back().radiusNm = 40;
  picture_.back().aircraft.push_back({.hexid = 0x4b1805,
                                      .callsign = "SWR12",
                                      .registration = "<img src=x onerror=alert(1)>",
                                      .state = "active",
                                      .phase = "flying",
                                      .stand = 12,
                                      .livery = "Airbus A320 SWISS"});
  picture_.publish();
  traffic = body(get("/api/traffic"));
  EXPECT_EQ(traffic["revision"], 1);
  EXPECT_EQ(traffic["user"]["on_ground"], true);
  EXPECT_EQ(traffic["radius_nm"], 40.0);
  const auto& aircraft = traffic["aircraft"][0];
  EXPECT_EQ(aircraft["hexid"], 0x4b1805);
  EXPECT_EQ(aircraft["kind"], "live");
  EXPECT_EQ(aircraft["registration"], "<img src=x onerror=alert(1)>");
  EXPECT_EQ(aircraft["stand"], 12);
  EXPECT_EQ(aircraft["livery"], "Airbus A320 SWISS");
  for (const char* name :
       {"type", "airline", "origin", "destination", "lat", "lon", "alt_ft", "heading_deg", "speed_kt", "on_ground"}) {
    EXPECT_TRUE(aircraft.contains(name)) << name;
  }
}

TEST_F(WebApiRoutes, TheEventPathAsksForAStream) {
  const WebResponse response = get("/api/events");
  EXPECT_TRUE(response.stream);
  EXPECT_EQ(response.contentType, "text/event-stream");
}

}  // namespace
}  // namespace tfx::webwindow
