#pragma once
// The stand-in receiver behind the DVB service layer: its frontend, LNBs and satellites,
// network list, service and system information, all filled from data so a test or the
// simulator can describe any receiver. It records what the plug-in asked of it (tunes, power
// saving) so tests can check it. Only one receiver is installed at a time.

#include <cstdint>
#include <functional>
#include <list>
#include <vector>

#include "edvb.h"
#include "repeatable_memory.h"

class StandInReceiver {
 public:
  StandInReceiver();
  ~StandInReceiver();
  StandInReceiver(const StandInReceiver&) = delete;
  StandInReceiver& operator=(const StandInReceiver&) = delete;

  // Makes this receiver the one behind eFrontend, eDVB, eTransponderList and eSystemInfo.
  void install();
  void uninstall();
  static StandInReceiver* installed();

  // --- Description ---
  void setFrontendType(int type) { frontend.type = type; }
  void setReceptionType(int type) { systemInfo.receptionType = type; }
  eLNB& addLNB(unsigned lofHi, unsigned lofLo, unsigned threshold);
  eSatellite& addSatellite(eLNB& lnb, int orbitalPosition, const std::string& description);
  tpPacket& addNetwork(const std::string& name, int orbitalPosition);
  // A satellite transponder (frequency kHz, symbol rate sym/s) appended to `network`.
  eTransponder& addSatelliteTransponder(tpPacket& network, unsigned frequency, unsigned symbolRate,
                                        int polarisation, int fec, int inversion = 2);
  // A terrestrial transponder (centre frequency Hz) appended to `network`.
  eTransponder& addTerrestrialTransponder(tpPacket& network, int centreFrequency);
  std::list<eLNB>& lnbs() { return lnbList; }
  std::list<tpPacket>& networks() { return networkList.networks; }

  // The service interface: absent, or present with the transponder playing now (or none).
  void setServiceAvailable(bool available) { serviceAvailable = available; }
  void setCurrentTransponder(const eTransponder& tp);
  void clearCurrentTransponder() { service.transponder = nullptr; }
  eTransponder* currentTransponder() { return service.transponder; }

  // Where SNR(), SignalStrength(), BER() and Status() come from; nullptr: the fixed readings.
  void setFrontendSource(eFrontendSource* source) { frontendSource = source; }
  struct FixedReadings {
    int snr = 0;
    int signalStrength = 0;
    int ber = 0;
    unsigned status = 0;
  };
  FixedReadings& fixedReadings() { return fixed; }

  // How long a tune takes before the tuned-in report, and the error code it carries.
  void setTuneDelayMs(long ms) { tuneDelayMs = ms; }
  void setTuneError(int error) { tuneError = error; }
  // Called at each tune with the transponder asked for (the simulator's signal model).
  std::function<void(const eTransponder&)> onTune;

  // --- Records ---
  int tuneCount() const { return tunes; }
  int savePowerCount() const { return savePowers; }
  int tunedInCount() const { return tunedInReports; }
  // The transponder of the last tune call, or nullptr.
  const eTransponder* lastTuned() const { return lastTune; }
  void resetRecords();

  // Fills this receiver with the built-in satellite receiver: one universal LNB with two
  // satellites (19.2E and 13.0E), three networks (one at an unconfigured position) and the
  // service playing 11836 MHz H on 19.2E.
  void fillDefaultSatellite();

 private:
  friend class eTransponder;
  friend class eFrontend;
  friend class eDVB;
  friend class eTransponderList;
  friend class eSystemInfo;

  int tune(eTransponder* tp);
  eSystemInfo* systemInformation() { return &systemInfo; }

  eFrontend frontend;
  eDVB dvb;
  eTransponderList transponderList;
  eSystemInfo systemInfo;
  existNetworks networkList;
  std::list<eLNB> lnbList;
  eDVBServiceAPI service;
  // What setCurrentTransponder copies: at addresses that repeat from run to run while they
  // last (the plug-in logs the playing transponder's address), then in ordinary memory.
  static constexpr size_t kRepeatableServiceTransponders = 64;
  RepeatableMemory serviceMemory{kRepeatableServiceTransponders * sizeof(eTransponder)};
  size_t repeatableServiceTransponders = 0;
  std::list<eTransponder> serviceTransponders;
  bool serviceAvailable = true;
  eFrontendSource* frontendSource = nullptr;
  FixedReadings fixed;
  long tuneDelayMs = 300;
  int tuneError = 0;
  int tunes = 0;
  int savePowers = 0;
  int tunedInReports = 0;
  const eTransponder* lastTune = nullptr;
  std::vector<uint64_t> pendingReports;
};
