#pragma once
// Every route of the web window and its guards, without sockets: a request
// in, an answer out. The server and the request tool both go through here.
#include <chrono>
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>

#include "core/control_view.h"
#include "ui/traffic_picture.h"
#include "ui/window_model.h"

namespace tfx::webwindow {

inline constexpr size_t kMaxCommandBytes = 4096;
inline constexpr size_t kMaxTypedBytes = 260;
inline constexpr std::chrono::seconds kCommandPatience{2};

struct WebRequest {
  std::string method;
  std::string path;
  std::string host;
  std::optional<std::string> origin;
  std::string contentType;
  std::string body;
};

struct WebResponse {
  int status = 200;
  std::string contentType = "application/json";
  std::string body;
  // The event stream: the server keeps the answer open and sends the events.
  bool stream = false;
};

// What the user does to a control: a click, a list entry picked, a text typed and Enter.
struct WindowInput {
  ControlId id = 0;
  std::optional<int32_t> value;
  std::optional<std::string> text;
};

// How the API reaches the window thread.
class WindowPort {
 public:
  virtual ~WindowPort() = default;
  // The window thread puts the input into the control and runs its handler;
  // false when that did not happen within the patience.
  virtual bool runCommand(const WindowInput& input, std::chrono::milliseconds patience) = 0;
  virtual void pressCloseButton() = 0;
};

class WebApi {
 public:
  // `lan`: any Host is accepted, not only the loopback names.
  WebApi(const ui::WindowModel& model, const ui::TrafficPictureBuffer& picture, WindowPort& window, bool lan)
      : model_(model), picture_(picture), window_(window), lan_(lan) {}

  // The port the Host header must name (the one the server listens on).
  void setPort(uint16_t port) { port_ = port; }

  WebResponse handle(const WebRequest& request);
  // Host and Origin checked: the reason when the request is refused.
  std::optional<std::string> guardRefusal(const WebRequest& request) const;

 private:
  WebResponse command(const WebRequest& request);
  WebResponse refuse(const WebRequest& request, int status, const std::string& reason);

  const ui::WindowModel& model_;
  const ui::TrafficPictureBuffer& picture_;
  WindowPort& window_;
  bool lan_;
  uint16_t port_ = 0;
  std::mutex refusalLock_;
  std::map<std::string, std::chrono::steady_clock::time_point> refusalsLogged_;
};

}  // namespace tfx::webwindow
