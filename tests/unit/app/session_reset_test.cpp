#include "app/session_reset.h"

#include <gtest/gtest.h>

#include "core/message_line.h"
#include "core/parameters.h"
#include "realtraffic/published_qnh.h"
#include "realtraffic/realtraffic_status.h"
#include "runstate/stop_flags.h"
#include "test_support.h"

namespace tfx::app {
namespace {

TEST(SessionReset, EverythingThatOutlivesASessionIsPutBack) {
  test::resetProgramState();
  requestSessionExit(ExitReason::ReaderError, 15);
  showError("The Traffic Reader has stopped with error: 10048");
  publishedQnh() = 987;
  realTrafficStatus().connected = true;
  realTrafficStatus().professional = true;
  realTrafficStatus().setEditionText("RT2 edition: professional");
  RANGE.set(60);
  trafficRadius().nm = 10;

  resetSessionState();

  EXPECT_FALSE(stopRequested());
  EXPECT_EQ(exitReason(), ExitReason::NotYetSet);
  EXPECT_EQ(messageLine().error(), "");
  EXPECT_EQ(publishedQnh().load(), kStandardQnh);
  EXPECT_FALSE(realTrafficStatus().connected.load());
  EXPECT_FALSE(realTrafficStatus().professional.load()) << "a standard client after the restart gets no sim time";
  EXPECT_EQ(realTrafficStatus().editionText(), "");
  EXPECT_DOUBLE_EQ(trafficRadius().nm.load(), 60.0);
  test::resetProgramState();
}

}  // namespace
}  // namespace tfx::app
