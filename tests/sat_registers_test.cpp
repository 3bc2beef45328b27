// The demodulator register readers and the chip identification: byte assembly, failure
// values, which failures are logged, and that every descriptor opened is closed.

#include <fcntl.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

#include "plugin/my_ebeamseek.h"
#include "sat/demod/identify.h"
#include "sat/demod/register_map.h"
#include "seam/device_requests.h"
#include "support/finder_fixture.h"

namespace {

// Sits in front of the device models and records what the readers ask of the seam; it can
// also fail the read that follows one particular register number.
class RecordingSeam : public DeviceSeam {
 public:
  explicit RecordingSeam(DeviceSeam& inner) : next(inner) {}

  struct Open {
    std::string path;
    int flags;
  };
  std::vector<Open> opens;
  int closes = 0;
  std::vector<unsigned long> ioctlRequests;
  std::vector<unsigned long> ioctlArgs;
  int failReadAfterRegister = -1;

  int open(const char* path, int flags) override {
    opens.push_back({path, flags});
    return next.open(path, flags);
  }
  int close(int fd) override {
    ++closes;
    return next.close(fd);
  }
  ssize_t read(int fd, void* buf, size_t count) override {
    if (lastRegister >= 0 && lastRegister == failReadAfterRegister)
      return -1;
    return next.read(fd, buf, count);
  }
  ssize_t write(int fd, const void* buf, size_t count) override {
    if (count > 0)
      lastRegister = *static_cast<const unsigned char*>(buf);
    return next.write(fd, buf, count);
  }
  int ioctl(int fd, unsigned long request, void* arg) override {
    ioctlRequests.push_back(request);
    ioctlArgs.push_back(reinterpret_cast<unsigned long>(arg));
    lastRegister = -1;
    return next.ioctl(fd, request, arg);
  }
  void sleepMicroseconds(unsigned long us) override { next.sleepMicroseconds(us); }
  int createThread(pthread_t* thread, const pthread_attr_t* attr, void* (*entry)(void*),
                   void* arg) override {
    return next.createThread(thread, attr, entry, arg);
  }
  void beforeBusyWait() override { next.beforeBusyWait(); }

 private:
  DeviceSeam& next;
  int lastRegister = -1;
};

class SatRegistersTest : public HostFixture {
 protected:
  // An empty satellite receiver: InitSAT stops before any bus access, so the window's readers
  // can be called on their own.
  SatRegistersTest() : window(eFrontend::getInstance()) {
    previous = installDevices(&recorder);
    debuglog::clear();
  }
  ~SatRegistersTest() override { installDevices(previous); }

  // Every descriptor the readers opened has been closed again.
  void expectNothingOpen() {
    EXPECT_EQ(devices.openDescriptors(), 0);
    EXPECT_EQ(recorder.closes, static_cast<int>(recorder.opens.size()));
  }

  my_eBeamseek window;
  RecordingSeam recorder{devices};
  DeviceSeam* previous = nullptr;
};

using Reader = std::function<int(my_eBeamseek&)>;

struct ReaderCase {
  const char* what;
  int address;
  int reg;  // -1: plain read
  std::vector<uint8_t> bytes;
  Reader read;
  int expected;
};

const ReaderCase kReads[] = {
    {"byte 0xFF",
     0x68,
     0x16,
     {0xFF},
     [](my_eBeamseek& w) { return w.I2C_ReadByte(0x68, 0x16); },
     255},
    {"byte 0x00",
     0x68,
     0x1B,
     {0x00},
     [](my_eBeamseek& w) { return w.I2C_ReadByte(0x68, 0x1B); },
     0},
    {"other device byte",
     0x08,
     0x1C,
     {0x80},
     [](my_eBeamseek& w) { return w.I2C_ReadByte(0x08, 0x1C); },
     128},
    {"int16 FF FF",
     0x68,
     0x22,
     {0xFF, 0xFF},
     [](my_eBeamseek& w) { return w.I2C_GetInt16(0x22); },
     0},
    {"int16 80 00",
     0x68,
     0x22,
     {0x80, 0x00},
     [](my_eBeamseek& w) { return w.I2C_GetInt16(0x22); },
     -32768},
    {"int16 FF 00",
     0x68,
     0x2B,
     {0xFF, 0x00},
     [](my_eBeamseek& w) { return w.I2C_GetInt16(0x2B); },
     -256},
    {"int16 00 01",
     0x68,
     0x2B,
     {0x00, 0x01},
     [](my_eBeamseek& w) { return w.I2C_GetInt16(0x2B); },
     1},
    {"int16 7F FF",
     0x68,
     0x22,
     {0x7F, 0xFF},
     [](my_eBeamseek& w) { return w.I2C_GetInt16(0x22); },
     32767},
    {"int16 FF FE",
     0x68,
     0x22,
     {0xFF, 0xFE},
     [](my_eBeamseek& w) { return w.I2C_GetInt16(0x22); },
     -2},
    {"uint16 FF FF",
     0x68,
     0x18,
     {0xFF, 0xFF},
     [](my_eBeamseek& w) { return w.I2C_GetUInt16(0x18); },
     65535},
    {"uint16 12 34",
     0x68,
     0x1D,
     {0x12, 0x34},
     [](my_eBeamseek& w) { return w.I2C_GetUInt16(0x1D); },
     0x1234},
    {"uint24 FF FF FF",
     0x68,
     0x1F,
     {0xFF, 0xFF, 0xFF},
     [](my_eBeamseek& w) { return w.I2C_GetUInt24(0x1F); },
     16777215},
    {"uint24 01 02 03",
     0x68,
     0x28,
     {0x01, 0x02, 0x03},
     [](my_eBeamseek& w) { return w.I2C_GetUInt24(0x28); },
     0x010203},
};

TEST_F(SatRegistersTest, ReadersAssembleTheBytesMostSignificantFirst) {
  for (const ReaderCase& c : kReads) {
    SCOPED_TRACE(c.what);
    int reg = c.reg;
    for (uint8_t b : c.bytes)
      devices.i2c.setRegister(c.address, reg++, b);
    devices.i2c.clearTransfers();
    EXPECT_EQ(c.read(window), c.expected);
    const auto transfers = devices.i2c.transfers();
    ASSERT_EQ(transfers.size(), 1u);
    EXPECT_EQ(transfers[0].address, c.address);
    EXPECT_EQ(transfers[0].reg, c.reg);
    EXPECT_EQ(transfers[0].bytes, c.bytes.size());
  }
  expectNothingOpen();
  EXPECT_TRUE(log().empty());
}

TEST_F(SatRegistersTest, PlainByteReadWritesNoRegisterNumber) {
  devices.i2c.setPlainReadByte(0x08, 0xFF);
  devices.i2c.setRegister(0x08, 0x00, 0x11);
  EXPECT_EQ(window.I2C_ReadByte(0x08), 255);
  const auto transfers = devices.i2c.transfers();
  ASSERT_EQ(transfers.size(), 1u);
  EXPECT_EQ(transfers[0].reg, -1);
  expectNothingOpen();
}

TEST_F(SatRegistersTest, EveryCallOpensTheBusAndSelectsItsAddress) {
  devices.i2c.setRegister(0x08, 0x00, 0);
  devices.i2c.setRegister(0x68, 0x00, 0);
  window.I2C_ReadByte(0x08);
  window.I2C_ReadByte(0x08, 0x00);
  window.I2C_GetUInt16(0x00);
  window.I2C_GetInt16(0x00);
  window.I2C_GetUInt24(0x00);
  ASSERT_EQ(recorder.opens.size(), 5u);
  for (const auto& o : recorder.opens) {
    EXPECT_EQ(o.path, "/dev/i2c/0");
    EXPECT_EQ(o.flags, O_RDWR | O_NONBLOCK);
  }
  EXPECT_EQ(recorder.ioctlRequests, std::vector<unsigned long>(5, 0x0706));
  EXPECT_EQ(recorder.ioctlArgs, (std::vector<unsigned long>{0x08, 0x08, 0x68, 0x68, 0x68}));
  expectNothingOpen();
}

// Each reader with the number of bytes it reads and whether it logs a failed selection.
struct ReaderKind {
  const char* what;
  Reader read;
  bool logsSelectFailure;
};

const ReaderKind kReaders[] = {
    {"I2C_ReadByte(addr)", [](my_eBeamseek& w) { return w.I2C_ReadByte(0x68); }, true},
    {"I2C_ReadByte(addr, reg)", [](my_eBeamseek& w) { return w.I2C_ReadByte(0x68, 0x1B); }, false},
    {"I2C_GetUInt16", [](my_eBeamseek& w) { return w.I2C_GetUInt16(0x18); }, false},
    {"I2C_GetInt16", [](my_eBeamseek& w) { return w.I2C_GetInt16(0x22); }, true},
    {"I2C_GetUInt24", [](my_eBeamseek& w) { return w.I2C_GetUInt24(0x1F); }, false},
};

TEST_F(SatRegistersTest, OpenFailureReturnsMinusOneWithoutLogOrClose) {
  devices.i2c.setRegisters(0x68, 0x00, {0x12, 0x34, 0x56});
  devices.i2c.faults.open = true;
  for (const ReaderKind& r : kReaders) {
    SCOPED_TRACE(r.what);
    EXPECT_EQ(r.read(window), -1);
  }
  EXPECT_EQ(recorder.opens.size(), 5u);
  EXPECT_EQ(recorder.closes, 0);
  EXPECT_TRUE(recorder.ioctlRequests.empty());
  EXPECT_TRUE(log().empty());
}

TEST_F(SatRegistersTest, SelectionFailureClosesAndOnlyTwoReadersLogIt) {
  devices.i2c.setRegisters(0x68, 0x00, {0x12, 0x34, 0x56});
  devices.i2c.faults.select = true;
  for (const ReaderKind& r : kReaders) {
    SCOPED_TRACE(r.what);
    debuglog::clear();
    const int closesBefore = recorder.closes;
    EXPECT_EQ(r.read(window), -1);
    EXPECT_EQ(recorder.closes, closesBefore + 1);
    const std::vector<std::string> expected =
        r.logsSelectFailure ? std::vector<std::string>{"i2c ioctl fehlgeschlagen -1"}
                            : std::vector<std::string>{};
    EXPECT_EQ(log(), expected);
  }
  EXPECT_TRUE(devices.i2c.transfers().empty());
  expectNothingOpen();
}

TEST_F(SatRegistersTest, ShortOrFailedReadGivesMinusOneAndCloses) {
  devices.i2c.setRegisters(0x68, 0x00, {0x12, 0x34, 0x56});
  for (auto* fault : {&devices.i2c.faults.shortRead, &devices.i2c.faults.read}) {
    *fault = true;
    for (const ReaderKind& r : kReaders) {
      SCOPED_TRACE(r.what);
      EXPECT_EQ(r.read(window), -1);
    }
    *fault = false;
  }
  // A device that does not answer at all.
  devices.i2c.removeDevice(0x68);
  for (const ReaderKind& r : kReaders) {
    SCOPED_TRACE(r.what);
    EXPECT_EQ(r.read(window), -1);
  }
  EXPECT_EQ(recorder.opens.size(), 15u);
  expectNothingOpen();
  EXPECT_TRUE(log().empty());
}

TEST_F(SatRegistersTest, FailedRegisterWriteIsNotTestedAndTheReadFollows) {
  // Without the register number the chip answers from register 0.
  devices.i2c.setRegisters(0x68, 0x00, {0x42, 0x43});
  devices.i2c.setRegister(0x68, 0x1B, 0x99);
  devices.i2c.faults.write = true;
  EXPECT_EQ(window.I2C_ReadByte(0x68, 0x1B), 0x42);
  EXPECT_EQ(window.I2C_GetUInt16(0x1B), 0x4243);
  expectNothingOpen();
}

// Reads a register of the map with the reader its width and sign call for.
int readMapped(my_eBeamseek& w, const RegisterUse& r) {
  const auto reg = static_cast<unsigned char>(r.reg);
  if (r.width == 1)
    return r.reg < 0 ? w.I2C_ReadByte(r.address) : w.I2C_ReadByte(r.address, reg);
  if (r.width == 2)
    return r.isSigned ? w.I2C_GetInt16(reg) : w.I2C_GetUInt16(reg);
  return w.I2C_GetUInt24(reg);
}

TEST_F(SatRegistersTest, EveryRegisterOfTheMapReadsThroughItsReader) {
  for (const RegisterUse& r : kRegisterMap) {
    SCOPED_TRACE(r.meaning);
    // The multi-byte readers are fixed to the satellite demodulator.
    if (r.width > 1) {
      EXPECT_EQ(r.address, kSatDemodAddress);
    }
    ASSERT_GE(r.width, 1);
    ASSERT_LE(r.width, 3);
    devices.i2c.removeDevice(static_cast<int>(r.address));
    if (r.reg < 0) {
      devices.i2c.setPlainReadByte(static_cast<int>(r.address), 0x81);
    } else {
      devices.i2c.setRegisters(static_cast<int>(r.address), r.reg, {0x81, 0x02, 0x03});
    }
    const int expected[] = {0, 0x81, r.isSigned ? -0x7EFE : 0x8102, 0x810203};
    devices.i2c.clearTransfers();
    EXPECT_EQ(readMapped(window, r), expected[r.width]);
    const auto transfers = devices.i2c.transfers();
    ASSERT_EQ(transfers.size(), 1u);
    EXPECT_EQ(transfers[0].reg, r.reg);
    EXPECT_EQ(transfers[0].bytes, static_cast<size_t>(r.width));
  }
  expectNothingOpen();
}

// --- Identification ---

struct SatelliteId {
  const char* what;
  bool answers;  // false: the chip does not answer at all
  uint8_t id;
  int demodType;
  const char* idLine;
  const char* chipLine;
};

const SatelliteId kSatelliteIds[] = {
    {"0xA1", true, 0xA1, 0, "[Vevovuvado] kennung a1", "[Vevovuvado] STV0299B"},
    {"0xA0", true, 0xA0, 1, "[Vevovuvado] kennung a0", "[Vevovuvado] STV0288"},
    {"0x00", true, 0x00, 1, "[Vevovuvado] kennung 0", "[Vevovuvado] STV0288"},
    {"0xFF", true, 0xFF, 1, "[Vevovuvado] kennung ff", "[Vevovuvado] STV0288"},
    {"no answer", false, 0, 1, "[Vevovuvado] kennung ffffffff", "[Vevovuvado] STV0288"},
};

TEST_F(SatRegistersTest, SatelliteIdentificationTellsTheChipsApart) {
  for (const SatelliteId& c : kSatelliteIds) {
    SCOPED_TRACE(c.what);
    devices.i2c.removeDevice(0x68);
    if (c.answers)
      devices.i2c.setRegister(0x68, 0x00, c.id);
    window.demodType = -7;
    debuglog::clear();
    identifySatelliteDemodulator(window);
    EXPECT_EQ(window.demodType, c.demodType);
    EXPECT_EQ(log(), (std::vector<std::string>{c.idLine, c.chipLine}));
  }
  expectNothingOpen();
}

struct AgcCase {
  const char* what;
  int register0F;  // -1: that read fails
  int agcInverted;
};

const AgcCase kAgcCases[] = {
    {"bit 7 set", 0x80, 0x80}, {"every bit set", 0xFF, 0x80}, {"bit 7 clear", 0x7F, 0},
    {"zero", 0x00, 0},         {"failed read", -1, 0x80},
};

TEST_F(SatRegistersTest, AgcInversionIsBitSevenOfRegister0F) {
  for (const AgcCase& c : kAgcCases) {
    SCOPED_TRACE(c.what);
    devices.i2c.setRegister(0x68, 0x00, 0xA1);
    devices.i2c.setRegister(0x68, 0x0F, static_cast<uint8_t>(c.register0F & 0xFF));
    recorder.failReadAfterRegister = c.register0F < 0 ? 0x0F : -1;
    window.agcInverted = 0x55;
    identifySatelliteDemodulator(window);
    EXPECT_EQ(window.agcInverted, c.agcInverted);
    EXPECT_EQ(window.demodType, 0);  // the identification read itself went through
  }
  expectNothingOpen();
}

struct TerrestrialId {
  const char* what;
  bool answers;
  uint8_t id;
  int demodType;
};

const TerrestrialId kTerrestrialIds[] = {
    {"70", true, 70, 2},
    {"71", true, 71, -1},
    {"0", true, 0, -1},
    {"no answer", false, 0, -1},
};

TEST_F(SatRegistersTest, TerrestrialIdentificationLooksFor70WithoutLogging) {
  for (const TerrestrialId& c : kTerrestrialIds) {
    SCOPED_TRACE(c.what);
    devices.i2c.removeDevice(0x08);
    if (c.answers)
      devices.i2c.setRegister(0x08, 0x00, c.id);
    window.demodType = -7;
    identifyTerrestrialDemodulator(window);
    EXPECT_EQ(window.demodType, c.demodType);
  }
  EXPECT_TRUE(log().empty());
  expectNothingOpen();
}

}  // namespace
