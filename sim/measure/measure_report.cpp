#include "measure_report.h"

#include <nlohmann/json.hpp>

#include "estring.h"

namespace {
const char* const kNone = "none measured";

std::string line(const char* label, const std::string& value) {
  return eString::sprintf("  %-28s %s\n", label, value.c_str());
}

std::string period(const Summary& s) {
  if (s.count == 0)
    return kNone;
  return eString::sprintf("mean %.2f ms, p99 %.2f ms, max %.2f ms (%zu periods)", s.mean, s.p99,
                          s.worst, s.count);
}

std::string delay(const Summary& s, const char* unit, int decimals, const char* what) {
  if (s.count == 0)
    return kNone;
  return eString::sprintf("median %.*f %s, worst %.*f %s (%zu %s)", decimals, s.median, unit,
                          decimals, s.worst, unit, s.count, what);
}

double perRefresh(const MeasureResult& r) {
  const size_t refreshes = r.refreshPeriodMs.count + 1;
  return r.refreshPeriodMs.count == 0
             ? 0.0
             : static_cast<double>(r.frames) / static_cast<double>(refreshes);
}

nlohmann::json spread(const Summary& s, bool withMean) {
  if (s.count == 0)
    return nullptr;
  nlohmann::json j = {{"count", s.count}, {"median", s.median}, {"worst", s.worst}};
  if (withMean) {
    j["mean"] = s.mean;
    j["p99"] = s.p99;
    j["max"] = s.worst;
    j.erase("worst");
  }
  return j;
}
}  // namespace

std::string measureTable(const MeasureResult& r) {
  std::string text = eString::sprintf(
      "vevovuvado-sim --measure: %.1f s on %s in real time, %s;\n"
      "the dish moved %d times between on the satellite and %.2f degrees east of it;\n"
      "the pitch error is the played pitch against snr_sound x 11.71875 Hz\n",
      r.seconds, r.receiver.c_str(), r.window ? "in a window" : "headless (no window)",
      r.dishChanges, r.offsetDeg);
  text += line("refresh period", period(r.refreshPeriodMs));
  text += line("dish change to display", delay(r.displayDelayMs, "ms", 1, "changes"));
  const char* noTone = "no tone on this receiver";
  text += line("dish change to new pitch",
               r.toneDelayMs ? delay(*r.toneDelayMs, "ms", 1, "changes") : noTone);
  text += line("pitch error", r.pitchErrorHz ? delay(*r.pitchErrorHz, "Hz", 4, "stretches") +
                                                   " against snr_sound x 11.71875 Hz"
                                             : noTone);
  text += line("underruns",
               r.toneUnderruns ? eString::sprintf("%d (%.1f ms of silence)", r.toneUnderruns->count,
                                                  r.toneUnderruns->silenceMs)
                               : noTone);
  text += line("frames drawn", eString::sprintf("%lu (%.2f per refresh)", r.frames, perRefresh(r)));
  text += line("CPU, % of a core",
               eString::sprintf(
                   "GUI thread %.2f, tone thread %s, whole process %.2f", r.guiCpuPercent,
                   r.toneCpuPercent ? eString::sprintf("%.2f", *r.toneCpuPercent).c_str() : "none",
                   r.processCpuPercent));
  text += line("resident memory",
               eString::sprintf("before %.1f MiB, after %.1f MiB", r.residentBeforeKiB / 1024.0,
                                r.residentAfterKiB / 1024.0));
  return text;
}

std::string measureJson(const MeasureResult& r) {
  nlohmann::json j;
  j["receiver"] = r.receiver;
  j["window"] = r.window;
  j["seconds"] = r.seconds;
  j["dish_changes"] = r.dishChanges;
  j["dish_offset_deg"] = r.offsetDeg;
  j["refresh_period_ms"] = spread(r.refreshPeriodMs, true);
  j["display_delay_ms"] = spread(r.displayDelayMs, false);
  j["tone_delay_ms"] = r.toneDelayMs ? spread(*r.toneDelayMs, false) : nlohmann::json(nullptr);
  j["pitch_error_hz"] = r.pitchErrorHz ? spread(*r.pitchErrorHz, false) : nlohmann::json(nullptr);
  j["underruns"] = r.toneUnderruns ? nlohmann::json{{"count", r.toneUnderruns->count},
                                                    {"silence_ms", r.toneUnderruns->silenceMs}}
                                   : nlohmann::json(nullptr);
  j["frames"] = {{"drawn", r.frames}, {"per_refresh", perRefresh(r)}};
  j["cpu_percent"] = {{"gui_thread", r.guiCpuPercent},
                      {"tone_thread", r.toneCpuPercent ? nlohmann::json(*r.toneCpuPercent)
                                                       : nlohmann::json(nullptr)},
                      {"process", r.processCpuPercent}};
  j["resident_kib"] = {{"before", r.residentBeforeKiB}, {"after", r.residentAfterKiB}};
  return j.dump(2) + "\n";
}
