// One refresh of the satellite window through the device models: registers on the I2C bus and
// the frontend's frequency in, widget state, tone pitch, log lines and the re-armed timer out.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "plugin/my_ebeamseek.h"
#include "seam/device_requests.h"
#include "support/finder_fixture.h"
#include "tone/tone.h"

namespace {

constexpr int kDemod = 0x68;
constexpr int kPolarisationDevice = 0x08;

// Register numbers per chip, written out again here so a wrong table in the code shows up.
struct ChipRegisters {
  int status, agc1, symbolRate, offset, agc2, errors, noise;
};
const ChipRegisters kStv0299b{0x1B, 0x16, 0x1F, 0x22, 0x18, 0x1D, 0x24};
const ChipRegisters kStv0288{0x24, 0x16, 0x28, 0x2B, 0x20, 0x26, 0x2D};
const ChipRegisters& registersOf(int demodType) {
  return demodType == 0 ? kStv0299b : kStv0288;
}

// Fails every read of one register of the demodulator, passing all else to the device models:
// the bus failing on exactly one reading of a tick.
class FailOneRegister : public DeviceSeam {
 public:
  FailOneRegister(DeviceSeam& models, int failingRegister)
      : inner(models), target(failingRegister), previous(installDevices(this)) {}
  ~FailOneRegister() override { installDevices(previous); }

  int open(const char* path, int flags) override {
    const int fd = inner.open(path, flags);
    if (fd >= 0 && std::string(path) == devpath::kI2cBus)
      bus[fd] = Selection{};
    return fd;
  }
  int close(int fd) override {
    bus.erase(fd);
    return inner.close(fd);
  }
  ssize_t read(int fd, void* buf, size_t count) override {
    auto it = bus.find(fd);
    if (it != bus.end() && it->second.address == kDemod && it->second.reg == target)
      return -1;
    return inner.read(fd, buf, count);
  }
  ssize_t write(int fd, const void* buf, size_t count) override {
    auto it = bus.find(fd);
    if (it != bus.end() && count == 1)
      it->second.reg = *static_cast<const unsigned char*>(buf);
    return inner.write(fd, buf, count);
  }
  int ioctl(int fd, unsigned long request, void* arg) override {
    auto it = bus.find(fd);
    if (it != bus.end() && request == kI2cSlaveForce) {
      it->second.address = static_cast<int>(reinterpret_cast<uintptr_t>(arg));
    }
    return inner.ioctl(fd, request, arg);
  }
  void sleepMicroseconds(unsigned long us) override { inner.sleepMicroseconds(us); }
  int createThread(pthread_t* thread, const pthread_attr_t* attr, void* (*entry)(void*),
                   void* arg) override {
    return inner.createThread(thread, attr, entry, arg);
  }
  void beforeBusyWait() override { inner.beforeBusyWait(); }

 private:
  struct Selection {
    int address = -1;
    int reg = -1;
  };
  DeviceSeam& inner;
  int target;
  DeviceSeam* previous;
  std::map<int, Selection> bus;
};

class UpdateTest : public HostFixture {
 protected:
  UpdateTest() {
    receiver.setFrontendType(0);
    // No service: InitSAT returns at once and the test builds the roster itself.
    receiver.setServiceAvailable(false);
    w = std::make_unique<my_eBeamseek>(eFrontend::getInstance());
    createRoster();

    lnb.lof_lo = 9750000;
    lnb.lof_hi = 10600000;
    lnb.lof_threshold = 11700000;
    tp.satellite.valid = 1;
    tp.satellite.frequency = 11000000;  // low band
    w->currentTP = &tp;
    w->currentLNB = &lnb;
    w->agcInverted = 0;
    useChip(0);
    devices.i2c.setPlainReadByte(kPolarisationDevice, 0x08);
    devices.frontend.setFrequency(1996000);
  }

  void createRoster() {
    w->snrBar = new eProgress(w.get());
    w->agc1Bar = new eProgress(w.get());
    w->agcBar = new eProgress(w.get());
    w->berBar = new eProgress(w.get());
    w->offsetBar = new eProgress(w.get());
    w->snrNum = new eLabel(w.get());
    w->agcNum = new eLabel(w.get());
    w->agc1Num = new eLabel(w.get());
    w->berNum = new eLabel(w.get());
    w->freqNum = new eLabel(w.get());
    w->offsetNum = new eLabel(w.get());
    w->symNum = new eLabel(w.get());
    w->syncBox = new eCheckbox(w.get());
    w->fecBox = new eCheckbox(w.get());
    w->lockBox = new eCheckbox(w.get());
  }

  // Selects the chip and clears its registers, so each case starts from a silent chip.
  void useChip(int demodType) {
    w->demodType = demodType;
    for (int reg = 0; reg < 256; ++reg)
      devices.i2c.setRegister(kDemod, reg, 0);
  }
  const ChipRegisters& regs() const { return registersOf(w->demodType); }

  void setByte(int reg, int value) { devices.i2c.setRegister(kDemod, reg, uint8_t(value)); }
  void setWord(int reg, int value) {
    devices.i2c.setRegisters(kDemod, reg, {uint8_t((value >> 8) & 0xFF), uint8_t(value & 0xFF)});
  }
  void setNoise(int value) { setWord(regs().noise, value); }
  void setOffset(int value) { setWord(regs().offset, value); }

  std::string text(eWidget* widget) const { return widget->getText(); }

  eLNB lnb;
  eTransponder tp;
  std::unique_ptr<my_eBeamseek> w;
};

TEST_F(UpdateTest, WithoutTransponderOnlyTheTimerIsArmed) {
  w->currentTP = nullptr;
  w->snrNum->setText("kept");
  devices.i2c.clearTransfers();
  w->update();
  EXPECT_TRUE(devices.i2c.transfers().empty());
  EXPECT_EQ(devices.frontend.queries(), 0);
  EXPECT_EQ(w->snrNum->getText(), "kept");
  EXPECT_TRUE(w->refreshTimer.isActive());
}

TEST_F(UpdateTest, EightReadsInOrderAndOneFrontendQueryPerTick) {
  for (int demodType : {0, 1}) {
    SCOPED_TRACE(demodType);
    useChip(demodType);
    const ChipRegisters& r = regs();
    const std::vector<I2cBusModel::Transfer> expected = {
        {kDemod, r.status, 1},     {kPolarisationDevice, -1, 1}, {kDemod, r.agc1, 1},
        {kDemod, r.symbolRate, 3}, {kDemod, r.offset, 2},        {kDemod, r.agc2, 2},
        {kDemod, r.errors, 2},     {kDemod, r.noise, 2},
    };
    devices.i2c.clearTransfers();
    const int queriesBefore = devices.frontend.queries();
    const int i2cOpensBefore = devices.i2c.opensInAll();
    w->refreshTimer.stop();
    w->update();
    const auto seen = devices.i2c.transfers();
    ASSERT_EQ(seen.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
      SCOPED_TRACE(i);
      EXPECT_EQ(seen[i].address, expected[i].address);
      EXPECT_EQ(seen[i].reg, expected[i].reg);
      EXPECT_EQ(seen[i].bytes, expected[i].bytes);
    }
    // Every reading opens and closes the bus; nothing stays open between ticks.
    EXPECT_EQ(devices.i2c.opensInAll() - i2cOpensBefore, 8);
    EXPECT_EQ(devices.frontend.queries() - queriesBefore, 1);
    EXPECT_EQ(devices.openDescriptors(), 0);
    EXPECT_TRUE(w->refreshTimer.isActive());
  }
}

TEST_F(UpdateTest, SnrTextColourBarAndTone) {
  enum Colour { green, yellow, red };
  struct Case {
    int noise;
    const char* text;
    Colour colour;
    int barPercent;
    int tone;
    bool blinks;
  };
  const Case cases[] = {
      {0, "19.2dB", green, 100, 192, false},  {1, "19.2dB", green, 99, 191, false},
      {6882, "7.5dB", green, 39, 75, false},  {6883, "7.5dB", yellow, 39, 74, false},
      {8352, "5.0dB", yellow, 26, 50, false}, {8353, "5.0dB", red, 26, 49, false},
      {11882, "-1.0dB", red, 0, 0, false},    {11883, "-1.0dB", red, 0, 0, true},
      {11295, "-0.0dB", red, 0, 0, false},
  };
  const char* const leftColor[] = {"std_green", "std_dyellow", "std_red"};
  const gColor* const colour[] = {&w->greenColor, &w->yellowColor, &w->redColor};
  for (int demodType : {0, 1}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << "chip " << demodType << " noise " << c.noise);
      useChip(demodType);
      setNoise(c.noise);
      w->snrBlink = 0;
      w->snrBar->setProperty("leftColor", "before");
      snr_sound = -1;
      w->update();
      EXPECT_EQ(text(w->snrNum), c.text);
      EXPECT_EQ(w->snrNum->getForegroundColor(), *colour[c.colour]);
      EXPECT_EQ(w->snrBar->getPerc(), c.barPercent);
      EXPECT_EQ(snr_sound.load(), c.tone);
      // A blinking tick leaves the bar's colour alone and advances the phase.
      EXPECT_EQ(w->snrBar->getProperty("leftColor"), c.blinks ? "before" : leftColor[c.colour]);
      EXPECT_EQ(w->snrBlink, c.blinks ? 1 : 0);
    }
  }
}

TEST_F(UpdateTest, LowSnrBlinksRedTwiceThenMagentaThriceKeepingTheBarColour) {
  setNoise(0);
  w->update();
  ASSERT_EQ(w->snrBar->getProperty("leftColor"), "std_green");

  setNoise(12471);  // -2.0 dB
  const gColor* const expected[] = {&w->redColor,     &w->redColor,     &w->magentaColor,
                                    &w->magentaColor, &w->magentaColor, &w->redColor};
  for (size_t tick = 0; tick < std::size(expected); ++tick) {
    SCOPED_TRACE(tick);
    w->update();
    EXPECT_EQ(text(w->snrNum), "-2.0dB");
    EXPECT_EQ(w->snrNum->getForegroundColor(), *expected[tick]);
    EXPECT_EQ(w->snrBar->getProperty("leftColor"), "std_green");
    EXPECT_EQ(w->snrBar->getPerc(), 0);
    EXPECT_EQ(snr_sound.load(), 0);
  }

  // A tick above -1 dB ends the blinking: the next low tick starts red again.
  w->update();  // phase 1
  setNoise(8353);
  w->update();
  EXPECT_EQ(w->snrBlink, 0);
  setNoise(12471);
  w->update();
  EXPECT_EQ(w->snrNum->getForegroundColor(), w->redColor);
  EXPECT_EQ(w->snrBar->getProperty("leftColor"), "std_red");
}

TEST_F(UpdateTest, Agc1ByteToPercent) {
  struct Case {
    int byte;
    int inverted;
    int percent;
  };
  const Case cases[] = {{0, 0, 50},   {127, 0, 100}, {128, 0, 0},
                        {200, 0, 28}, {255, 0, 50},  {127, 128, 0}};
  for (int demodType : {0, 1}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << "chip " << demodType << " byte " << c.byte);
      useChip(demodType);
      setByte(regs().agc1, c.byte);
      w->agcInverted = c.inverted;
      w->update();
      EXPECT_EQ(w->agc1Bar->getPerc(), c.percent);
      EXPECT_EQ(text(w->agc1Num), std::to_string(c.percent) + "%");
    }
  }
}

TEST_F(UpdateTest, Agc2ValueToPercent) {
  struct Case {
    int value;
    int percent;
  };
  const Case cases[] = {{65535, 100}, {32767, 49}, {0, 0}};
  for (int demodType : {0, 1}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << "chip " << demodType << " value " << c.value);
      useChip(demodType);
      setWord(regs().agc2, c.value);
      w->update();
      EXPECT_EQ(w->agcBar->getPerc(), c.percent);
      EXPECT_EQ(text(w->agcNum), std::to_string(c.percent) + "%");
    }
  }
}

TEST_F(UpdateTest, ErrorCountTextAndBar) {
  struct Case {
    int errors;
    int bar;
  };
  const Case cases[] = {{0, 0}, {1, 0}, {2, 1}, {1000, 9}, {65535, 15}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.errors);
    setWord(regs().errors, c.errors);
    w->update();
    EXPECT_EQ(text(w->berNum), std::to_string(c.errors));
    EXPECT_EQ(w->berBar->getPerc(), c.bar);
  }
}

TEST_F(UpdateTest, ReceivedFrequencyAndPolarisation) {
  struct Case {
    int demodType;
    unsigned lof;
    uint32_t fe;
    int offset;
    int polarisationByte;
    const char* text;
  };
  const Case cases[] = {
      {0, 9750000, 1996000, 0, 0x08, " 11746.000 MHz/H"},
      {1, 9750000, 1996000, 0, 0x08, " 11746.000 MHz/H"},
      {0, 9750000, 1996000, 745, 0x08, " 11745.000 MHz/H"},
      {1, 9750000, 1996000, 745, 0x08, " 11744.875 MHz/H"},
      {0, 10600500, 1000000, 0, 0x08, " 11600.000 MHz/H"},
      {0, 10600501, 1000000, 0, 0x08, " 11601.000 MHz/H"},
      {1, 9750000, 1996000, 0, 0xF7, " 11746.000 MHz/V"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    useChip(c.demodType);
    lnb.lof_lo = c.lof;
    devices.frontend.setFrequency(c.fe);
    setOffset(c.offset);
    devices.i2c.setPlainReadByte(kPolarisationDevice, uint8_t(c.polarisationByte));
    w->update();
    EXPECT_EQ(text(w->freqNum), c.text);
    EXPECT_EQ(w->currentLOF, static_cast<int>(c.lof));
  }
}

TEST_F(UpdateTest, OscillatorChosenAgainEveryTick) {
  struct Case {
    unsigned tpFrequency;
    int lof;
  };
  const Case cases[] = {{11700000, 9750000}, {11700001, 10600000}, {10700000, 9750000}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tpFrequency);
    tp.satellite.frequency = c.tpFrequency;
    w->update();
    EXPECT_EQ(w->currentLOF, c.lof);
  }
}

TEST_F(UpdateTest, TickWithoutLnbKeepsThePreviousOscillator) {
  tp.satellite.frequency = 12000000;
  w->update();
  ASSERT_EQ(w->currentLOF, 10600000);
  w->currentLNB = nullptr;
  w->update();
  EXPECT_EQ(w->currentLOF, 10600000);
  EXPECT_EQ(text(w->freqNum), " 12596.000 MHz/H");
  EXPECT_TRUE(w->refreshTimer.isActive());
}

TEST_F(UpdateTest, FrontendFailuresLogAndShowNoFrequency) {
  struct Case {
    bool openFails;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {true, {"eBeamseek::update() Fehler beim öffnen von DEMOD", "Fehler bein FE_GET_FRONTEND"}},
      {false, {"Fehler bein FE_GET_FRONTEND"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.openFails ? "open fails" : "query fails");
    devices.frontend.faults.open = c.openFails;
    devices.frontend.faults.ioctl = !c.openFails;
    debuglog::clear();
    w->freqNum->setText(" 11746.000 MHz/H");
    setNoise(0);
    w->refreshTimer.stop();
    w->update();
    EXPECT_EQ(log(), c.lines);
    // No figure that could pass for a reading; the polarisation is still known.
    EXPECT_EQ(text(w->freqNum), " ----- MHz/H");
    EXPECT_EQ(text(w->snrNum), "19.2dB");
    EXPECT_EQ(text(w->symNum), " 0.000 kSym");
    EXPECT_TRUE(w->refreshTimer.isActive());
    EXPECT_EQ(devices.openDescriptors(), 0);
  }
}

TEST_F(UpdateTest, SymbolRatePerChip) {
  struct Case {
    int demodType;
    const char* text;
  };
  const Case cases[] = {{0, " 27.500 kSym"}, {1, " 31.250 kSym"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.demodType);
    useChip(c.demodType);
    devices.i2c.setRegisters(kDemod, regs().symbolRate, {0x50, 0x00, 0x00});  // 5242880
    w->update();
    EXPECT_EQ(text(w->symNum), c.text);
  }
}

TEST_F(UpdateTest, OffsetTextAndMarker) {
  struct Case {
    int offset;
    const char* text;
    const char* color;
    int start;
  };
  const Case cases[] = {
      {0, " 0.000 MHz", "std_green", 49},       {1000, " 1.343 MHz", "std_green", 55},
      {-7447, "-10.000 MHz", "std_red", -1},    {-1489, "-1.999 MHz", "std_green", 39},
      {-1490, "-2.001 MHz", "std_dyellow", 38}, {-2233, "-2.998 MHz", "std_dyellow", 34},
      {-2234, "-3.000 MHz", "std_red", 33},     {1638, " 2.199 MHz", "std_green", 59},
      {1639, " 2.201 MHz", "std_dyellow", 60},  {2382, " 3.198 MHz", "std_dyellow", 64},
      {2383, " 3.200 MHz", "std_red", 65},
  };
  for (int demodType : {0, 1}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << "chip " << demodType << " offset " << c.offset);
      useChip(demodType);
      setOffset(c.offset);
      w->update();
      EXPECT_EQ(text(w->offsetNum), c.text);
      EXPECT_EQ(w->offsetBar->getProperty("leftColor"), c.color);
      EXPECT_EQ(w->offsetBar->getStart(), c.start);
    }
  }
}

struct StatusCase {
  int demodType;
  int status;
  bool lock, fec, sync;
  const char* caption;
};
const StatusCase kStatusCases[] = {
    {0, 0x98, true, true, true, "FEC 2/3"},  {1, 0x98, true, true, true, "FEC 1/2"},
    {0, 0x9C, true, true, true, "FEC 1/2"},  {1, 0x9C, true, true, true, "FEC 7/8"},
    {0, 0x80, true, false, false, "FEC"},    {1, 0x80, true, false, false, "FEC"},
    {0, 0x18, false, false, false, "FEC"},   {1, 0x18, false, false, false, "FEC"},
    {0, 0x90, true, true, false, "FEC 2/3"}, {1, 0x9B, true, true, true, "FEC 5/6"},
};

TEST_F(UpdateTest, StatusByteTicksBoxesAndNamesTheCodeRate) {
  for (const StatusCase& c : kStatusCases) {
    SCOPED_TRACE(testing::Message() << "chip " << c.demodType << " status " << c.status);
    useChip(c.demodType);
    setByte(regs().status, c.status);
    w->update();
    EXPECT_EQ(w->lockBox->isChecked(), c.lock ? 1 : 0);
    EXPECT_EQ(w->fecBox->isChecked(), c.fec ? 1 : 0);
    EXPECT_EQ(w->syncBox->isChecked(), c.sync ? 1 : 0);
    EXPECT_EQ(text(w->fecBox), c.caption);
  }
}

TEST_F(UpdateTest, FailedStatusReadShowsNothingLocked) {
  for (int demodType : {0, 1}) {
    SCOPED_TRACE(demodType);
    useChip(demodType);
    setByte(regs().status, 0x98);
    w->update();
    ASSERT_EQ(w->syncBox->isChecked(), 1);

    FailOneRegister failing(devices, regs().status);
    w->update();
    EXPECT_EQ(w->lockBox->isChecked(), 0);
    EXPECT_EQ(w->fecBox->isChecked(), 0);
    EXPECT_EQ(w->syncBox->isChecked(), 0);
    EXPECT_EQ(text(w->fecBox), "FEC");
    // The other readings of the tick are shown as usual.
    EXPECT_EQ(text(w->snrNum), "19.2dB");
    EXPECT_EQ(snr_sound.load(), 192);
    EXPECT_EQ(devices.openDescriptors(), 0);
  }
}

TEST_F(UpdateTest, FailedNoiseReadShowsTheWorstSignalAndSilence) {
  for (int demodType : {0, 1}) {
    SCOPED_TRACE(demodType);
    useChip(demodType);
    setByte(regs().status, 0x98);
    setNoise(0);
    w->update();
    ASSERT_EQ(snr_sound.load(), 192);

    FailOneRegister failing(devices, regs().noise);
    const gColor* const blink[] = {&w->redColor, &w->redColor, &w->magentaColor};
    for (size_t tick = 0; tick < std::size(blink); ++tick) {
      SCOPED_TRACE(tick);
      w->update();
      EXPECT_EQ(text(w->snrNum), "-92.2dB");
      EXPECT_EQ(w->snrNum->getForegroundColor(), *blink[tick]);
      EXPECT_EQ(w->snrBar->getPerc(), 0);
      EXPECT_EQ(snr_sound.load(), 0);
    }
    // The status read did not fail, so the boxes still say what the chip said.
    EXPECT_EQ(w->syncBox->isChecked(), 1);
    EXPECT_EQ(text(w->fecBox), demodType == 0 ? "FEC 2/3" : "FEC 1/2");
    w->snrBlink = 0;
  }
}

TEST_F(UpdateTest, SilentBusShowsNoSignalAndKeepsTicking) {
  // Every reading of the tick fails: the demodulator and the polarisation device are gone.
  devices.i2c.removeDevice(kDemod);
  devices.i2c.removeDevice(kPolarisationDevice);
  w->update();
  EXPECT_EQ(w->lockBox->isChecked(), 0);
  EXPECT_EQ(text(w->fecBox), "FEC");
  EXPECT_EQ(text(w->snrNum), "-92.2dB");
  EXPECT_EQ(snr_sound.load(), 0);
  EXPECT_EQ(text(w->berNum), "-1");
  EXPECT_EQ(w->berBar->getPerc(), 0);
  EXPECT_EQ(text(w->agc1Num), "49%");
  EXPECT_EQ(w->agcBar->getPerc(), 0);
  EXPECT_EQ(devices.openDescriptors(), 0);
  EXPECT_TRUE(w->refreshTimer.isActive());
}

TEST_F(UpdateTest, EmptyRosterEntriesAreSkipped) {
  // What the skin layout creates: no AGC1, offset, frequency, symbol-rate or FEC widgets.
  auto skinWindow = std::make_unique<my_eBeamseek>(eFrontend::getInstance());
  skinWindow->snrBar = new eProgress(skinWindow.get());
  skinWindow->agcBar = new eProgress(skinWindow.get());
  skinWindow->berBar = new eProgress(skinWindow.get());
  skinWindow->syncBox = new eCheckbox(skinWindow.get());
  skinWindow->lockBox = new eCheckbox(skinWindow.get());
  skinWindow->snrNum = new eLabel(skinWindow.get());
  skinWindow->agcNum = new eLabel(skinWindow.get());
  skinWindow->berNum = new eLabel(skinWindow.get());
  skinWindow->currentTP = &tp;
  skinWindow->currentLNB = &lnb;
  setByte(regs().status, 0x98);
  setNoise(6883);
  setWord(regs().agc2, 65535);
  setWord(regs().errors, 3);
  skinWindow->update();
  EXPECT_EQ(skinWindow->snrNum->getText(), "7.5dB");
  EXPECT_EQ(skinWindow->snrBar->getProperty("leftColor"), "std_dyellow");
  EXPECT_EQ(skinWindow->agcNum->getText(), "100%");
  EXPECT_EQ(skinWindow->berNum->getText(), "3");
  EXPECT_EQ(skinWindow->syncBox->isChecked(), 1);
  EXPECT_EQ(skinWindow->currentLOF, 9750000);
  EXPECT_EQ(snr_sound.load(), 74);
  EXPECT_TRUE(skinWindow->refreshTimer.isActive());

  // A window with no widgets at all still measures for the tone.
  auto bare = std::make_unique<my_eBeamseek>(eFrontend::getInstance());
  bare->currentTP = &tp;
  setNoise(0);
  bare->update();
  EXPECT_EQ(snr_sound.load(), 192);
  EXPECT_TRUE(bare->refreshTimer.isActive());
}

TEST_F(UpdateTest, TimerFiresTheNextTick) {
  // Wired as the layout wires it: each tick re-arms the single-shot timer for the next one.
  w->refreshTimer.timeout.connect(SigC::slot(*w, &my_eBeamseek::update));
  w->update();
  const int before = devices.frontend.queries();
  loop.advance(250);
  EXPECT_EQ(devices.frontend.queries(), before + 1);
  loop.advance(250);
  EXPECT_EQ(devices.frontend.queries(), before + 2);
  EXPECT_TRUE(w->refreshTimer.isActive());
}

}  // namespace
