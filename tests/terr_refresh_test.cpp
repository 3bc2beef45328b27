// One terrestrial refresh: the demodulator's SNR register and the frontend's readings on the
// bars, numbers and check boxes, its two log lines, and the next refresh it arms.

#include <cstdint>

#include "terr_fixture.h"
#include "tone/tone.h"

namespace {

constexpr int kSnrRegister = 0x1C;

class TerrRefreshTest : public TerrFixture {
 protected:
  TerrRefreshTest() {
    fillRegions();
    window = openWindow();
  }
  StandInReceiver::FixedReadings& readings() { return receiver.fixedReadings(); }
  void setQ(int q) {
    if (q < 0) {
      devices.i2c.removeDevice(kTerrestrialDemodAddress);  // the read fails
    } else {
      devices.i2c.setRegister(kTerrestrialDemodAddress, kSnrRegister, static_cast<uint8_t>(q));
    }
  }
  std::unique_ptr<my_eBeamseek> window;
};

TEST_F(TerrRefreshTest, SnrPercentComesFromTheDemodulatorRegister) {
  struct Case {
    int q;  // -1: the read fails
    int percent;
  };
  const Case cases[] = {{255, 100}, {254, 99}, {128, 50}, {127, 49},
                        {3, 1},     {2, 0},    {0, 0},    {-1, 0}};
  readings().snr = 12345;  // goes only into the log, never onto the display
  for (const Case& c : cases) {
    SCOPED_TRACE(c.q);
    setQ(c.q);
    debuglog::clear();
    window->my_terr_update();
    EXPECT_EQ(window->snrBar->getPerc(), c.percent);
    EXPECT_EQ(window->snrNum->getText(), eString::sprintf("%d%%", c.percent));
    EXPECT_EQ(logCount(eString::sprintf("[Beamseek] SNR %d", c.percent)), 1);
  }
}

TEST_F(TerrRefreshTest, AgcPercentComesFromTheSignalStrength) {
  struct Case {
    int sig;
    int percent;
  };
  const Case cases[] = {{65535, 100},
                        {65534, 99},
                        {32768, 50},
                        {32767, 49},
                        {656, 1},
                        {655, 0},
                        {0, 0},
                        {70000, 106},
                        // would wrap in 32 bits: the percentage is computed wider
                        {30000000, 45777}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sig);
    readings().signalStrength = c.sig;
    window->my_terr_update();
    EXPECT_EQ(window->terrAgcBar->getPerc(), c.percent);
    EXPECT_EQ(window->terrAgcNum->getText(), eString::sprintf("%d%%", c.percent));
  }
}

TEST_F(TerrRefreshTest, BerBarIsTheLogarithmAndTheNumberTheRawCount) {
  struct Case {
    int ber;
    int bar;
  };
  const Case cases[] = {{1, 0},     {2, 1},      {3, 1}, {1000, 9},
                        {1024, 10}, {65535, 15}, {0, 0}, {-5, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ber);
    readings().ber = c.ber;
    window->my_terr_update();
    EXPECT_EQ(window->berBar->getPerc(), c.bar);
    EXPECT_EQ(window->berNum->getText(), eString::sprintf("%d", c.ber));
  }
}

TEST_F(TerrRefreshTest, LockAndSyncFollowStatusBitsThreeAndSix) {
  struct Case {
    unsigned status;
    int lock;
    int sync;
  };
  const Case cases[] = {{0x48, 1, 1}, {0x08, 1, 0}, {0x40, 0, 1}, {0x37, 0, 0}, {0x10, 0, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.status);
    readings().status = c.status;
    window->my_terr_update();
    EXPECT_EQ(window->lockBox->isChecked(), c.lock);
    EXPECT_EQ(window->syncBox->isChecked(), c.sync);
    EXPECT_EQ(window->feStatus, static_cast<int>(c.status));
  }
}

TEST_F(TerrRefreshTest, FirstLogLineShowsNewRawValuesBesideThePreviousDisplay) {
  struct Step {
    int snr, sig, ber, q;
    unsigned status;
    const char* line;
  };
  const Step steps[] = {
      {11, 32768, 1000, 255, 0x48, "[Beamseek] SNR 11() AGC 32768() BER 1000() NOLOCK NOSYNC"},
      {22, 65535, 3, 128, 0x08, "[Beamseek] SNR 22(100%) AGC 65535(50%) BER 3(1000) LOCK SYNC"},
      {-7, 0, 0, 0, 0x00, "[Beamseek] SNR -7(50%) AGC 0(100%) BER 0(3) LOCK NOSYNC"},
      {33, 70000, 65535, 2, 0x40, "[Beamseek] SNR 33(0%) AGC 70000(0%) BER 65535(0) NOLOCK NOSYNC"},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.line);
    readings() = {s.snr, s.sig, s.ber, s.status};
    setQ(s.q);
    debuglog::clear();
    window->my_terr_update();
    const auto lines = log();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], s.line);
    EXPECT_EQ(lines[1], eString::sprintf("[Beamseek] SNR %d", s.q * 100 / 255));
  }
}

TEST_F(TerrRefreshTest, RefreshArmsTheNextOneClosesTheBusAndLeavesTheToneAlone) {
  snr_sound = 77;
  setQ(200);
  devices.i2c.clearTransfers();
  window->my_terr_update();
  EXPECT_TRUE(window->refreshTimer.isActive());
  loop.advance(250);  // the timer's own refresh, which arms the next one
  EXPECT_TRUE(window->refreshTimer.isActive());
  const auto transfers = devices.i2c.transfers();
  ASSERT_EQ(transfers.size(), 2u);
  for (const auto& t : transfers) {
    EXPECT_EQ(t.address, kTerrestrialDemodAddress);
    EXPECT_EQ(t.reg, kSnrRegister);
    EXPECT_EQ(t.bytes, 1u);
  }
  EXPECT_EQ(devices.openDescriptors(), 0);
  EXPECT_EQ(snr_sound.load(), 77);
}

}  // namespace
