#pragma once
// The program's folders and the fixed names of its data and report files.
// Paths inside the install folder are relative: the install folder is the
// current folder while the program runs.
#include <atomic>
#include <filesystem>
#include <string_view>

namespace tfx {
namespace paths {

inline const std::filesystem::path docs{"docs"};
inline const std::filesystem::path input{"input"};
inline const std::filesystem::path dbaseEnc{"input/dbase.enc"};
inline const std::filesystem::path dbaseXml{"input/dbase.xml"};
inline const std::filesystem::path aigRegcodesEnc{"input/AIG-regcodes.enc"};
inline const std::filesystem::path aigRegcodesXml{"input/AIG-regcodes.xml"};
inline const std::filesystem::path myRegcodes{"input/my_regcodes"};
inline const std::filesystem::path airports{"airports"};
inline const std::filesystem::path learned{"airports/learned"};
inline const std::filesystem::path learnedStock{"airports/learned/stock"};
inline const std::filesystem::path learnedSimaddon{"airports/learned/simaddon"};
inline const std::filesystem::path learnedThirdparty{"airports/learned/thirdparty"};
inline const std::filesystem::path myOrbx{"airports/my_ORBX"};
inline const std::filesystem::path myThirdparty{"airports/my_thirdparty"};
// Generated stand files waiting to be sent to the maker for offline learning.
inline const std::filesystem::path tblo{"TBLO"};
inline const std::filesystem::path myParkAirports{"airports/my_park_airports.txt"};
inline const std::filesystem::path airportDatabase{"input/airports_p3d.xml"};
inline const std::filesystem::path output{"output"};
inline const std::filesystem::path liveriesScanned{"output/LiveriesScanned.xml"};
inline const std::filesystem::path outputInfo{"output/info"};
inline const std::filesystem::path outputErrors{"output/errors"};
inline const std::filesystem::path installNewVersion{"install_new_version.exe"};
inline const std::filesystem::path logFile{"Log.txt"};

// Reports in output/info.
inline constexpr std::string_view kAirportsScanLog = "AirportsScanLog.txt";
inline constexpr std::string_view kAircraftCfgWithNoFltsimSection = "AircraftCfgWithNoFltsimSection.txt";
inline constexpr std::string_view kAirlineModelConversions = "AirlineModelConversions.txt";
inline constexpr std::string_view kOfflineRegcodes = "OfflineRegcodes.txt";
// Reports in output/errors.
inline constexpr std::string_view kInlineRegcodes = "InlineRegcodes.txt";
inline constexpr std::string_view kInvalidAirlineCodes = "InvalidAirlineCodes.txt";
inline constexpr std::string_view kInvalidAircraftCodes = "InvalidAircraftCodes.txt";
inline constexpr std::string_view kFixes = "Fixes.txt";
inline constexpr std::string_view kInvalidAircraftCfgFiles = "InvalidAircraftCfgFiles.txt";
inline constexpr std::string_view kIncompleteFltsimSections = "IncompleFltsimSections.txt";

}  // namespace paths

// The roaming application-data folder; empty (after logging "Could not find
// the AppData path") when the platform has none.
std::filesystem::path appDataFolder();
// The per-user data folder: <AppData>/Aeroshadow_P3D.
std::filesystem::path dataFolder();
std::filesystem::path parametersFile();
std::filesystem::path origDestFolder();

// Creates the per-user data folder; a failure raises a runtime error
// "Failed to create directory: {}".
void createDataFolder();

// First step of the start: the docs folder must be in the current folder.
void checkStartFolder();

// The install folder tree, created where missing.
void createProgramFolders();

// The simulator's stock scenery folder: SIM_INSTALL_PATH/Scenery; raises
// "Stock airports path does not exist: {}" when it is missing.
std::filesystem::path checkStockScenery();

// Whether the RealTraffic client is installed on this computer.
std::atomic<bool>& realTrafficPresent();
void detectRealTraffic();

}  // namespace tfx
