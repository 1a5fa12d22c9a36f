#pragma once
// Conversions between the program's UTF-8 and the UTF-16 of Windows interfaces
// and files. Both throw std::runtime_error on an invalid sequence.
#include <string>
#include <string_view>

namespace tfx {

std::string utf16ToUtf8(std::u16string_view text);
std::u16string utf8ToUtf16(std::string_view text);

}  // namespace tfx
