// The readings the simulator keeps: one CSV row per refresh with what the finder showed and the
// simulated truth behind it, the pitch that follows from it, the peak hold and the history the
// chart and the plot are drawn from, and the plot itself.

#include <cairo.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <map>
#include <tuple>

#include "profile/profile.h"
#include "readings/peak_hold.h"
#include "readings/readings_csv.h"
#include "readings/readings_history.h"
#include "readings/tone_pitch.h"
#include "signal_plot.h"
#include "sim_support/run_simulator.h"

using namespace simtest;
using json = nlohmann::json;

namespace {
// A CSV file as rows of fields by column name (quoted fields unquoted).
struct Csv {
  std::vector<std::string> header;
  std::vector<std::map<std::string, std::string>> rows;
};

std::vector<std::string> splitCsvLine(const std::string& line) {
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
      fields.back() += '"';
      ++i;
    } else if (c == '"') {
      quoted = !quoted;
    } else if (c == ',' && !quoted) {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  return fields;
}

Csv readCsv(const std::string& path) {
  Csv csv;
  const std::vector<std::string> lines = readLines(path);
  if (lines.empty())
    return csv;
  csv.header = splitCsvLine(lines[0]);
  for (size_t i = 1; i < lines.size(); ++i) {
    const std::vector<std::string> fields = splitCsvLine(lines[i]);
    std::map<std::string, std::string> row;
    for (size_t f = 0; f < fields.size() && f < csv.header.size(); ++f)
      row[csv.header[f]] = fields[f];
    EXPECT_EQ(fields.size(), csv.header.size()) << lines[i];
    csv.rows.push_back(row);
  }
  return csv;
}

double num(const std::map<std::string, std::string>& row, const char* column) {
  return std::atof(row.at(column).c_str());
}

std::string steadyProfile() {
  json doc = json::parse(defaultProfileJson());
  doc["signal"]["jitter_db"] = 0;
  return doc.dump(2);
}

// On the satellite for two seconds, then one degree east for two: 12 dB, then 9 dB.
const char kTwoPositions[] =
    "dish 0 0\ntoggle sound\nwait 2000\ndump on.json\ndish 1 0\nwait 2000\ndump off.json\n";

const char* const kColumns[] = {"time_ms",
                                "snr_num",
                                "agc1_num",
                                "agc_num",
                                "ber_num",
                                "freq_num",
                                "toffs_num",
                                "sym_num",
                                "lock",
                                "fec",
                                "sync",
                                "fec_text",
                                "snr_sound",
                                "pitch_hz",
                                "true_snr_db",
                                "azimuth_error_deg",
                                "elevation_error_deg"};

// The row of the last refresh at or before `timeMs`.
const std::map<std::string, std::string>* rowAt(const Csv& csv, double timeMs) {
  const std::map<std::string, std::string>* found = nullptr;
  for (const auto& row : csv.rows) {
    if (num(row, "time_ms") <= timeMs)
      found = &row;
  }
  return found;
}
}  // namespace

TEST(SimReadings, CsvHasOneRowPerRefreshWithWhatTheFinderShowedAndTheTruth) {
  const std::string dir = freshFolder();
  writeFile(dir + "/steady.json", steadyProfile());
  const SimRun run = runScript(dir, kTwoPositions, "steady.json", {"--csv", "r.csv"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const Csv csv = readCsv(dir + "/r.csv");
  ASSERT_EQ(csv.header, std::vector<std::string>(std::begin(kColumns), std::end(kColumns)));

  // The finder refreshes every 250 ms of host time, from 250 ms after it opened.
  ASSERT_GE(csv.rows.size(), 15u);
  ASSERT_LE(csv.rows.size(), 16u);
  for (size_t i = 0; i < csv.rows.size(); ++i)
    EXPECT_EQ(num(csv.rows[i], "time_ms"), 250.0 * (i + 1)) << i;

  // Each text as the finder showed it at the time of the dumps.
  for (const auto& [file, time] : {std::pair<const char*, double>{"on.json", 2000},
                                   std::pair<const char*, double>{"off.json", 4000}}) {
    const json dump = readJson(dir + "/" + file);
    const auto* row = rowAt(csv, time);
    ASSERT_NE(row, nullptr) << file;
    for (const char* widget :
         {"snr_num", "agc1_num", "agc_num", "ber_num", "freq_num", "toffs_num", "sym_num"}) {
      EXPECT_EQ(row->at(widget), widgetNamed(dump, widget)["text"]) << file << " " << widget;
    }
    EXPECT_EQ(row->at("fec_text"), widgetNamed(dump, "fec")["text"]) << file;
    for (const char* box : {"lock", "fec", "sync"})
      EXPECT_EQ(row->at(box), widgetNamed(dump, box)["checked"] == true ? "1" : "0") << box;
  }

  for (const auto& row : csv.rows) {
    const bool moved = num(row, "time_ms") > 2000;
    const std::string at = row.at("time_ms");
    // The dish as the script set it, and the model's SNR for it: 12 dB less 12 (1/2)^2.
    EXPECT_EQ(row.at("azimuth_error_deg"), moved ? "1.000" : "0.000") << at;
    EXPECT_EQ(row.at("elevation_error_deg"), "0.000") << at;
    EXPECT_EQ(row.at("true_snr_db"), moved ? "9.000" : "12.000") << at;
    // The tone follows the SNR shown: tenths of a dB, truncated, 11.71875 Hz each.
    const double shown = std::atof(row.at("snr_num").c_str());
    const int step = std::atoi(row.at("snr_sound").c_str());
    EXPECT_NEAR(step / 10.0, shown, 0.1) << at;
    char pitch[32];
    std::snprintf(pitch, sizeof pitch, "%.5f", step * 11.71875);
    EXPECT_EQ(row.at("pitch_hz"), pitch) << at;
  }
  // A refresh after the tune with the dish on the satellite: locked, 1/2, the step for 12 dB.
  const auto* on = rowAt(csv, 2000);
  EXPECT_EQ(on->at("snr_num"), "12.0dB");
  EXPECT_EQ(on->at("snr_sound"), "120");
  EXPECT_EQ(on->at("lock"), "1");
  EXPECT_EQ(on->at("fec_text"), "FEC 1/2");
  EXPECT_EQ(on->at("freq_num"), " 11834.750 MHz/H");
}

TEST(SimReadings, PitchColumnIsThePitchOfTheToneThatPlayed) {
  const std::string dir = freshFolder();
  writeFile(dir + "/steady.json", steadyProfile());
  const SimRun run =
      runScript(dir, kTwoPositions, "steady.json", {"--csv", "r.csv", "--wav", "t.wav"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const Csv csv = readCsv(dir + "/r.csv");
  const Wav wav = readWav(dir + "/t.wav");
  ASSERT_EQ(wav.rate, 12000);
  // Half a second after each position settled, the tone heard has the pitch of the rows.
  for (double second : {1.5, 3.5}) {
    const auto* row = rowAt(csv, second * 1000);
    ASSERT_NE(row, nullptr);
    EXPECT_NEAR(pitchHz(wav, second, second + 0.5), num(*row, "pitch_hz"),
                0.02 * num(*row, "pitch_hz"))
        << second;
  }
}

TEST(SimReadings, TerrestrialRowsHaveNoToneAndTheFinderPercentages) {
  const std::string dir = freshFolder();
  const SimRun run =
      runScript(dir, "dish 0 0\nwait 1000\n", profilePath("terrestrial"), {"--csv", "r.csv"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const Csv csv = readCsv(dir + "/r.csv");
  ASSERT_FALSE(csv.rows.empty());
  const auto& last = csv.rows.back();
  EXPECT_NE(last.at("snr_num").find('%'), std::string::npos) << last.at("snr_num");
  EXPECT_EQ(last.at("snr_sound"), "");
  EXPECT_EQ(last.at("pitch_hz"), "");
  EXPECT_EQ(last.at("fec"), "");  // the terrestrial window has no FEC box
  EXPECT_EQ(last.at("freq_num"), "");
  EXPECT_EQ(last.at("lock"), "1");
}

TEST(SimReadings, CsvThatCannotBeWrittenIsReported) {
  const std::string dir = freshFolder();
  const SimRun run = runScript(dir, "wait 500\n", "", {"--csv", "/nonexistent/r.csv"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("/nonexistent/r.csv: cannot write the readings"), std::string::npos)
      << run.err;
}

TEST(SimReadings, PlotDrawsTheRunWhereItsAxesPutTheValues) {
  const std::string dir = freshFolder();
  writeFile(dir + "/steady.json", steadyProfile());
  const SimRun run =
      runScript(dir, kTwoPositions, "steady.json", {"--csv", "r.csv", "--plot", "p.png"});
  ASSERT_EQ(run.exitCode, 0) << run.err;

  // The axes as the plot chose them for these readings.
  const Csv csv = readCsv(dir + "/r.csv");
  std::vector<SignalPoint> points;
  for (const auto& row : csv.rows) {
    SignalPoint p;
    p.timeMs = num(row, "time_ms");
    p.shown = std::atof(row.at("snr_num").c_str());
    p.trueSnrDb = num(row, "true_snr_db");
    p.locked = row.at("lock") == "1";
    p.pitchHz = num(row, "pitch_hz");
    p.azimuthDeg = num(row, "azimuth_error_deg");
    p.elevationDeg = num(row, "elevation_error_deg");
    points.push_back(p);
  }
  PlotOptions options;
  options.lockThresholdDb = 3.0;
  const PlotRanges ranges = plotRanges(points, options);
  EXPECT_LE(ranges.dbMin, 3.0);
  EXPECT_GE(ranges.dbMax, 12.0);

  cairo_surface_t* png = cairo_image_surface_create_from_png((dir + "/p.png").c_str());
  ASSERT_EQ(cairo_surface_status(png), CAIRO_STATUS_SUCCESS);
  const int width = cairo_image_surface_get_width(png);
  const int height = cairo_image_surface_get_height(png);
  EXPECT_EQ(width, options.width);
  EXPECT_EQ(height, options.height);
  const PlotGeometry g = plotGeometry(width, height);
  const unsigned char* data = cairo_image_surface_get_data(png);
  const int stride = cairo_image_surface_get_stride(png);
  // The mean row of the pixels of `role`'s colour in the column of `timeMs` within `area`.
  auto meanRow = [&](const Area& area, double timeMs, PlotColor role) {
    const int x = static_cast<int>(plotX(area, ranges, timeMs));
    double sum = 0;
    int n = 0;
    for (int y = static_cast<int>(area.y); y < static_cast<int>(area.bottom()); ++y) {
      uint32_t p = 0;
      std::memcpy(&p, data + static_cast<ptrdiff_t>(y) * stride + 4 * x, 4);
      if ((p & 0xFFFFFF) == plotColor(role)) {
        sum += y;
        ++n;
      }
    }
    return n ? sum / n : -1.0;
  };
  struct Case {
    double timeMs;
    double db;
    double hz;
    double azimuth;
  };
  for (const Case c : {Case{1500, 12.0, 120 * 11.71875, 0}, Case{3500, 9.0, 90 * 11.71875, 1}}) {
    EXPECT_NEAR(meanRow(g.snr, c.timeMs, PlotColor::shown),
                plotY(g.snr, c.db, ranges.dbMin, ranges.dbMax), 3)
        << c.timeMs;
    EXPECT_NEAR(meanRow(g.snr, c.timeMs, PlotColor::trueSnr),
                plotY(g.snr, c.db, ranges.dbMin, ranges.dbMax), 3)
        << c.timeMs;
    EXPECT_NEAR(meanRow(g.pitch, c.timeMs, PlotColor::pitch),
                plotY(g.pitch, c.hz, 0, ranges.pitchMaxHz), 3)
        << c.timeMs;
    EXPECT_NEAR(meanRow(g.dish, c.timeMs, PlotColor::azimuth),
                plotY(g.dish, c.azimuth, ranges.degMin, ranges.degMax), 3)
        << c.timeMs;
    EXPECT_NEAR(meanRow(g.dish, c.timeMs, PlotColor::elevation),
                plotY(g.dish, 0, ranges.degMin, ranges.degMax), 3)
        << c.timeMs;
  }
  cairo_surface_destroy(png);
}

TEST(SimReadingsCsv, FieldsAreQuotedOnlyWhenTheyWouldNotReadBackAsShown) {
  struct Case {
    const char* text;
    const char* field;
  };
  const Case cases[] = {
      {"12.0dB", "12.0dB"}, {" 27.500 kSym", "\" 27.500 kSym\""}, {"FEC 1/2", "FEC 1/2"},
      {"a,b", "\"a,b\""},   {"say \"hi\"", "\"say \"\"hi\"\"\""}, {"", ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(csvField(c.text), c.field) << c.text;
}

TEST(SimReadingsCsv, AbsentWidgetsAndToneLeaveTheirCellsEmpty) {
  Reading r;
  r.timeMs = 750;
  r.texts[0] = "63%";
  r.lock = BoxState::ticked;
  r.sync = BoxState::unticked;
  r.trueSnrDb = 11.5;
  r.azimuthDeg = -0.25;
  EXPECT_EQ(csvRow(r), "750,63%,,,,,,,1,,0,,,,11.500,-0.250,0.000");
  r.hasSnrSound = true;
  r.snrSound = 100;
  EXPECT_NE(csvRow(r).find(",100,1171.87500,"), std::string::npos) << csvRow(r);
}

TEST(SimReadingsPitch, StepFollowsTheNoiseValueAsTheFinderComputesIt) {
  struct Case {
    int noise;
    int step;
  };
  // 0: 19.2 dB; 1: 19.1983; 4236: 11.9988, shown as 12.0dB but truncated to 119; 11295
  // and above: below 0 dB; -1 (a failed read) counts as the worst noise, so silence.
  const Case cases[] = {{0, 192},   {1, 191},   {4235, 120}, {4236, 119}, {6000, 90},
                        {11294, 0}, {11295, 0}, {40000, 0},  {-1, 0}};
  for (const Case& c : cases)
    EXPECT_EQ(snrSoundForNoise(c.noise), c.step) << c.noise;
  EXPECT_DOUBLE_EQ(pitchHz(100), 1171.875);
}

TEST(SimReadingsPeak, KeepsTheBestAndWhereTheDishWasUntilReset) {
  PeakHold peak;
  EXPECT_EQ(peakText(peak, "dB"), "best: none yet");
  peak.offer(5.0, 1.0, 0.5);
  peak.offer(std::nan(""), 0, 0);
  peak.offer(11.84, 0.12, -0.04);
  peak.offer(11.84, 0.5, 0.5);  // a tie keeps the first place
  peak.offer(9.0, 0.3, 0);
  EXPECT_EQ(peakText(peak, "dB"), "best 11.8 dB at az +0.12, el -0.04");
  peak.reset();
  EXPECT_FALSE(peak.has());
  peak.offer(63, -0.5, 0);
  EXPECT_EQ(peakText(peak, "%"), "best 63% at az -0.50, el +0.00");
}

TEST(SimReadingsHistory, KeepsTheLastMinuteAndTheWholeRunBounded) {
  ReadingsHistory history;
  const size_t added = 3 * ReadingsHistory::kRunPoints + 5;
  for (size_t i = 0; i < added; ++i) {
    SignalPoint p;
    p.timeMs = 250.0 * static_cast<double>(i);
    history.add(p);
  }
  const double newest = 250.0 * (added - 1);
  EXPECT_EQ(history.recent().back().timeMs, newest);
  EXPECT_GE(history.recent().front().timeMs, newest - 60000);
  EXPECT_EQ(history.recent().size(), 241u);  // a minute at four a second, both ends
  const auto& run = history.run();
  EXPECT_LT(run.size(), ReadingsHistory::kRunPoints);
  EXPECT_GT(run.size(), ReadingsHistory::kRunPoints / 4);
  EXPECT_EQ(run.front().timeMs, 0);
  // Evenly thinned: every gap the same.
  const double gap = run[1].timeMs - run[0].timeMs;
  for (size_t i = 1; i < run.size(); ++i)
    EXPECT_EQ(run[i].timeMs - run[i - 1].timeMs, gap) << i;
  EXPECT_GE(run.back().timeMs, newest - gap);
}

TEST(SimReadings, WindowCommandWritesTheScreenAndThePanelAtTheSizeAsked) {
  const std::string dir = freshFolder();
  const SimRun run = runScript(dir, "wait 1000\nwindow a.png\nwindow b.png 700x1000\n");
  ASSERT_EQ(run.exitCode, 0) << run.err;
  for (const auto& [file, width, height] :
       {std::tuple<const char*, int, int>{"a.png", 1280, 576}, {"b.png", 700, 1000}}) {
    cairo_surface_t* png = cairo_image_surface_create_from_png((dir + "/" + file).c_str());
    ASSERT_EQ(cairo_surface_status(png), CAIRO_STATUS_SUCCESS) << file;
    EXPECT_EQ(cairo_image_surface_get_width(png), width) << file;
    EXPECT_EQ(cairo_image_surface_get_height(png), height) << file;
    cairo_surface_destroy(png);
  }
}
