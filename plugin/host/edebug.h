#pragma once
// The host's debug log: one printf-style line per call. Lines go to a sink; tests read them
// back, programs send them to a file or stderr. Safe to call from any thread (the tone thread
// logs its start and end).

#include <functional>
#include <string>
#include <vector>

void eDebug(const char* format, ...) __attribute__((format(printf, 1, 2)));

namespace debuglog {
using Sink = std::function<void(const std::string& line)>;
// Replaces the sink (nullptr: lines go to stderr). Returns nothing; set it before threads log.
void setSink(Sink sink);
// While on (off by default; tests turn it on), every line is also kept for lines(), whatever
// the sink; off drops what was kept. A program that only writes its log keeps nothing.
void keepLines(bool on);
// Every line kept since the last clear(), in order.
std::vector<std::string> lines();
void clear();
}  // namespace debuglog
