#pragma once
// Numbers of the traffic feed: plain decimal text such as "-640", "47.4560495"
// or "1733419378.00", read many million times a minute.
#include <optional>
#include <string_view>

namespace tfx {

// The whole text as a finite decimal floating-point number, exactly as
// std::from_chars reads it; nullopt for anything else (blanks, trailing text,
// "nan", "inf", out of range).
std::optional<double> parseDecimal(std::string_view text);

}  // namespace tfx
