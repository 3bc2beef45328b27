// The signal model's arithmetic, checked against the way the finder reads the values back.

#include <gtest/gtest.h>

#include <cmath>

#include "signal_model/signal_math.h"

using namespace signalmath;

namespace {
// How the satellite finder turns the raw values into what it shows.
double shownSnr(uint16_t noise) {
  return noise * -0.0017 + 19.2;
}
int shownAgc1(uint8_t byte, bool inverted) {
  int a = byte;
  if (a > 127)
    a -= 255;
  const int p = (a * 100 + 12800) / 255;
  return inverted ? 100 - p : p;
}
int shownAgc2(uint16_t value) {
  return value * 100 / 65535;
}
}  // namespace

TEST(SignalMath, PointingLossGrowsWithTheAngleUpToTheSidelobeFloor) {
  struct Case {
    double az, el, beam, loss;
  };
  const Case cases[] = {
      {0, 0, 2, 0},  {1, 0, 2, 3},  {0, -1, 2, 3}, {0.6, 0.8, 2, 3},
      {2, 0, 2, 12}, {-2, 0, 4, 3}, {3, 4, 2, 25}, {90, 0, 2, kSidelobeFloorDb},
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(pointingLossDb(c.az, c.el, c.beam), c.loss, 1e-9) << c.az << "," << c.el;
  }
}

TEST(SignalMath, NoiseValueGivesBackTheSnrTheFinderShows) {
  const double snrs[] = {19.2, 12.0, 7.5, 5.0, 0.0, -1.0, -13.0};
  for (double snr : snrs)
    EXPECT_NEAR(shownSnr(noiseValueForSnr(snr)), snr, 0.001) << snr;
  struct Clamp {
    double snr;
    uint16_t value;
  };
  const Clamp clamps[] = {{25.0, 0}, {19.2, 0}, {-200.0, 65535}};
  for (const Clamp& c : clamps)
    EXPECT_EQ(noiseValueForSnr(c.snr), c.value) << c.snr;
}

TEST(SignalMath, Agc1ByteShowsTheAskedPercentageBothWays) {
  for (bool inverted : {false, true}) {
    for (int percent = 0; percent <= 100; ++percent) {
      EXPECT_LE(std::abs(shownAgc1(agc1ByteForPercent(percent, inverted), inverted) - percent), 1)
          << percent << (inverted ? " inverted" : "");
    }
  }
  struct Case {
    int percent;
    bool inverted;
    uint8_t byte;
  };
  const Case cases[] = {{50, false, 0}, {100, false, 127}, {0, true, 127}, {150, false, 127}};
  for (const Case& c : cases)
    EXPECT_EQ(agc1ByteForPercent(c.percent, c.inverted), c.byte);
}

TEST(SignalMath, Agc2ValueShowsTheAskedPercentage) {
  for (int percent = 0; percent <= 100; ++percent) {
    EXPECT_EQ(shownAgc2(agc2ValueForPercent(percent)), percent);
  }
  EXPECT_EQ(agc2ValueForPercent(-5), 0);
  EXPECT_EQ(agc2ValueForPercent(101), 65535);
}

TEST(SignalMath, SymbolRateAndOffsetValuesUseTheChipsScales) {
  struct Rate {
    unsigned symbols;
    double divisor;
    uint32_t value;
  };
  const Rate rates[] = {{27500000, 190.65018, 5242880},
                        {27500000, 167.77216, 4613734},
                        {0, 190.65018, 0},
                        {4000000000u, 190.65018, 0xFFFFFF}};
  for (const Rate& r : rates)
    EXPECT_EQ(symbolRateValue(r.symbols, r.divisor), r.value);
  struct Offset {
    double kHz, clock;
    int16_t value;
  };
  const Offset offsets[] = {{0, 88000, 0},
                            {1000, 88000, 745},
                            {-1000, 100000, -655},
                            {1e6, 88000, 32767},
                            {-1e6, 88000, -32768}};
  for (const Offset& o : offsets)
    EXPECT_EQ(carrierOffsetValue(o.kHz, o.clock), o.value) << o.kHz;
}

TEST(SignalMath, ErrorsFallWithTheMargin) {
  struct Case {
    double margin;
    uint16_t errors;
  };
  const Case cases[] = {{-3, 65535}, {0, 65535}, {1.25, 6554}, {2.5, 655}, {5, 7}, {9, 0}};
  for (const Case& c : cases)
    EXPECT_EQ(errorCount(c.margin), c.errors) << c.margin;
}

TEST(SignalMath, StatusByteCarriesLockSyncAndTheCodeRate) {
  struct Case {
    bool locked;
    double margin;
    int rate;
    uint8_t status;
  };
  const Case cases[] = {{false, 5, 3, 0x00},
                        {true, 0.2, 3, 0x80},
                        {true, 0.5, 0, 0x98},
                        {true, 8, 4, 0x9C},
                        {true, 8, 9, 0x99}};
  for (const Case& c : cases)
    EXPECT_EQ(statusByte(c.locked, c.margin, c.rate), c.status);
}

TEST(SignalMath, CodeRateIndexFollowsEachChipsTable) {
  struct Case {
    int fec;
    int stv0299b;  // index into the STV0299B's table: 2/3 3/4 5/6 7/8 1/2
    int stv0288;   // and the STV0288's: 1/2 2/3 3/4 5/6 7/8
  };
  const Case cases[] = {{1, 4, 0}, {2, 0, 1}, {3, 1, 2}, {4, 2, 3},
                        {5, 3, 4}, {0, 1, 2}, {42, 1, 2}};
  for (const Case& c : cases) {
    EXPECT_EQ(codeRateIndex(DemodChip::STV0299B, c.fec), c.stv0299b) << c.fec;
    EXPECT_EQ(codeRateIndex(DemodChip::STV0288, c.fec), c.stv0288) << c.fec;
  }
}

TEST(SignalMath, TerrestrialReadings) {
  struct Quality {
    double snr;
    uint8_t q;
  };
  const Quality qualities[] = {{-5, 0}, {0, 0}, {15, 128}, {30, 255}, {45, 255}};
  for (const Quality& c : qualities)
    EXPECT_EQ(terrestrialQuality(c.snr), c.q) << c.snr;
  EXPECT_EQ(terrestrialStrength(0), 55705);
  EXPECT_EQ(terrestrialStrength(20), 5570);
  struct Status {
    bool locked;
    double margin;
    unsigned status;
  };
  const Status statuses[] = {{false, 9, 0}, {true, 0.1, 0x08}, {true, 3, 0x48}};
  for (const Status& s : statuses)
    EXPECT_EQ(terrestrialStatus(s.locked, s.margin), s.status);
}
