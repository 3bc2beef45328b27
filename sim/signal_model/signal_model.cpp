#include "signal_model.h"

#include <cmath>

#include "signal_math.h"

namespace {
constexpr long kRefreshMs = 100;
constexpr int kTerrestrialId = 70;
constexpr int kStv0299bId = 0xA1;
constexpr int kStv0288Id = 0x11;
constexpr int kSatDemod = 0x68;
constexpr int kSecondDevice = 0x08;
constexpr int kTerrestrialQualityRegister = 0x1C;
// A locked carrier wanders a little around the LNB's drift.
constexpr double kOffsetJitterKHz = 40.0;

// Where each satellite chip keeps each value, and how it scales them.
struct ChipRegisters {
  int status, agc1, symbolRate, offset, agc2, errors, noise;
  double symbolRateDivisor;
  double offsetClockKHz;
};
constexpr ChipRegisters kStv0299b{0x1B, 0x16, 0x1F, 0x22, 0x18, 0x1D, 0x24, 190.65018, 88000};
constexpr ChipRegisters kStv0288{0x24, 0x16, 0x28, 0x2B, 0x20, 0x26, 0x2D, 167.77216, 100000};

void putBytes(I2cBusModel& bus, int reg, uint32_t value, int width) {
  for (int i = 0; i < width; ++i) {
    const int shift = 8 * (width - 1 - i);
    bus.setRegister(kSatDemod, reg + i, static_cast<uint8_t>((value >> shift) & 0xFF));
  }
}
}  // namespace

SignalModel::SignalModel(SimulatedDevices& d, StandInReceiver& r, const Profile& p)
    : devices(d), receiver(r), profile(p), ticker(eApp), random(p.signal.seed) {
  azimuth = p.signal.azimuthErrorDeg;
  elevation = p.signal.elevationErrorDeg;
  ticker.timeout.connect(sigc::mem_fun(*this, &SignalModel::refresh));
  // The jitter's steps need not come to the millisecond; the finder's refresh does.
  ticker.setCoarse(true);
}

SignalModel::~SignalModel() {
  receiver.onTune = nullptr;
  if (eApp && pendingCompletion)
    eApp->cancel(pendingCompletion);
  ticker.stop();
}

void SignalModel::start() {
  switch (profile.demodulator) {
    case DemodChip::STV0299B:
    case DemodChip::STV0288: {
      const bool is0299 = profile.demodulator == DemodChip::STV0299B;
      devices.i2c.setRegister(kSatDemod, 0x00, is0299 ? kStv0299bId : kStv0288Id);
      devices.i2c.setRegister(kSatDemod, 0x0F, profile.agcInverted ? 0x80 : 0x00);
      devices.i2c.setPlainReadByte(kSecondDevice, 0);
      break;
    }
    case DemodChip::terrestrial:
      devices.i2c.setRegister(kSecondDevice, 0x00, kTerrestrialId);
      break;
    case DemodChip::none:
      break;
  }
  if (receiver.currentTransponder()) {
    transponder = *receiver.currentTransponder();
    hasTransponder = true;
  }
  receiver.onTune = [this](const eTransponder& tp) { tuned(tp); };
  receiver.setFrontendSource(this);
  refresh();
  ticker.start(kRefreshMs);
}

void SignalModel::setPointingError(double azimuthDeg, double elevationDeg) {
  azimuth = azimuthDeg;
  elevation = elevationDeg;
  refresh();
}

void SignalModel::tuned(const eTransponder& tp) {
  transponder = tp;
  hasTransponder = true;
  const long delay = profile.signal.tuneDelayMs;
  lockableFromUs = eApp->nowUs() + static_cast<int64_t>(delay) * 1000;
  if (pendingCompletion)
    eApp->cancel(pendingCompletion);
  pendingCompletion = eApp->callLater(delay, [this] {
    pendingCompletion = 0;
    refresh();
  });
  refresh();
}

void SignalModel::pinRegisters(int address, int reg, const std::vector<uint8_t>& bytes) {
  pinnedRegisters[{address, reg}] = bytes;
  applyPins();
}

void SignalModel::unpinRegisters(int address, int reg) {
  pinnedRegisters.erase({address, reg});
  refresh();
}

void SignalModel::pinFrontendFrequency(uint32_t kHz) {
  pinnedFrequency = kHz;
  writeFrontendFrequency();
}

void SignalModel::pinReading(Reading reading, long value) {
  pinnedReadings[reading] = value;
}

bool SignalModel::isSatellite() const {
  return profile.demodulator == DemodChip::STV0299B || profile.demodulator == DemodChip::STV0288;
}

double SignalModel::lossNow() const {
  double az = azimuth;
  // Another satellite on the arc lies that much further along in azimuth, east for a larger
  // orbital position: the dish turns east (positive azimuth) to reach it.
  if (isSatellite() && hasTransponder && transponder.satellite.valid) {
    az -= (transponder.satellite.orbital_position - profile.signal.aimedPosition) / 10.0;
  }
  return signalmath::pointingLossDb(az, elevation, profile.signal.beamwidthDeg);
}

SignalModel::Report SignalModel::report() const {
  Report r;
  r.lossDb = lossNow();
  r.snrDb = profile.signal.peakSnrDb - r.lossDb;
  r.tuning = eApp && eApp->nowUs() < lockableFromUs;
  r.hasTransponder = hasTransponder;
  r.locked = hasTransponder && !r.tuning && r.snrDb >= profile.signal.lockThresholdDb;
  r.transponder = transponder;
  return r;
}

void SignalModel::refresh() {
  const Report r = report();
  const double snrDb = r.snrDb + profile.signal.jitterDb * jitter(random);
  const bool locked = r.locked && snrDb >= profile.signal.lockThresholdDb;
  if (isSatellite()) {
    writeSatelliteRegisters(snrDb, r.lossDb, locked);
  } else if (profile.demodulator == DemodChip::terrestrial || profile.frontendType != 0) {
    writeTerrestrial(snrDb, r.lossDb, locked);
  }
  writeFrontendFrequency();
  applyPins();
}

void SignalModel::writeSatelliteRegisters(double snrDb, double lossDb, bool locked) {
  const ChipRegisters& chip = profile.demodulator == DemodChip::STV0288 ? kStv0288 : kStv0299b;
  const double margin = snrDb - profile.signal.lockThresholdDb;
  const double level = std::pow(10.0, -lossDb / 20.0);
  I2cBusModel& bus = devices.i2c;
  const int rate = signalmath::codeRateIndex(profile.demodulator, transponder.satellite.fec);
  bus.setRegister(kSatDemod, chip.status, signalmath::statusByte(locked, margin, rate));
  bus.setRegister(kSatDemod, chip.agc1,
                  signalmath::agc1ByteForPercent(static_cast<int>(std::lround(20 + 60 * level)),
                                                 profile.agcInverted));
  putBytes(bus, chip.symbolRate,
           locked ? signalmath::symbolRateValue(transponder.satellite.symbol_rate,
                                                chip.symbolRateDivisor)
                  : 0,
           3);
  const double offset =
      locked ? profile.signal.carrierOffsetKHz + kOffsetJitterKHz * jitter(random) : 0.0;
  putBytes(bus, chip.offset,
           static_cast<uint16_t>(signalmath::carrierOffsetValue(offset, chip.offsetClockKHz)), 2);
  putBytes(bus, chip.agc2,
           signalmath::agc2ValueForPercent(static_cast<int>(std::lround(90 - 60 * level))), 2);
  putBytes(bus, chip.errors, locked ? signalmath::errorCount(margin) : 65535, 2);
  putBytes(bus, chip.noise, signalmath::noiseValueForSnr(snrDb), 2);
  // Bit 3 of the second device's byte is set for horizontal polarisation.
  bus.setPlainReadByte(kSecondDevice, transponder.satellite.polarisation == 0 ? 0x08 : 0x00);
}

void SignalModel::writeTerrestrial(double snrDb, double lossDb, bool locked) {
  const double margin = snrDb - profile.signal.lockThresholdDb;
  const uint8_t quality = signalmath::terrestrialQuality(snrDb);
  if (profile.demodulator == DemodChip::terrestrial) {
    devices.i2c.setRegister(kSecondDevice, kTerrestrialQualityRegister, quality);
  }
  lastSnr = quality * 257;
  lastStrength = signalmath::terrestrialStrength(lossDb);
  lastBer = locked ? signalmath::errorCount(margin) : 65535;
  lastStatus = signalmath::terrestrialStatus(locked, margin);
}

uint32_t SignalModel::intermediateFrequency() const {
  if (!hasTransponder)
    return 0;
  if (transponder.satellite.valid) {
    const unsigned f = transponder.satellite.frequency;
    for (const eLNB& lnb : receiver.lnbs()) {
      for (const eSatellite& sat : lnb.satellites) {
        if (sat.orbital_position == transponder.satellite.orbital_position) {
          return f - (f > lnb.lof_threshold ? lnb.lof_hi : lnb.lof_lo);
        }
      }
    }
    return f;
  }
  if (transponder.terrestrial.valid) {
    return static_cast<uint32_t>(transponder.terrestrial.centre_frequency / 1000);
  }
  return static_cast<uint32_t>(transponder.cable.frequency);
}

void SignalModel::writeFrontendFrequency() {
  devices.frontend.setFrequency(pinnedFrequency ? *pinnedFrequency : intermediateFrequency());
}

void SignalModel::applyPins() {
  for (const auto& [where, bytes] : pinnedRegisters) {
    const auto [address, reg] = where;
    if (reg < 0) {
      if (!bytes.empty())
        devices.i2c.setPlainReadByte(address, bytes.front());
      continue;
    }
    for (size_t i = 0; i < bytes.size() && reg + static_cast<int>(i) < 256; ++i) {
      devices.i2c.setRegister(address, reg + static_cast<int>(i), bytes[i]);
    }
  }
}

int SignalModel::snr() {
  auto it = pinnedReadings.find(Reading::snr);
  return it != pinnedReadings.end() ? static_cast<int>(it->second) : lastSnr;
}

int SignalModel::signalStrength() {
  auto it = pinnedReadings.find(Reading::strength);
  return it != pinnedReadings.end() ? static_cast<int>(it->second) : lastStrength;
}

int SignalModel::ber() {
  auto it = pinnedReadings.find(Reading::ber);
  return it != pinnedReadings.end() ? static_cast<int>(it->second) : lastBer;
}

unsigned SignalModel::status() {
  auto it = pinnedReadings.find(Reading::status);
  return it != pinnedReadings.end() ? static_cast<unsigned>(it->second) : lastStatus;
}
