#include "scan/bgl_values.h"

#include <algorithm>
#include <cmath>

namespace tfx::scan {
namespace {

constexpr std::uint32_t kIdentBase = 38;
constexpr double kLongitudeUnits = 805306368.0;  // 3 * 2^28 for 360 degrees
constexpr double kLatitudeUnits = 536870912.0;   // 2 * 2^28 for 180 degrees

char identCharacter(std::uint32_t digit) {
  if (digit == 0) return ' ';
  if (digit >= 2 && digit <= 11) return static_cast<char>(digit + 46);
  return static_cast<char>(digit + 53);
}

std::uint32_t identDigit(char character) {
  if (character >= '0' && character <= '9') return static_cast<std::uint32_t>(character - 46);
  return static_cast<std::uint32_t>(character - 53);
}

// Length of the UTF-8 sequence a lead byte opens; 0 for a byte that opens none.
std::size_t sequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

bool continuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The length of the text up to a sequence cut short at its end, or npos when
// the text is no UTF-8. Overlong forms and surrogates count as no UTF-8.
std::size_t utf8Prefix(std::span<const unsigned char> text) {
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t length = sequenceLength(text[at]);
    if (length == 0) return std::string::npos;
    const std::size_t available = std::min(length, text.size() - at);
    for (std::size_t i = 1; i < available; ++i) {
      if (!continuation(text[at + i])) return std::string::npos;
    }
    if (length >= 3 && available >= 2) {
      const unsigned char lead = text[at];
      const unsigned char next = text[at + 1];
      if ((lead == 0xE0 && next < 0xA0) || (lead == 0xED && next > 0x9F) || (lead == 0xF0 && next < 0x90) ||
          (lead == 0xF4 && next > 0x8F)) {
        return std::string::npos;
      }
    }
    if (available < length) return at;
    at += length;
  }
  return at;
}

}  // namespace

DecodedIdent lf_decodeIdentifierOrRegionCode(std::uint32_t packed) {
  std::uint32_t value = packed >> 5;
  std::string reversed;
  while (value > kIdentBase - 1) {
    reversed.push_back(identCharacter(value % kIdentBase));
    value /= kIdentBase;
  }
  reversed.push_back(identCharacter(value));
  DecodedIdent ident{std::string(reversed.rbegin(), reversed.rend()), false};
  ident.valid = ident.text.size() == 4 && ident.text.find(' ') == std::string::npos;
  return ident;
}

std::uint32_t packIdent(std::string_view ident) {
  std::uint32_t value = 0;
  for (const char character : ident) value = value * kIdentBase + identDigit(character);
  return value << 5;
}

double unpackLongitude(std::uint32_t packed) { return packed * 360.0 / kLongitudeUnits - 180.0; }
double unpackLatitude(std::uint32_t packed) { return 90.0 - packed * 180.0 / kLatitudeUnits; }

std::uint32_t packLongitude(double longitude) {
  return static_cast<std::uint32_t>(std::llround((longitude + 180.0) * kLongitudeUnits / 360.0));
}

std::uint32_t packLatitude(double latitude) {
  return static_cast<std::uint32_t>(std::llround((90.0 - latitude) * kLatitudeUnits / 180.0));
}

int altitudeFeet(std::int32_t elevationMm) {
  const long feet = std::lround(elevationMm * 3.2808399 / 1000.0);
  return feet < -20 || feet > 10000 ? 0 : static_cast<int>(feet);
}

std::string airportNameText(std::span<const std::byte> field) {
  std::span<const unsigned char> text(reinterpret_cast<const unsigned char*>(field.data()),
                                      std::min(field.size(), kNameBytes));
  text = text.first(static_cast<std::size_t>(std::find(text.begin(), text.end(), 0) - text.begin()));
  if (const std::size_t valid = utf8Prefix(text); valid != std::string::npos) {
    return std::string(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(valid));
  }
  std::string latin1;
  for (const unsigned char byte : text) {
    if (byte < 0x80) {
      latin1.push_back(static_cast<char>(byte));
    } else {
      latin1.push_back(static_cast<char>(0xC0 | (byte >> 6)));
      latin1.push_back(static_cast<char>(0x80 | (byte & 0x3F)));
    }
  }
  return latin1;
}

}  // namespace tfx::scan
