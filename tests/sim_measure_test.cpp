// The measurement mode's arithmetic on known inputs: the summaries, the pitch read back from
// zero crossings (and from blocks joined end to end), and the figures worked out from
// refreshes, dish changes, frames and tone blocks. No timing is measured here.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <vector>

#include "measure/measure_analysis.h"
#include "measure/measure_report.h"
#include "measure/summary.h"
#include "measure/tone_blocks.h"

namespace {
constexpr double kRate = 12000;
constexpr double kHzPerStep = 12000.0 / 1024.0;

// `count` samples of the finder's tone at phase step `step`, starting after `*phase`, which
// moves on: the sine table's values, amplitude 127.
std::vector<int8_t> tone(int step, int count, int* phase) {
  std::vector<int8_t> samples;
  for (int i = 0; i < count; ++i) {
    *phase = (*phase + step) % 1024;
    samples.push_back(static_cast<int8_t>(std::lround(127 * std::sin(2 * M_PI * *phase / 1024))));
  }
  return samples;
}

// A tone block of 1024 samples written at `writtenUs`, playing from timeline sample `first`.
ToneBlocks::Block block(int64_t writtenUs, int64_t first, int step, int* phase) {
  const std::vector<int8_t> s = tone(step, 1024, phase);
  return {writtenUs, crossingsOf(s.data(), s.size(), first)};
}

TEST(MeasureSummary, KnownListsGiveTheirFigures) {
  struct Case {
    std::vector<double> values;
    size_t count;
    double mean, median, p99, best, worst;
  };
  std::vector<double> hundred;
  for (int i = 100; i >= 1; --i)
    hundred.push_back(i);
  const Case cases[] = {
      {{}, 0, 0, 0, 0, 0, 0},
      {{5}, 1, 5, 5, 5, 5, 5},
      {{4, 1, 3, 2}, 4, 2.5, 2.5, 4, 1, 4},
      {{250.1, 250.3, 249.9}, 3, 250.1, 250.1, 250.3, 249.9, 250.3},
      {hundred, 100, 50.5, 50.5, 99, 1, 100},
  };
  for (const Case& c : cases) {
    const Summary s = summarize(c.values);
    EXPECT_EQ(s.count, c.count);
    EXPECT_NEAR(s.mean, c.mean, 1e-9) << c.count;
    EXPECT_DOUBLE_EQ(s.median, c.median) << c.count;
    EXPECT_DOUBLE_EQ(s.p99, c.p99) << c.count;
    EXPECT_DOUBLE_EQ(s.best, c.best) << c.count;
    EXPECT_DOUBLE_EQ(s.worst, c.worst) << c.count;
  }
}

TEST(MeasureCrossings, PitchOfTheToneIsItsStepTimes11_71875Hz) {
  for (int step : {30, 90, 117, 150}) {
    int phase = 0;
    const std::vector<int8_t> s = tone(step, 6000, &phase);
    EXPECT_NEAR(crossingsHz(crossingsOf(s.data(), s.size(), 0), kRate), step * kHzPerStep, 0.01)
        << step;
  }
  int phase = 0;
  const std::vector<int8_t> still = tone(0, 100, &phase);
  const Crossings c = crossingsOf(still.data(), still.size(), 0);
  EXPECT_TRUE(c.silent);
  EXPECT_EQ(crossingsHz(c, kRate), 0.0);
}

TEST(MeasureCrossings, JoinedStretchesCountAsTheWholeDoes) {
  int phase = 0;
  const std::vector<int8_t> s = tone(97, 3000, &phase);
  const Crossings whole = crossingsOf(s.data(), s.size(), 500);
  // Split anywhere, also between the two samples around a crossing.
  for (size_t cut : {1ul, 7ul, 1024ul, 1500ul, 2999ul}) {
    const Crossings a = crossingsOf(s.data(), cut, 500);
    const Crossings b =
        crossingsOf(s.data() + cut, s.size() - cut, 500 + static_cast<int64_t>(cut));
    const Crossings j = joined(a, b);
    EXPECT_EQ(j.count, whole.count) << cut;
    EXPECT_DOUBLE_EQ(j.first, whole.first) << cut;
    EXPECT_DOUBLE_EQ(j.last, whole.last) << cut;
    EXPECT_EQ(j.samples, whole.samples) << cut;
  }
}

TEST(MeasureFigures, RefreshPeriodsInsideTheStretchOnly) {
  const std::vector<RefreshRecord> refreshes = {{0, 50, false, 0},
                                                {250100, 250150, false, 0},
                                                {500300, 500350, false, 0},
                                                {750300, 750350, false, 0},
                                                {1000900, 1000950, false, 0}};
  const std::vector<double> periods = refreshPeriodsMs(refreshes, 100000, 1000000);
  ASSERT_EQ(periods.size(), 2u);
  EXPECT_DOUBLE_EQ(periods[0], 250.2);
  EXPECT_DOUBLE_EQ(periods[1], 250.0);
}

TEST(MeasureFigures, DisplayDelayRunsToTheFirstFrameAfterTheNextRefresh) {
  const std::vector<RefreshRecord> refreshes = {{50000, 50100, false, 0},
                                                {300000, 300100, false, 0}};
  const std::vector<int64_t> frames = {10000, 290000, 300100, 320000};
  // The change at 100 ms shows with the refresh at 300 ms, in the frame drawn as it was over;
  // a change after the last refresh never showed.
  const std::vector<double> delays = displayDelaysMs({100000, 400000}, refreshes, frames);
  ASSERT_EQ(delays.size(), 1u);
  EXPECT_DOUBLE_EQ(delays[0], 200.1);
}

// Blocks as the tone thread writes them: one every 85 1/3 ms, back to back on the timeline,
// each played 200 ms after it was written, at the step the last refresh set before the write
// of the block before it.
std::vector<ToneBlocks::Block> playedBlocks(const std::vector<RefreshRecord>& refreshes,
                                            int count) {
  std::vector<ToneBlocks::Block> blocks;
  int phase = 0;
  int64_t previousWrite = 0;
  for (int k = 0; k < count; ++k) {
    const int64_t written = 1000 + k * 1024 * 1000000LL / 12000;
    int step = 0;
    for (const RefreshRecord& r : refreshes) {
      if (k > 0 && r.shownUs < previousWrite)
        step = r.step;
    }
    blocks.push_back(block(written, usToSample(200000) + k * 1024, step, &phase));
    previousWrite = written;
  }
  return blocks;
}

TEST(MeasureFigures, ToneDelayRunsToTheFirstBlockPlayingNearerTheNewPitch) {
  // Refreshes every 250 ms from 100 ms on; the dish changes at 1.15 s, and the refresh at
  // 1.35 s sets step 120 instead of 90.
  std::vector<RefreshRecord> refreshes;
  for (int i = 0; i < 12; ++i) {
    const int64_t at = 100000 + i * 250000;
    refreshes.push_back({at, at + 50, true, at < 1200000 ? 90 : 120});
  }
  const std::vector<ToneBlocks::Block> blocks = playedBlocks(refreshes, 40);
  const std::vector<double> delays = toneDelaysMs({1150000}, refreshes, blocks);
  ASSERT_EQ(delays.size(), 1u);
  // Block 16 is the first written after that refresh (at 1.3663 s), so block 17 is the first
  // filled at step 120; it plays from timeline sample 2400 + 17 * 1024.
  EXPECT_DOUBLE_EQ(delays[0], (sampleToUs(2400 + 17 * 1024) - 1150000) / 1000.0);

  // A change that leaves the step as it was cannot be told in the tone.
  for (RefreshRecord& r : refreshes)
    r.step = 90;
  EXPECT_TRUE(toneDelaysMs({1150000}, refreshes, playedBlocks(refreshes, 40)).empty());
}

TEST(MeasureFigures, ToneBlocksJoinTheQueueExactlyAndStayBounded) {
  int phase = 0;
  const std::vector<int8_t> s = tone(90, 1024, &phase);
  ToneBlocks kept(3);
  kept.add(0, 100, s.data(), s.size());
  kept.add(1, 100 + 1024 + 1, s.data(), s.size());    // a sample off: the queue's end
  kept.add(2, 100 + 2048 + 500, s.data(), s.size());  // after a gap
  kept.add(3, 5000, s.data(), s.size());              // past the capacity
  const std::vector<ToneBlocks::Block> b = kept.blocks();
  ASSERT_EQ(b.size(), 3u);
  EXPECT_EQ(b[1].crossings.firstSample, 100 + 1024);
  EXPECT_EQ(b[2].crossings.firstSample, 100 + 2048 + 500);
  EXPECT_EQ(kept.dropped(), 1u);
}

TEST(MeasureFigures, PitchErrorPerStretchOfOneStepLeavesUncertainBlocksOut) {
  std::vector<RefreshRecord> refreshes;
  for (int i = 0; i < 12; ++i) {
    const int64_t at = 100000 + i * 250000;
    refreshes.push_back({at, at + 50, true, i < 5 ? 90 : 120});
  }
  const std::vector<ToneBlocks::Block> blocks = playedBlocks(refreshes, 40);
  const std::vector<double> errors = pitchErrorsHz(refreshes, blocks, 0, 10000000);
  // Blocks 0 and 1 are silent or before any refresh; the rest are one stretch at 90 and one at
  // 120, played back to back.
  ASSERT_EQ(errors.size(), 2u);
  for (double e : errors)
    EXPECT_LT(e, 0.05);

  // A fill within a millisecond of a refresh splits the stretch and drops that block.
  std::vector<RefreshRecord> near = refreshes;
  near[3].measuredUs = blocks[9].writtenUs - 500;
  near[3].shownUs = blocks[9].writtenUs - 400;
  EXPECT_EQ(pitchErrorsHz(near, blocks, 0, 10000000).size(), 3u);
}

TEST(MeasureFigures, UnderrunsAreGapsBetweenBlocksOnceTheStreamRuns) {
  int phase = 0;
  std::vector<ToneBlocks::Block> blocks = {
      block(0, 0, 90, &phase),  // before the tone was switched on
      block(5000000, 60000, 90, &phase), block(5085000, 61024, 90, &phase),
      block(5300000, 62048 + 600, 90, &phase),  // 600 samples (50 ms) of silence before it
  };
  const Underruns u = underruns(blocks, 4000000, 0, 10000000);
  EXPECT_EQ(u.count, 1);
  EXPECT_DOUBLE_EQ(u.silenceMs, 50.0);
  EXPECT_EQ(underruns(blocks, 4000000, 0, 5100000).count, 0) << "the gap began after the end";
}

TEST(MeasureReport, TheTableAndTheJsonCarryTheFiguresAndSayWhatIsMissing) {
  MeasureResult r;
  r.receiver = "the built-in receiver";
  r.seconds = 10;
  r.dishChanges = 10;
  r.offsetDeg = 1;
  r.refreshPeriodMs = summarize({250.2, 250.4, 251.0});
  r.displayDelayMs = summarize({100, 200});
  r.frames = 5;
  r.guiCpuPercent = 1.25;
  r.processCpuPercent = 1.5;
  r.residentBeforeKiB = 20480;
  r.residentAfterKiB = 20992;

  const std::string noTone = measureTable(r);
  EXPECT_NE(noTone.find("mean 250.53 ms, p99 251.00 ms, max 251.00 ms (3 periods)"),
            std::string::npos)
      << noTone;
  EXPECT_NE(noTone.find("median 150.0 ms, worst 200.0 ms (2 changes)"), std::string::npos);
  EXPECT_NE(noTone.find("no tone on this receiver"), std::string::npos);
  EXPECT_NE(noTone.find("5 (1.25 per refresh)"), std::string::npos);
  EXPECT_NE(noTone.find("before 20.0 MiB, after 20.5 MiB"), std::string::npos);
  nlohmann::json j = nlohmann::json::parse(measureJson(r));
  EXPECT_TRUE(j["tone_delay_ms"].is_null());
  EXPECT_TRUE(j["cpu_percent"]["tone_thread"].is_null());
  EXPECT_DOUBLE_EQ(j["refresh_period_ms"]["p99"].get<double>(), 251.0);
  EXPECT_EQ(j["resident_kib"]["after"].get<long>(), 20992);

  r.toneDelayMs = summarize({300, 400, 500});
  r.pitchErrorHz = summarize({0.001, 0.003});
  r.toneUnderruns = Underruns{1, 15.0};
  r.toneCpuPercent = 0.17;
  const std::string withTone = measureTable(r);
  EXPECT_NE(withTone.find("median 400.0 ms, worst 500.0 ms (3 changes)"), std::string::npos)
      << withTone;
  EXPECT_NE(withTone.find("1 (15.0 ms of silence)"), std::string::npos);
  j = nlohmann::json::parse(measureJson(r));
  EXPECT_DOUBLE_EQ(j["tone_delay_ms"]["worst"].get<double>(), 500);
  EXPECT_DOUBLE_EQ(j["pitch_error_hz"]["median"].get<double>(), 0.002);
  EXPECT_EQ(j["underruns"]["count"].get<int>(), 1);
  EXPECT_DOUBLE_EQ(j["cpu_percent"]["tone_thread"].get<double>(), 0.17);
}

}  // namespace
