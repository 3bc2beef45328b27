#include "bench_host.h"

#include <cstdint>
#include <initializer_list>
#include <iterator>

#include "tone/tone.h"

namespace {
constexpr int kDemod = 0x68;
constexpr int kSecondDevice = 0x08;
constexpr int kTerrestrialId = 70;

// One register (or run of registers, most significant byte first) of the satellite chip.
struct RegisterValue {
  int reg;
  std::initializer_list<uint8_t> bytes;
};

// A locked transponder at 27500 kSym, 10 dB (noise value 5412), FEC and sync, a small carrier
// offset: what a refresh reads on a dish that is close to aligned.
const RegisterValue kStv0299bLocked[] = {
    {0x00, {0xA1}},              // identification
    {0x1B, {0x98}},              // status: lock, FEC, sync, code rate index 0
    {0x16, {0x40}},              // AGC1
    {0x1F, {0x50, 0x00, 0x00}},  // symbol rate 5242880 / 190.65018 = 27500 kSym
    {0x22, {0x01, 0x00}},        // carrier offset
    {0x18, {0x80, 0x00}},        // AGC2
    {0x1D, {0x00, 0x10}},        // error count
    {0x24, {0x15, 0x24}},        // noise 5412: 10.0 dB
};
const RegisterValue kStv0288Locked[] = {
    {0x00, {0x11}},              // identification: anything but 0xA1
    {0x24, {0x98}},              // status
    {0x16, {0x40}},              // AGC1
    {0x28, {0x46, 0x66, 0x66}},  // symbol rate 4613734 / 167.77216 = 27500 kSym
    {0x2B, {0x01, 0x00}},        // carrier offset
    {0x20, {0x80, 0x00}},        // AGC2
    {0x26, {0x00, 0x10}},        // error count
    {0x2D, {0x15, 0x24}},        // noise 5412: 10.0 dB
};

template <size_t N>
void load(I2cBusModel& bus, const RegisterValue (&values)[N]) {
  for (const RegisterValue& value : values)
    bus.setRegisters(kDemod, value.reg, value.bytes);
}
}  // namespace

BenchHost::BenchHost() {
  eApp = &loop;
  receiver.install();
  eSkin::setActive(nullptr);
  debuglog::setSink([](const std::string&) {});
  debuglog::clear();
  eMessageBox::clearMessageBoxes();
  devices.audio.setPresent(false);
  snr_sound = 0;
  sound_enable = 0;
  sound_run = 0;
  sound_running = 0;
}

BenchHost::~BenchHost() {
  debuglog::setSink(nullptr);
  debuglog::clear();
  receiver.uninstall();
  if (eApp == &loop)
    eApp = nullptr;
}

std::unique_ptr<my_eBeamseek> BenchHost::openSatelliteWindow(int demodType) {
  receiver.fillDefaultSatellite();
  if (demodType == 0) {
    load(devices.i2c, kStv0299bLocked);
  } else {
    load(devices.i2c, kStv0288Locked);
  }
  devices.i2c.setPlainReadByte(kSecondDevice, 0x08);  // horizontal
  devices.frontend.setFrequency(1236000);             // 11836 MHz on the 10600 MHz oscillator
  return std::make_unique<my_eBeamseek>(eFrontend::getInstance());
}

std::unique_ptr<my_eBeamseek> BenchHost::openTerrestrialWindow() {
  receiver.setFrontendType(eFrontend::feTerrestrial);
  receiver.setReceptionType(2);
  tpPacket& region = receiver.addNetwork("Berlin", 0);
  receiver.addTerrestrialTransponder(region, 474000000);
  receiver.addTerrestrialTransponder(region, 482000000);
  receiver.addTerrestrialTransponder(region, 490000000);
  receiver.setCurrentTransponder(*std::next(region.possibleTransponders.begin()));
  devices.i2c.setRegister(kSecondDevice, 0x00, kTerrestrialId);
  devices.i2c.setRegister(kSecondDevice, 0x1C, 180);  // SNR 70 %
  StandInReceiver::FixedReadings& readings = receiver.fixedReadings();
  readings.snr = 46000;
  readings.signalStrength = 41000;
  readings.ber = 120;
  readings.status = 0x48;  // lock and sync
  return std::make_unique<my_eBeamseek>(eFrontend::getInstance());
}

bool BenchHost::showsTheSignal(const my_eBeamseek& window) {
  const char* expected = window.demodType == 2 ? "70%" : "10.0dB";
  return window.snrNum && window.lockBox && window.snrNum->getText() == expected &&
         window.lockBox->isChecked();
}

void BenchHost::dropRecords() {
  debuglog::clear();
  devices.i2c.clearTransfers();
}
