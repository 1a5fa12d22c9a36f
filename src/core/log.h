#pragma once
// The program's log, Log.txt: one line per event, flushed at once, written
// under one process-wide recursive lock by every thread.
#include <filesystem>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace tfx {

class LogCapture;
void appendToCaptures(std::string_view line);

inline constexpr std::string_view kErrorPrefix = "===> ";

// Rotates Log0.txt to Log00.txt and Log.txt to Log0.txt, opens a fresh
// Log.txt in the current folder and writes the header line. Throws
// std::runtime_error("Failed to write file ...") when it cannot be created.
void openLog();
void openLog(const std::filesystem::path& logFile);
void closeLog();

void writeLog(std::string_view text);
// The same line with the warning prefix "===> ".
void writeLogError(std::string_view text);
// Writes nothing once a stop of the session or the program is requested.
void writeLogQuiet(std::string_view text);

std::recursive_mutex& logLock();

// Collects every line written while it lives (in addition to the file), so a
// command or a test can see what an operation logged.
class LogCapture {
 public:
  LogCapture();
  ~LogCapture();
  LogCapture(const LogCapture&) = delete;
  LogCapture& operator=(const LogCapture&) = delete;

  std::vector<std::string> lines() const;
  std::vector<std::string> takeLines();
  bool contains(std::string_view fragment) const;
  size_t count(std::string_view fragment) const;

 private:
  friend void appendToCaptures(std::string_view line);
  std::vector<std::string> lines_;
};

}  // namespace tfx
