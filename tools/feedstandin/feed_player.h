#pragma once
// The sending side of the stand-in: replayed, synthetic and weather datagrams,
// each at its time, until a stop is requested.
#include <cstdint>
#include <map>
#include <vector>

#include "options.h"
#include "recording.h"

namespace feedstandin {

// Datagrams sent per port.
using SendCounts = std::map<uint16_t, int64_t>;

SendCounts playFeed(const Options& options, const std::vector<RecordedDatagram>& recording);

// {"QNH": ...} in the chosen form.
std::string weatherDatagram(int qnhHectopascals, QnhFormat format);

}  // namespace feedstandin
