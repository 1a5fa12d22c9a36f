#pragma once
// Numbers with a fixed count of decimals, text for text as fmt's "{:.Nf}"
// writes them, at a fraction of its cost: stand files hold four such
// numbers per stand.
#include <cstddef>
#include <string>

namespace tfx {

// Room for what writeFixedDecimals writes: a sign, a point and at most
// thirteen digits.
inline constexpr std::size_t kFixedDecimalsRoom = 24;

// Whether writeFixedDecimals takes the value: a number below 1e12 once
// scaled by its decimals. Coordinates, headings and radii always are.
bool fixedDecimalsFit(double value, int decimals);

// Writes a value that fixedDecimalsFit, with 0..9 decimals, at `out`, which
// has room for kFixedDecimalsRoom characters; returns the end of the text.
char* writeFixedDecimals(char* out, double value, int decimals);

// Appends any value with 0..9 decimals.
void appendFixedDecimals(std::string& text, double value, int decimals);

}  // namespace tfx
