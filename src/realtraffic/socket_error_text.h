#pragma once
// The texts every socket message of the RealTraffic link shows for an error number.
#include <string>

namespace tfx {

// "{} " with the Windows socket error number, then its text.
std::string socketErrorText(int number);

}  // namespace tfx
