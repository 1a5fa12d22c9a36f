#include "aircraft/fltsim_section.h"

#include <fmt/format.h>

#include <algorithm>
#include <cctype>

#include "aircraft/cfg_key_line.h"
#include "core/log.h"
#include "core/text_trim.h"

namespace tfx {
namespace {

constexpr size_t kMaxRegistrationLength = 12;
constexpr std::string_view kPrivateLiveryAirline = "ZZZ";
constexpr std::string_view kPrivateAirline = "PVT";
constexpr std::string_view kRefuelAirline = "RFO";

// The values of one section; a key seen twice keeps its first value.
struct SectionKeys {
  std::optional<std::string_view> title, sim, model, texture, atcId, parkingCodes, parkingTypes;
  bool titleHadTrailingBlanks = false;
};

enum class Repeated { Title, ParkingCodes, ParkingTypes, AtcId };

class SectionReader {
 public:
  SectionReader(std::string_view header, const CfgFileFacts& file, CfgScanContext& context)
      : header_(header), file_(file), context_(context) {}

  std::optional<LiveryData> read(std::span<const std::string> lines);

 private:
  void incomplete(std::string line) { context_.reports.add(ScanReport::IncompleteFltsimSections, std::move(line)); }
  std::string pathText() const { return file_.path.string(); }
  void readKeys(std::span<const std::string> lines);
  void take(std::optional<std::string_view>& slot, std::string_view line, std::string_view key, Repeated repeated);
  void repeatedKey(Repeated repeated);
  std::string airlineFromParkingCodes(bool& codeUnusable);
  std::string airlineFromTitle(std::string_view title) const;
  std::string registration();
  bool filesExist();
  bool fileExists(std::string_view name);

  std::string_view header_;
  const CfgFileFacts& file_;
  CfgScanContext& context_;
  SectionKeys keys_;
};

void SectionReader::take(std::optional<std::string_view>& slot, std::string_view line, std::string_view key,
                         Repeated repeated) {
  const std::optional<std::string_view> value = keyLineValue(line, key);
  if (!value) return;
  if (slot) {
    repeatedKey(repeated);
    return;
  }
  slot = value;
  if (repeated == Repeated::Title) {
    keys_.titleHadTrailingBlanks = !line.empty() && std::isspace(static_cast<unsigned char>(line.back()));
  }
}

void SectionReader::repeatedKey(Repeated repeated) {
  const std::string path = pathText();
  if (file_.ivao) {
    switch (repeated) {
      case Repeated::Title:
        return incomplete(fmt::format("{} {}{}", path, header_, " has more than one title key"));
      case Repeated::ParkingTypes:
        return incomplete(fmt::format("{} {}{}", path, header_, " has more than one atc_parking_types key"));
      case Repeated::AtcId:
        return incomplete(fmt::format("{}, {}, has more than one atc_id key", path, header_));
      case Repeated::ParkingCodes:
        return;
    }
  }
  switch (repeated) {
    case Repeated::Title:
      return incomplete(fmt::format("{} {} has more than one title key", path, header_));
    case Repeated::ParkingCodes:
      return incomplete(fmt::format("{} {} has more than one atc_parking_codes key", path, header_));
    case Repeated::ParkingTypes:
      return incomplete(fmt::format("{} {} has more than one atc_parking_types key", path, header_));
    case Repeated::AtcId:
      return incomplete(fmt::format("{}, {}, has more than one atc_id key", path, header_));
  }
}

void SectionReader::readKeys(std::span<const std::string> lines) {
  for (const std::string& line : lines) {
    // The first letter picks the one key a line can hold, so most lines are
    // looked at once.
    const size_t first = line.find_first_not_of(" \t\v\f\r\n");
    if (first == std::string::npos) continue;
    switch (line[first]) {
      case 't':
        take(keys_.title, line, "title", Repeated::Title);
        if (!keys_.texture) keys_.texture = keyLineValue(line, "texture");
        break;
      case 's':
        if (!keys_.sim) keys_.sim = keyLineValue(line, "sim");
        break;
      case 'm':
        if (!keys_.model) keys_.model = keyLineValue(line, "model");
        break;
      case 'a':
        if (line.find("atc_id=") != std::string::npos) take(keys_.atcId, line, "atc_id", Repeated::AtcId);
        take(keys_.parkingCodes, line, "atc_parking_codes", Repeated::ParkingCodes);
        if (line.find("atc_parking_types") != std::string::npos) {
          take(keys_.parkingTypes, line, "atc_parking_types", Repeated::ParkingTypes);
        }
        break;
      default:
        break;
    }
  }
}

std::string SectionReader::airlineFromParkingCodes(bool& codeUnusable) {
  codeUnusable = !keys_.parkingCodes;
  if (!keys_.parkingCodes) return {};
  std::string code(*keys_.parkingCodes);
  std::transform(code.begin(), code.end(), code.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  // Four-letter parking codes mark the freight (C) or extra (X) stands of the airline.
  if (code.size() == 4 && (code[3] == 'X' || code[3] == 'C')) code.resize(3);
  if (context_.database.validAirline(code) || code == kRefuelAirline) return code;
  context_.reports.add(ScanReport::InvalidAirlineCodes, fmt::format("{:12} in {} ", *keys_.parkingCodes, pathText()));
  codeUnusable = true;
  return {};
}

std::string SectionReader::airlineFromTitle(std::string_view title) const {
  const size_t first = title.find_first_not_of(" \t\v\f\r\n");
  if (first == std::string_view::npos || title.size() - first < 3) return {};
  const std::string_view code = title.substr(first, 3);
  const bool word =
      std::all_of(code.begin(), code.end(), [](unsigned char c) { return std::isalnum(c) != 0 || c == '_'; });
  return word && context_.database.validAirline(code) ? std::string(code) : std::string();
}

// Empty when there is no atc_id, when it lists several aircraft, or when it
// is unusable (reported).
std::string SectionReader::registration() {
  if (!keys_.atcId) return std::string();
  const std::string_view value = keys_.atcId->substr(0, keys_.atcId->find(';'));
  std::vector<std::string_view> items;
  size_t start = 0;
  while (true) {
    const size_t comma = value.find(',', start);
    items.push_back(trimBlanks(value.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start)));
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  const bool invalid = std::any_of(items.begin(), items.end(), [](std::string_view item) {
    return item.empty() || item.size() > kMaxRegistrationLength || item.find('*') != std::string_view::npos;
  });
  if (invalid) {
    incomplete(fmt::format(fmt::runtime(file_.ivao ? "invalid atc_id={} in {}" : "invalid atc_id={} in: {}"), *keys_.atcId,
                           pathText()));
    return {};
  }
  return items.size() == 1 ? std::string(items.front()) : std::string();
}

bool SectionReader::fileExists(std::string_view name) {
  if (context_.exists(file_.path.parent_path(), name)) return true;
  const std::string missing = (file_.path.parent_path() / std::string(name)).string();
  if (file_.ivao) {
    incomplete(fmt::format("{} does not exist", missing));
  } else {
    incomplete(fmt::format("{} or related path does not exist: {}", missing, pathText()));
  }
  return false;
}

bool SectionReader::filesExist() {
  // An empty or missing model= names the folder "model." that Windows finds as "model".
  return fileExists(fmt::format("model.{}", keys_.model.value_or(""))) &&
         fileExists(fmt::format("texture.{}", keys_.texture.value_or(""))) &&
         fileExists(fmt::format("{}.air", keys_.sim.value_or("")));
}

std::optional<LiveryData> SectionReader::read(std::span<const std::string> lines) {
  readKeys(lines);
  if (!keys_.title) {
    incomplete(fmt::format("{} {} misses title", pathText(), header_));
    return std::nullopt;
  }
  const std::string title(trimBlanks(*keys_.title));
  if (keys_.titleHadTrailingBlanks) {
    if (file_.ivao) {
      writeLog(fmt::format("removed spaces around title '{}' --> '{}'", *keys_.title, title));
    } else {
      writeLogError(fmt::format("There are spaces around title: \"{}\"", title));
      writeLog(fmt::format("removed spaces around: \"{}\" -> \"{}\"", title, title));
    }
  }
  bool codeUnusable = false;
  std::string airline = file_.ivao ? airlineFromTitle(title) : airlineFromParkingCodes(codeUnusable);
  if (file_.ivao) codeUnusable = airline.empty();
  const bool cargo = keys_.parkingTypes && keys_.parkingTypes->find("CARGO") != std::string_view::npos;
  std::string registration = this->registration();
  if (!filesExist()) return std::nullopt;
  if (context_.dontUseTitles.contains(title)) return std::nullopt;
  if (airline == kPrivateLiveryAirline) registration.clear();

  if (airline.empty()) {
    const bool heavy = context_.database.acCategory(file_.type) == AircraftCategory::Heavy;
    if (!registration.empty()) {
      const std::optional<RegcodeRecord> record = context_.database.findRegcode(registration);
      if (record && !record->airline.empty()) {
        airline = record->airline;
      } else if (heavy) {
        incomplete(file_.ivao ? fmt::format("{} {} misses airlinecode in title: {}, and regcode unknown ", pathText(),
                                            header_, title)
                              : fmt::format("'{}' '{}' has no airline and regcode not in dbase", pathText(), header_));
        return std::nullopt;
      } else {
        airline = kPrivateAirline;
      }
      if (codeUnusable && !file_.ivao) {
        incomplete(fmt::format("{} {} icao_airline is missing, or it has invalid info ", pathText(), header_));
      }
    } else if (heavy) {
      incomplete(file_.ivao
                     ? fmt::format("{} {} misses airlinecode in title: {}, and no regcode", pathText(), header_, title)
                     : fmt::format("'{}' '{}' has no airline and no regcode info", pathText(), header_));
      return std::nullopt;
    } else {
      airline = kPrivateAirline;
      const auto& shortRegistrations = context_.database.shortRegistrations();
      const auto painted = std::find_if(shortRegistrations.begin(), shortRegistrations.end(),
                                        [&](const std::string& candidate) { return title.find(candidate) != std::string::npos; });
      if (painted != shortRegistrations.end()) registration = *painted;
    }
  }

  if (!context_.reports.claimTitle(title)) {
    incomplete(file_.ivao ? fmt::format("{} {} title already exists: {}", pathText(), header_, title)
                          : fmt::format("{} {} title '{}' already exists", pathText(), header_, title));
    return std::nullopt;
  }
  return LiveryData{std::move(airline), file_.type, title, std::move(registration), file_.folderIndex, cargo};
}

}  // namespace

std::optional<LiveryData> lf_procesFltSimSection(std::span<const std::string> lines, std::string_view header,
                                                 const CfgFileFacts& file, CfgScanContext& context) {
  return SectionReader(header, file, context).read(lines);
}

}  // namespace tfx
