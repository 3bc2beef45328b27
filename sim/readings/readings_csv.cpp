#include "readings_csv.h"

#include <cmath>
#include <cstdio>

#include "tone_pitch.h"

namespace {
const char* const kTailColumns[] = {"lock",
                                    "fec",
                                    "sync",
                                    "fec_text",
                                    "snr_sound",
                                    "pitch_hz",
                                    "true_snr_db",
                                    "azimuth_error_deg",
                                    "elevation_error_deg"};

std::string box(BoxState state) {
  switch (state) {
    case BoxState::ticked:
      return "1";
    case BoxState::unticked:
      return "0";
    case BoxState::absent:
      break;
  }
  return "";
}

// A value with `decimals` places after the point.
std::string number(int decimals, double value) {
  // What rounds to zero is written as 0, not -0.
  if (std::fabs(value) < 0.5 * std::pow(10.0, -decimals))
    value = 0;
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}
}  // namespace

std::string csvField(const std::string& text) {
  const bool quote = text.find_first_of(",\"\r\n") != std::string::npos ||
                     (!text.empty() && (text.front() == ' ' || text.back() == ' '));
  if (!quote)
    return text;
  std::string out = "\"";
  for (char c : text) {
    out += c;
    if (c == '"')
      out += '"';
  }
  return out + "\"";
}

std::string csvHeader() {
  std::string header = "time_ms";
  for (const char* widget : kFinderTextWidgets)
    header += std::string(",") + widget;
  for (const char* column : kTailColumns)
    header += std::string(",") + column;
  return header;
}

std::string csvRow(const Reading& r) {
  std::string row = std::to_string(r.timeMs);
  for (const std::string& text : r.texts)
    row += "," + csvField(text);
  row += "," + box(r.lock) + "," + box(r.fec) + "," + box(r.sync) + "," + csvField(r.fecText);
  if (r.hasSnrSound) {
    row += "," + std::to_string(r.snrSound) + "," + number(5, pitchHz(r.snrSound));
  } else {
    row += ",,";
  }
  row += "," + number(3, r.trueSnrDb) + "," + number(3, r.azimuthDeg) + "," +
         number(3, r.elevationDeg);
  return row;
}

bool CsvFile::open(const std::string& path, std::string* error) {
  out.open(path, std::ios::binary | std::ios::trunc);
  where = path;
  if (out)
    out << csvHeader() << '\n' << std::flush;
  if (!out) {
    *error = path + ": cannot write the readings";
    out.close();
    return false;
  }
  return true;
}

bool CsvFile::write(const Reading& reading) {
  if (!out.is_open())
    return false;
  out << csvRow(reading) << '\n' << std::flush;
  return static_cast<bool>(out);
}
