// The satellite arithmetic, value by value: band edges, roundings and failed reads.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "sat/measurement.h"

namespace {

TEST(SatelliteChipTable, RegistersAndScalesPerChip) {
  struct Case {
    int demodType;
    const char* name;
    int status, agc1, symbolRate, offset, agc2, errors, noise;
    double divisor;
    int clock;
  };
  const Case cases[] = {
      {0, "STV0299B", 0x1B, 0x16, 0x1F, 0x22, 0x18, 0x1D, 0x24, 190.65018, 88000},
      {1, "STV0288", 0x24, 0x16, 0x28, 0x2B, 0x20, 0x26, 0x2D, 167.77216, 100000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const SatelliteChip& chip = satelliteChip(c.demodType);
    EXPECT_STREQ(chip.name, c.name);
    EXPECT_EQ(chip.statusRegister, c.status);
    EXPECT_EQ(chip.agc1Register, c.agc1);
    EXPECT_EQ(chip.symbolRateRegister, c.symbolRate);
    EXPECT_EQ(chip.offsetRegister, c.offset);
    EXPECT_EQ(chip.agc2Register, c.agc2);
    EXPECT_EQ(chip.errorRegister, c.errors);
    EXPECT_EQ(chip.noiseRegister, c.noise);
    EXPECT_EQ(chip.symbolRateDivisor, c.divisor);
    EXPECT_EQ(chip.offsetClockKHz, c.clock);
  }
}

TEST(SatelliteChipTable, CodeRateTextsWhileFecLocked) {
  const char* const stv0299b[] = {"FEC 2/3", "FEC 3/4", "FEC 5/6", "FEC 7/8",
                                  "FEC 1/2", "FEC 5?",  "FEC 6?",  "FEC 7?"};
  const char* const stv0288[] = {"FEC 1/2", "FEC 2/3", "FEC 3/4", "FEC 5/6",
                                 "FEC 7/8", "FEC 5?",  "FEC 6?",  "FEC 7?"};
  for (int rate = 0; rate < 8; ++rate) {
    SCOPED_TRACE(rate);
    EXPECT_STREQ(fecCaption(satelliteChip(0), 0x90 | rate), stv0299b[rate]);
    EXPECT_STREQ(fecCaption(satelliteChip(1), 0x90 | rate), stv0288[rate]);
    // Without FEC lock the rate bits mean nothing.
    EXPECT_STREQ(fecCaption(satelliteChip(0), 0x80 | rate), "FEC");
    EXPECT_STREQ(fecCaption(satelliteChip(1), 0x10 | rate), "FEC");
  }
}

TEST(SatelliteChipTable, AnyOtherDemodTypeIsTheStv0288) {
  EXPECT_STREQ(satelliteChip(-1).name, "STV0288");
  EXPECT_STREQ(satelliteChip(2).name, "STV0288");
}

TEST(SnrArithmetic, NoiseValueToDbPercentBandAndTone) {
  struct Case {
    int noise;
    double db;
    int percent;
    int barPercent;
    SnrBand band;
    int tone;
  };
  const Case cases[] = {
      {0, 19.2, 100, 100, SnrBand::green, 192},
      {1, 19.1983, 99, 99, SnrBand::green, 191},
      {6882, 7.5006, 39, 39, SnrBand::green, 75},
      {6883, 7.4989, 39, 39, SnrBand::yellow, 74},
      {8352, 5.0016, 26, 26, SnrBand::yellow, 50},
      {8353, 4.9999, 26, 26, SnrBand::red, 49},
      {11294, 0.0002, 0, 0, SnrBand::red, 0},
      {11295, -0.0015, 0, 0, SnrBand::red, 0},
      {11882, -0.9994, -5, 0, SnrBand::red, 0},
      {11883, -1.0011, -5, 0, SnrBand::blinking, 0},
      {65535, -92.2095, -480, 0, SnrBand::blinking, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.noise);
    const double db = snrDb(c.noise);
    EXPECT_NEAR(db, c.db, 0.00005);
    EXPECT_EQ(snrPercent(db), c.percent);
    EXPECT_EQ(snrBarPercent(snrPercent(db)), c.barPercent);
    EXPECT_EQ(snrBand(db), c.band);
    EXPECT_EQ(snrTone(db), c.tone);
  }
}

TEST(SnrArithmetic, BandEdgesAreInclusiveAsStated) {
  struct Case {
    double db;
    SnrBand band;
  };
  const Case cases[] = {
      {7.5, SnrBand::yellow},     {7.5000001, SnrBand::green}, {5.0, SnrBand::yellow},
      {4.9999999, SnrBand::red},  {-0.9999999, SnrBand::red},  {-1.0, SnrBand::blinking},
      {-50.0, SnrBand::blinking},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.db);
    EXPECT_EQ(snrBand(c.db), c.band);
  }
}

TEST(SnrArithmetic, BlinkCycleIsTwoRedThenThreeMagenta) {
  const bool red[] = {true, true, false, false, false, true, true, false, false, false, true};
  int phase = 0;
  for (size_t tick = 0; tick < std::size(red); ++tick) {
    SCOPED_TRACE(tick);
    EXPECT_EQ(blinkShowsRed(phase), red[tick]);
    phase = nextBlinkPhase(phase);
  }
  EXPECT_EQ(phase, 1);
}

TEST(MendedReads, FailedStatusAndNoiseCountAsNoSignal) {
  EXPECT_EQ(statusOrNothing(-1), 0);
  EXPECT_EQ(noiseOrWorst(-1), 65535);
  // Real values pass unchanged, the extremes included.
  const int values[] = {0, 1, 0x98, 255, 65535};
  for (int v : values) {
    SCOPED_TRACE(v);
    EXPECT_EQ(noiseOrWorst(v), v);
    if (v <= 255) {
      EXPECT_EQ(statusOrNothing(v), v);
    }
  }
}

TEST(AgcArithmetic, Agc1BytesPlainAndInverted) {
  struct Case {
    int byte;
    int inverted;
    int percent;
  };
  const Case cases[] = {
      {0, 0, 50},    {127, 0, 100},   {128, 0, 0},  {200, 0, 28}, {255, 0, 50},
      {127, 128, 0}, {128, 128, 100}, {0, 128, 50}, {-1, 0, 49},  {-1, 128, 51},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.byte << " inverted " << c.inverted);
    EXPECT_EQ(agc1Percent(c.byte, c.inverted), c.percent);
  }
}

TEST(AgcArithmetic, Agc2Values) {
  struct Case {
    int value;
    int percent;
  };
  const Case cases[] = {{65535, 100}, {32767, 49}, {32768, 50}, {0, 0},
                        {655, 0},     {656, 1},    {-1, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(agc2Percent(c.value), c.percent);
  }
}

TEST(ErrorBar, Log2OfTheCountAndEmptyWithoutOne) {
  struct Case {
    int errors;
    int percent;
  };
  const Case cases[] = {{-1, 0}, {0, 0}, {1, 0}, {2, 1}, {3, 1}, {1024, 10}, {65535, 15}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.errors);
    EXPECT_EQ(berBarPercent(c.errors), c.percent);
  }
}

TEST(Frequency, OscillatorRoundsToWholeMHzHalfDown) {
  struct Case {
    int lof;
    int rounded;
  };
  const Case cases[] = {
      {9750000, 9750000},   {10600000, 10600000}, {10600500, 10600000},
      {10600501, 10601000}, {10600499, 10600000}, {5150999, 5151000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lof);
    EXPECT_EQ(roundedLOF(c.lof), c.rounded);
  }
}

TEST(Frequency, ReceivedMHzInEighthSteps) {
  struct Case {
    int lof;
    uint32_t fe;
    int offset;
    int clock;
    double mhz;
  };
  const Case cases[] = {
      {9750000, 1996000, 0, 88000, 11746.0},       {9750000, 1996000, 0, 100000, 11746.0},
      {9750000, 1996000, 745, 88000, 11745.0},     {9750000, 1996000, 745, 100000, 11744.875},
      {10600500, 1000000, 0, 88000, 11600.0},      {10600501, 1000000, 0, 88000, 11601.0},
      {9750000, 1996000, -32768, 100000, 11796.0}, {9750000, 1996000, 32767, 100000, 11696.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.lof << " + " << c.fe << " offset " << c.offset);
    EXPECT_DOUBLE_EQ(receivedMHz(c.lof, c.fe, c.offset, c.clock), c.mhz);
  }
}

TEST(Frequency, PolarisationFromBit3) {
  struct Case {
    int byte;
    const char* letter;
  };
  const Case cases[] = {{0x08, "H"}, {0xFF, "H"}, {-1, "H"}, {0x00, "V"}, {0xF7, "V"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.byte);
    EXPECT_STREQ(polarisationLetter(c.byte), c.letter);
  }
}

TEST(SymbolRate, RegisterOverDivisorRounded) {
  struct Case {
    int value;
    double divisor;
    double kSym;
  };
  const Case cases[] = {
      {5242880, 190.65018, 27500}, {5242880, 167.77216, 31250},
      {0, 190.65018, 0},           {95, 190.65018, 0},  // 0.498
      {96, 190.65018, 1},                               // 0.5035
      {-1, 190.65018, 0},                               // a failed read
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(symbolRate(c.value, c.divisor), c.kSym);
  }
}

TEST(Offset, MarkerPositionAndColourBands) {
  struct Case {
    int offset;
    int position;
    const char* color;
  };
  const Case cases[] = {
      {0, 50, "std_green"},       {-1, 49, "std_green"},      {-1489, 40, "std_green"},
      {-1490, 39, "std_dyellow"}, {-2233, 35, "std_dyellow"}, {-2234, 34, "std_red"},
      {1638, 60, "std_green"},    {1639, 61, "std_dyellow"},  {2382, 65, "std_dyellow"},
      {2383, 66, "std_red"},      {-32768, -170, "std_red"},  {32767, 270, "std_red"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.offset);
    EXPECT_EQ(offsetBarPosition(c.offset), c.position);
    EXPECT_STREQ(offsetBarColor(offsetBarPosition(c.offset)), c.color);
  }
}

TEST(Offset, TextValueInMHz) {
  struct Case {
    int offset;
    double mhz;
  };
  const Case cases[] = {{1000, 1.34277}, {-7447, -9.99960819}, {-1, -0.00134277}, {0, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.offset);
    EXPECT_NEAR(offsetMHz(c.offset), c.mhz, 1e-9);
  }
}

TEST(Lock, StatusBits) {
  struct Case {
    int status;
    bool lock, fec, sync;
  };
  const Case cases[] = {
      {0x98, true, true, true},    {0x9C, true, true, true},   {0x90, true, true, false},
      {0x88, true, false, false},  {0x80, true, false, false}, {0x18, false, false, false},
      {0x00, false, false, false}, {0xFF, true, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.status);
    const LockState s = lockState(c.status);
    EXPECT_EQ(s.lock, c.lock);
    EXPECT_EQ(s.fec, c.fec);
    EXPECT_EQ(s.sync, c.sync);
  }
}

}  // namespace
