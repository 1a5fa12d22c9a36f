#include "core/xml_text.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "core/fixed_decimals.h"

namespace tfx {
namespace {

// Which bytes of an attribute value are written as references.
constexpr std::array<bool, 256> kEscaped = [] {
  std::array<bool, 256> escaped{};
  for (size_t byte = 0; byte < 32; ++byte) escaped[byte] = true;
  escaped['"'] = escaped['&'] = escaped['<'] = true;
  return escaped;
}();

void appendEscaped(std::string& text, std::string_view value) {
  size_t plain = 0;
  for (size_t at = 0; at < value.size(); ++at) {
    const auto byte = static_cast<unsigned char>(value[at]);
    if (!kEscaped[byte]) continue;
    text.append(value.data() + plain, at - plain);
    plain = at + 1;
    switch (byte) {
      case 0:
        return;
      case '"':
        text += "&quot;";
        break;
      case '&':
        text += "&amp;";
        break;
      case '<':
        text += "&lt;";
        break;
      default:
        text += "&#";
        text += static_cast<char>('0' + byte / 10);
        text += static_cast<char>('0' + byte % 10);
        text += ';';
    }
  }
  text.append(value.data() + plain, value.size() - plain);
}

}  // namespace

XmlTextWriter::XmlTextWriter(std::string& text) : text_(text) { text_ += "<?xml version=\"1.0\"?>\n"; }

void XmlTextWriter::open(std::string_view name) {
  endStartTag();
  text_.append(open_.size(), '\t');
  text_ += '<';
  text_ += name;
  open_.push_back(name);
  inStartTag_ = true;
}

void XmlTextWriter::attribute(std::string_view name, std::string_view value) {
  startAttribute(name);
  appendEscaped(text_, value);
  text_ += '"';
}

void XmlTextWriter::decimalAttribute(std::string_view name, double value, int decimals) {
  startAttribute(name);
  appendFixedDecimals(text_, value, decimals);
  text_ += '"';
}

void XmlTextWriter::integerAttribute(std::string_view name, long long value) {
  startAttribute(name);
  std::array<char, 24> digits{};
  text_.append(digits.data(), std::to_chars(digits.data(), digits.data() + digits.size(), value).ptr);
  text_ += '"';
}

void XmlTextWriter::close() {
  const std::string_view name = open_.back();
  open_.pop_back();
  if (inStartTag_) {
    text_ += " />\n";
    inStartTag_ = false;
    return;
  }
  text_.append(open_.size(), '\t');
  text_ += "</";
  text_ += name;
  text_ += ">\n";
}

void XmlTextWriter::element(std::string_view name, std::string_view attributes) {
  endStartTag();
  text_.append(open_.size(), '\t');
  text_ += '<';
  text_ += name;
  text_ += attributes;
  text_ += " />\n";
}

bool XmlTextWriter::plain(std::string_view value) {
  return std::none_of(value.begin(), value.end(), [](char byte) { return kEscaped[static_cast<unsigned char>(byte)]; });
}

void XmlTextWriter::startAttribute(std::string_view name) {
  text_ += ' ';
  text_ += name;
  text_ += "=\"";
}

void XmlTextWriter::endStartTag() {
  if (!inStartTag_) return;
  text_ += ">\n";
  inStartTag_ = false;
}

}  // namespace tfx
