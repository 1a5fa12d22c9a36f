#include "core/log.h"

#include <fmt/format.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <stdexcept>
#include <utility>

#include "core/utc_time.h"
#include "runstate/product.h"
#include "runstate/stop_flags.h"

namespace tfx {
namespace {

struct LogState {
  std::recursive_mutex lock;
  std::ofstream stream;
  std::vector<LogCapture*> captures;
};

LogState& state() {
  static LogState instance;
  return instance;
}

// "Log.txt" -> "Log0.txt": a '0' before the last dot.
std::filesystem::path olderGeneration(const std::filesystem::path& file) {
  std::string name = file.filename().string();
  auto dot = name.rfind('.');
  name.insert(dot == std::string::npos ? name.size() : dot, "0");
  return file.parent_path() / name;
}

void writeLine(std::string_view prefix, std::string_view text) {
  auto& log = state();
  std::lock_guard guard(log.lock);
  if (!log.captures.empty()) appendToCaptures(fmt::format("{}{}", prefix, text));
  if (!log.stream.is_open()) return;
  log.stream << prefix << text << '\n';
  log.stream.flush();
}

}  // namespace

void appendToCaptures(std::string_view line) {
  for (LogCapture* capture : state().captures) capture->lines_.emplace_back(line);
}

std::recursive_mutex& logLock() { return state().lock; }

void openLog() { openLog("Log.txt"); }

void openLog(const std::filesystem::path& logFile) {
  namespace fs = std::filesystem;
  auto& log = state();
  std::lock_guard guard(log.lock);
  if (log.stream.is_open()) log.stream.close();

  const fs::path previous = olderGeneration(logFile);
  const fs::path beforePrevious = olderGeneration(previous);
  if (fs::exists(previous)) fs::copy_file(previous, beforePrevious, fs::copy_options::overwrite_existing);
  if (fs::exists(logFile)) fs::copy_file(logFile, previous, fs::copy_options::overwrite_existing);

  log.stream.open(logFile, std::ios::out | std::ios::trunc);
  if (!log.stream.is_open()) throw std::runtime_error("Failed to write file " + logFile.string());

  const auto now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  writeLine("", fmt::format("{} (utc) {} version {} for {}", formatUtcTime(now), kProductName, kRunningVersionText,
                            kSimulatorFamilyText));
}

void closeLog() {
  auto& log = state();
  std::lock_guard guard(log.lock);
  if (log.stream.is_open()) log.stream.close();
}

void writeLog(std::string_view text) { writeLine("", text); }

void writeLogError(std::string_view text) { writeLine(kErrorPrefix, text); }

void writeLogQuiet(std::string_view text) {
  if (stopRequested()) return;
  writeLine("", text);
}

LogCapture::LogCapture() {
  std::lock_guard guard(state().lock);
  state().captures.push_back(this);
}

LogCapture::~LogCapture() {
  std::lock_guard guard(state().lock);
  auto& captures = state().captures;
  captures.erase(std::remove(captures.begin(), captures.end(), this), captures.end());
}

std::vector<std::string> LogCapture::lines() const {
  std::lock_guard guard(state().lock);
  return lines_;
}

std::vector<std::string> LogCapture::takeLines() {
  std::lock_guard guard(state().lock);
  return std::exchange(lines_, {});
}

bool LogCapture::contains(std::string_view fragment) const { return count(fragment) > 0; }

size_t LogCapture::count(std::string_view fragment) const {
  std::lock_guard guard(state().lock);
  return static_cast<size_t>(std::count_if(lines_.begin(), lines_.end(), [&](const std::string& line) {
    return line.find(fragment) != std::string::npos;
  }));
}

}  // namespace tfx
