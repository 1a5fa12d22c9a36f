#pragma once
// Who we are, as every message and file names it.
#include <string_view>

namespace tfx {

inline constexpr std::string_view kProductName = "Aeroshadow_P3D";
inline constexpr std::string_view kSimulatorFamilyText = "Prepar3D v5/v6";
inline constexpr std::string_view kRunningVersionText = "11.0.2";
// Name of the single-instance mutex.
inline constexpr std::string_view kInstanceMutexName = "Local\\$Aeroshadow_P3D$";

}  // namespace tfx
