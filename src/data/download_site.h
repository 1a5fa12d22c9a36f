#pragma once
// Where the program's data files are published: data files and versions.json
// lie directly below the base, the airport stand files below its "P3D/".
#include <string_view>

namespace tfx {

inline constexpr std::string_view kDownloadBaseUrl = "https://downloads.aeroshadow-p3d.net/downloads/";

}  // namespace tfx
