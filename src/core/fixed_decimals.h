#pragma once
// Numbers with a fixed count of decimals, text for text as fmt's "{:.Nf}"
// writes them, at a fraction of its cost: stand files hold four such
// numbers per stand.
#include <string>

namespace tfx {

// Appends the value with 0..9 decimals.
void appendFixedDecimals(std::string& text, double value, int decimals);

}  // namespace tfx
