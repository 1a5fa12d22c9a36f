#pragma once
// The stand-in's records for checks and pictures: a trace with one line per
// AI object per frame, and a log of every message received.
#include <cstdint>
#include <fstream>
#include <string>

#include "world.h"

namespace tfx::simstandin {

class Trace {
 public:
  // Empty names write nothing.
  Trace(const std::string& traceFile, const std::string& messageLogFile);

  // time;objectId;title;lat;lon;alt;pitch;bank;heading;onGround (angles in degrees, altitude in feet)
  void object(double seconds, const SimObject& object, bool onGround);
  // At the end of each frame, so readers see whole frames.
  void flush();
  // "time id=0x... size=N sendId=N", then what the message says when it could be read.
  // Describing a message takes time: only when they are logged.
  bool logsMessages() const { return messages_.is_open(); }
  void message(double seconds, uint32_t id, uint32_t size, uint32_t sendId, const std::string& text);
  void note(double seconds, const std::string& text);

 private:
  std::ofstream trace_;
  std::ofstream messages_;
};

}  // namespace tfx::simstandin
