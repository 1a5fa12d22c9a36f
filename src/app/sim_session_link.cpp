#include "app/sim_session_link.h"

namespace tfx::app {

UserPosition SimSessionLink::userPosition() const {
  const sim::UserState user = session_.userState();
  return {user.pitch, user.bank, user.heading, user.altitude, user.groundSpeed, user.lat, user.lon};
}

}  // namespace tfx::app
