#include "core/window_surface.h"

#include <fmt/format.h>

#include <atomic>
#include <cerrno>
#include <stdexcept>

#include "core/log.h"
#include "core/utf.h"

namespace tfx {
namespace {

std::atomic<WindowSurface*> installedSurface{nullptr};

}  // namespace

void setWindowSurface(WindowSurface* surface) { installedSurface = surface; }

WindowSurface* windowSurface() { return installedSurface.load(); }

void repaintStatusArea() {
  if (WindowSurface* surface = windowSurface()) surface->invalidate(kStatusArea);
}

void drawWindowText(int x, int y, std::string_view utf8Text, Colour textColour) {
  try {
    utf8ToUtf16(utf8Text);
  } catch (const std::exception& error) {
    // 1113: the platform's "no mapping for the Unicode character" code.
    writeLog(fmt::format("{} conversion exception {}, error code: {}", utf8Text, error.what(), 1113));
    return;
  }
  if (WindowSurface* surface = windowSurface()) surface->drawText(x, y, utf8Text, textColour);
}

}  // namespace tfx
