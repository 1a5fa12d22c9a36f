#pragma once
// What the program paints into the main window. The window front end installs
// its surface; until then painting goes nowhere.
#include <cstdint>
#include <string_view>

namespace tfx {

// Colour values as 0x00BBGGRR.
using Colour = uint32_t;
namespace colours {
inline constexpr Colour kRed = 0x0000FF;
inline constexpr Colour kLightBlue = 0xFFCC99;
inline constexpr Colour kLimeGreen = 0x32CD32;
inline constexpr Colour kYellow = 0x00FFFF;
inline constexpr Colour kWhite = 0xFFFFFF;
}  // namespace colours

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

class WindowSurface {
 public:
  virtual ~WindowSurface() = default;
  virtual void fillRect(const Rect& area, Colour brush) = 0;
  virtual void drawText(int x, int y, std::string_view utf8Text, Colour textColour) = 0;
  virtual void invalidate(const Rect& area) = 0;
};

void setWindowSurface(WindowSurface* surface);
WindowSurface* windowSurface();

// The status area above the first separator line.
inline constexpr Rect kStatusArea{0, 0, 880, 140};
// The parking's status rows, below the parking controls and above the message strip.
inline constexpr Rect kParkingStatusArea{0, 392, 880, 448};
// Asks the window to paint the status area anew from the current values.
void repaintStatusArea();

// Draws UTF-8 text at (x, y); text that is no valid UTF-8 is logged, not drawn.
void drawWindowText(int x, int y, std::string_view utf8Text, Colour textColour);

}  // namespace tfx
