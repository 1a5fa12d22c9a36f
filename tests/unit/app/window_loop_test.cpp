#include "app/window_loop.h"

#include <gtest/gtest.h>

#include <string>

namespace tfx::app {
namespace {

TEST(WindowLoop, HandlesMessagesInOrderUntilTheCloseMessage) {
  std::string seen;
  WindowLoop* self = nullptr;
  WindowLoop loop({.start = [&] { seen += "S"; },
                   .close = [&] { seen += "X"; },
                   .closeRequest =
                       [&] {
                         seen += "R";
                         // The main program answers a close request with the close message.
                         self->post({WindowMessageKind::Close});
                       },
                   .command = [&](const WindowMessage& message) { seen += std::to_string(message.control); },
                   .paint = [&] { seen += "P"; }});
  self = &loop;
  loop.post({WindowMessageKind::Start});
  loop.post({WindowMessageKind::Command, 32819});
  loop.post({WindowMessageKind::Paint});
  loop.post({WindowMessageKind::CloseRequest});
  loop.post({WindowMessageKind::Start});
  loop.run();
  EXPECT_EQ(seen, "S32819PRSX");
}

}  // namespace
}  // namespace tfx::app
