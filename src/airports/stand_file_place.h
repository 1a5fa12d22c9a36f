#pragma once
// Where an airport's stand file and its learned file are found.
#include <string>
#include <string_view>

#include "data/download_site.h"

namespace tfx::airports {

// The stand files of the download site lie below this folder of its base.
inline constexpr std::string_view kStandFileSiteFolder = "P3D/";

// The stand file for an airport code: a link or file in airports/my_thirdparty,
// then in airports/my_ORBX, then the download site's archive/stock/CODE.xml
// (probed by fetching it); empty when there is none.
std::string gf_findAirportFile(std::string_view code, std::string_view baseUrl = kDownloadBaseUrl);

// The learned file beside a stand file found by gf_findAirportFile.
std::string gf_learnedFilePath(std::string_view standFile, std::string_view publisher);

// Whether a name from gf_findAirportFile is a file of the install folder
// (else it names a file on the download site).
bool isLocalStandFile(std::string_view standFile);

}  // namespace tfx::airports
