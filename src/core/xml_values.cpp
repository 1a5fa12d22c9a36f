#include "core/xml_values.h"

namespace tfx {
namespace {

std::string_view trimItem(std::string_view item) {
  constexpr std::string_view kBlanks = " \t\r\n";
  const size_t first = item.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  const size_t last = item.find_last_not_of(kBlanks);
  return item.substr(first, last - first + 1);
}

}  // namespace

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
    items.emplace_back(trimItem(text.substr(start, comma == std::string_view::npos ? std::string_view::npos
                                                                                   : comma - start)));
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return items;
}

}  // namespace tfx
