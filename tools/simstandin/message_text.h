#pragma once
// One line of text per client message for the stand-in's message log, naming
// the operation and every field, so checks can read what a client declared.
#include <string>

#include "sim/simconnect/client_messages.h"

namespace tfx::simstandin {

std::string describeRequest(const tfx::simconnect::ClientRequest& request);

}  // namespace tfx::simstandin
