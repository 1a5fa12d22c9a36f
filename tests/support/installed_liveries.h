#pragma once
// A small AI package registered where the automatic livery scan looks, so a
// started program finds liveries as on a user's machine.
#include <filesystem>

namespace tfx::test {

// The package goes to PACKAGE; add-ons.cfg for Prepar3D v5 and v6 below
// APPDATA (the roaming application-data folder) names it.
void installAddOnLiveries(const std::filesystem::path& appData, const std::filesystem::path& package);

}  // namespace tfx::test
