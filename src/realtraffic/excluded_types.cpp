#include "realtraffic/excluded_types.h"

namespace tfx {

const std::set<std::string_view, std::less<>>& excludedTypes() {
  static const std::set<std::string_view, std::less<>> types{"BALL", "EMER", "GLID", "GRND", "GND",
                                                             "PARA", "SERV", "SHIP", "VENT"};
  return types;
}

}  // namespace tfx
