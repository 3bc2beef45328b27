#include "edebug.h"

#include <cstdarg>
#include <cstdio>
#include <mutex>

#include "estring.h"

namespace {
std::mutex logMutex;
debuglog::Sink logSink;
bool keeping = false;
std::vector<std::string> logLines;
}  // namespace

void eDebug(const char* format, ...) {
  va_list args;
  va_start(args, format);
  const std::string line = eString::vsprintf(format, args);
  va_end(args);

  std::lock_guard<std::mutex> lock(logMutex);
  if (keeping)
    logLines.push_back(line);
  if (logSink) {
    logSink(line);
  } else {
    std::fprintf(stderr, "%s\n", line.c_str());
  }
}

namespace debuglog {
void setSink(Sink sink) {
  std::lock_guard<std::mutex> lock(logMutex);
  logSink = std::move(sink);
}
void keepLines(bool on) {
  std::lock_guard<std::mutex> lock(logMutex);
  keeping = on;
  if (!on)
    logLines = {};
}
std::vector<std::string> lines() {
  std::lock_guard<std::mutex> lock(logMutex);
  return logLines;
}
void clear() {
  std::lock_guard<std::mutex> lock(logMutex);
  logLines.clear();
}
}  // namespace debuglog
