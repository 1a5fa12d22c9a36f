#pragma once
// The web API over a window built from the defaults, its commands run inline.
#include <nlohmann/json.hpp>

#include "../ui/window_fixture.h"
#include "webwindow/inline_window_port.h"
#include "webwindow/web_api.h"

namespace tfx::webwindow {

class ApiFixture : public ui::WindowFixture {
 protected:
  WebResponse get(const std::string& path, const std::string& host = "127.0.0.1:10750") {
    return api_.handle({"GET", path, host, std::nullopt, "", ""});
  }
  WebResponse post(const std::string& path, const std::string& body, const std::string& type = "application/json") {
    return api_.handle({"POST", path, "127.0.0.1:10750", std::nullopt, type, body});
  }
  static nlohmann::json body(const WebResponse& response) { return nlohmann::json::parse(response.body); }
  nlohmann::json controlOf(const WebResponse& response, ControlId id) {
    const nlohmann::json window = body(response);
    for (const auto& control : window["controls"]) {
      if (control["id"] == id) return control;
    }
    return nullptr;
  }

  void SetUp() override {
    WindowFixture::SetUp();
    api_.setPort(10750);
  }

  InlineWindowPort port_{context_};
  WebApi api_{model_, picture_, port_, false};
};

}  // namespace tfx::webwindow
