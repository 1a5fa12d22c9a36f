#include "core/xml_values.h"

#include "core/text_trim.h"

namespace tfx {

bool xmlBool(std::string_view text) {
  if (text.empty()) return false;
  const char first = text.front();
  return first == '1' || first == 't' || first == 'T' || first == 'y' || first == 'Y';
}

std::vector<std::string> splitListAttribute(std::string_view text) {
  std::vector<std::string> items;
  if (text.empty()) return items;
  size_t start = 0;
  while (true) {
    const size_t comma = text.find(',', start);
    items.emplace_back(trimBlanks(text.substr(start, comma == std::string_view::npos ? std::string_view::npos
                                                                                   : comma - start)));
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return items;
}

}  // namespace tfx
