#include "trace.h"

#include <fmt/format.h>

#include <numbers>

namespace tfx::simstandin {
namespace {
constexpr double kRadToDeg = 180.0 / std::numbers::pi;
}

Trace::Trace(const std::string& traceFile, const std::string& messageLogFile) {
  if (!traceFile.empty()) {
    trace_.open(traceFile, std::ios::trunc);
    trace_ << "time;objectId;title;lat;lon;alt;pitch;bank;heading;onGround\n" << std::flush;
  }
  if (!messageLogFile.empty()) messages_.open(messageLogFile, std::ios::trunc);
}

void Trace::object(double seconds, const SimObject& o, bool onGround) {
  if (!trace_.is_open()) return;
  // Titles may hold commas, never semicolons.
  trace_ << fmt::format("{:.3f};{};{};{:.7f};{:.7f};{:.1f};{:.2f};{:.2f};{:.2f};{}\n", seconds, o.id, o.title,
                        o.latitude, o.longitude, o.altitudeFeet, o.pitch * kRadToDeg, o.bank * kRadToDeg,
                        o.heading * kRadToDeg, onGround ? 1 : 0);
}

void Trace::flush() {
  if (trace_.is_open()) trace_.flush();
}

void Trace::message(double seconds, uint32_t id, uint32_t size, uint32_t sendId, const std::string& text) {
  if (!messages_.is_open()) return;
  messages_ << fmt::format("{:.3f} id=0x{:08X} size={} sendId={}{}{}\n", seconds, id, size, sendId,
                           text.empty() ? "" : " ", text)
            << std::flush;
}

void Trace::note(double seconds, const std::string& text) {
  if (!messages_.is_open()) return;
  messages_ << fmt::format("{:.3f} {}\n", seconds, text) << std::flush;
}

}  // namespace tfx::simstandin
