#pragma once
// How well a stand file knows its airport's week: the real and soft quality factors.
#include <span>
#include <string>

#include "airports/stand.h"

namespace tfx::airports {

// (-1, -1) when no stand has an option.
QualityFactor gf_qualityFactor(std::span<const Stand> stands);

// "{:2}/{:2}" of real and soft, or "{:2}" of real alone when soft is -1.
std::string qualityText(const QualityFactor& quality);

}  // namespace tfx::airports
