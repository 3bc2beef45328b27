#pragma once
// The simulated signal: from the dish's pointing error and the tuned transponder it decides what
// the receiver's devices report. It writes the demodulator's registers on the I2C bus model and
// the frontend device's frequency, and answers the frontend's SNR(), SignalStrength(), BER() and
// Status() for terrestrial receivers. It refreshes every 100 ms of host time, after a pointing
// change and when a tune completes. Runs on the GUI thread only.

#include <map>
#include <optional>
#include <random>
#include <utility>
#include <vector>

#include "host/host.h"
#include "host/receiver.h"
#include "profile/profile.h"
#include "simulated_devices.h"

class SignalModel : public eFrontendSource, public SigC::Object {
 public:
  SignalModel(SimulatedDevices& devices, StandInReceiver& receiver, const Profile& profile);
  ~SignalModel() override;
  SignalModel(const SignalModel&) = delete;
  SignalModel& operator=(const SignalModel&) = delete;

  // Puts the chips on the bus, takes the service's transponder as tuned and starts refreshing.
  // Needs eApp. Also hooks the receiver's tune calls.
  void start();

  // Pointing error of the dish in degrees (0, 0: on the satellite it aims at).
  void setPointingError(double azimuthDeg, double elevationDeg);
  double azimuthError() const { return azimuth; }
  double elevationError() const { return elevation; }

  // A tune request: the new transponder locks after the receiver's tune delay.
  void tuned(const eTransponder& tp);

  // Pinned values win over the model until released. reg -1 is the plain-read byte.
  void pinRegisters(int address, int reg, const std::vector<uint8_t>& bytes);
  void unpinRegisters(int address, int reg);
  void pinFrontendFrequency(uint32_t kHz);
  enum class Reading { snr, strength, ber, status };
  void pinReading(Reading reading, long value);

  // Recomputes everything and writes the devices.
  void refresh();

  // What the model says now, for the simulator's panel.
  struct Report {
    double lossDb = 0;
    double snrDb = 0;  // without the reading noise
    bool locked = false;
    bool tuning = false;  // a tune has not completed yet
    bool hasTransponder = false;
    eTransponder transponder;
  };
  Report report() const;

  // eFrontendSource
  int snr() override;
  int signalStrength() override;
  int ber() override;
  unsigned status() override;

 private:
  bool isSatellite() const;
  double lossNow() const;
  void writeSatelliteRegisters(double snrDb, double lossDb, bool locked);
  void writeTerrestrial(double snrDb, double lossDb, bool locked);
  void writeFrontendFrequency();
  void applyPins();
  uint32_t intermediateFrequency() const;

  SimulatedDevices& devices;
  StandInReceiver& receiver;
  const Profile& profile;
  eTimer ticker;
  std::mt19937 random;
  std::normal_distribution<double> jitter{0.0, 1.0};

  double azimuth = 0;
  double elevation = 0;
  bool hasTransponder = false;
  eTransponder transponder;
  int64_t lockableFromUs = 0;
  uint64_t pendingCompletion = 0;

  std::map<std::pair<int, int>, std::vector<uint8_t>> pinnedRegisters;
  std::optional<uint32_t> pinnedFrequency;
  std::map<Reading, long> pinnedReadings;

  // Last terrestrial readings.
  int lastSnr = 0;
  int lastStrength = 0;
  int lastBer = 0;
  unsigned lastStatus = 0;
};
