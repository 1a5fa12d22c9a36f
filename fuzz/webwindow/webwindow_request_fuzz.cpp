// Raw bytes as an HTTP request into the web window's API: parsing, guards,
// routes and command checks on a window built from the defaults. The window
// thread is a recorder, so no handler saves anything.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "webwindow/raw_request.h"

namespace {

class RecordingWindow final : public tfx::webwindow::WindowPort {
 public:
  bool runCommand(const tfx::webwindow::WindowInput& input, std::chrono::milliseconds) override {
    inputs.push_back(input);
    if (inputs.size() > 64) inputs.clear();
    return true;
  }
  void pressCloseButton() override { ++closes; }

  std::vector<tfx::webwindow::WindowInput> inputs;
  int closes = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static tfx::ui::WindowModel model;
  static tfx::ui::TrafficPictureBuffer picture;
  static RecordingWindow window;
  static tfx::webwindow::WebApi api(model, picture, window, false);
  static const bool portSet = (api.setPort(10750), true);
  (void)portSet;
  const tfx::webwindow::WebResponse response =
      tfx::webwindow::handleRawRequest(api, std::string_view(reinterpret_cast<const char*>(data), size));
  if (response.status < 200 || response.status > 599) __builtin_trap();
  return 0;
}
