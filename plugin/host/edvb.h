#pragma once
// The host's DVB service layer as the plug-in sees it: transponders, networks, satellites and
// LNBs, the frontend, the service interface and the system information. The records belong to
// the host; the plug-in only holds pointers to them.

#include <list>
#include <string>

#include "sigc_compat.h"

class eLNB;

class eTransponder {
 public:
  // Satellite parameters: frequency in kHz, symbol rate in symbols per second.
  struct Satellite {
    int valid = 0;
    unsigned frequency = 0;
    unsigned symbol_rate = 0;
    int polarisation = 0;  // 0 horizontal, otherwise vertical
    int fec = 0;
    int inversion = 0;         // 2 automatic
    int orbital_position = 0;  // tenths of a degree, east positive
  };
  // Cable parameters: a valid flag and five parameter words.
  struct Cable {
    int valid = 0;
    int frequency = 0;
    int symbol_rate = 0;
    int modulation = 0;
    int inversion = 0;
    int fec_inner = 0;
  };
  // Terrestrial parameters: centre frequency in Hz, seven further words and the inversion.
  struct Terrestrial {
    int valid = 0;
    int centre_frequency = 0;
    int bandwidth = 0;
    int code_rate_hp = 0;
    int code_rate_lp = 0;
    int constellation = 0;
    int transmission_mode = 0;
    int guard_interval = 0;
    int hierarchy_information = 0;
    int inversion = 0;  // 2 automatic
  };

  Satellite satellite;
  Cable cable;
  Terrestrial terrestrial;
  int transport_stream_id = -1;  // -1 unknown
  int original_network_id = -1;  // -1 unknown

  // Asks the host to tune the frontend to this transponder. Returns at once (0); the frontend's
  // tunedIn signal reports the result later from the main loop.
  int tune();
};

class eSatellite {
 public:
  int getOrbitalPosition() const { return orbital_position; }
  eLNB* getLNB() const { return lnb; }
  const std::string& getDescription() const { return description; }

  int orbital_position = 0;
  eLNB* lnb = nullptr;
  std::string description;
};

// LNB record: oscillator frequencies and switching threshold in kHz.
class eLNB {
 public:
  unsigned getLOFHi() const { return lof_hi; }
  unsigned getLOFLo() const { return lof_lo; }
  unsigned getLOFThreshold() const { return lof_threshold; }
  std::list<eSatellite>& getSatelliteList() { return satellites; }

  unsigned lof_hi = 0;
  unsigned lof_lo = 0;
  unsigned lof_threshold = 0;
  std::list<eSatellite> satellites;
};

// One entry of the host's network list.
struct tpPacket {
  std::string name;
  int orbital_position = 0;
  std::list<eTransponder> possibleTransponders;
};

class existNetworks {
 public:
  std::list<tpPacket>& getNetworks() { return networks; }

 private:
  friend class StandInReceiver;
  std::list<tpPacket> networks;
};

class eTransponderList {
 public:
  static eTransponderList* getInstance();
  std::list<eLNB>& getLNBs();
  // The first satellite at this orbital position, LNBs and satellites in order; nullptr if none.
  eSatellite* findSatellite(int orbital_position);
  existNetworks& getExistNetworks();

 private:
  friend class StandInReceiver;
  class StandInReceiver* receiver = nullptr;
};

// Readings of the frontend; the host asks its driver, the stand-in asks this source.
class eFrontendSource {
 public:
  virtual ~eFrontendSource() = default;
  virtual int snr() = 0;
  virtual int signalStrength() = 0;
  virtual int ber() = 0;
  virtual unsigned status() = 0;
};

class eFrontend {
 public:
  enum { feSatellite = 0, feCable = 1, feTerrestrial = 2 };
  static eFrontend* getInstance();

  int Type() const { return type; }
  int SNR();
  int SignalStrength();
  int BER();
  unsigned Status();
  // Puts the frontend into power saving.
  int savePower();

  SigC::Signal1<void, int> s_RotorRunning;
  SigC::Signal2<void, eTransponder*, int> tunedIn;

 private:
  friend class StandInReceiver;
  int type = feSatellite;
  class StandInReceiver* receiver = nullptr;
};

// The service interface: what is playing now.
class eDVBServiceAPI {
 public:
  // The transponder of the current service, or nullptr.
  eTransponder* transponder = nullptr;
};

class eDVB {
 public:
  static eDVB* getInstance();
  // nullptr when the host has no service interface.
  eDVBServiceAPI* getServiceAPI();

 private:
  friend class StandInReceiver;
  class StandInReceiver* receiver = nullptr;
};

class eSystemInfo {
 public:
  static eSystemInfo* getInstance();
  // 0 satellite receiver, 2 terrestrial; other values for other receiver kinds.
  int getReceptionType() const { return receptionType; }

 private:
  friend class StandInReceiver;
  int receptionType = 0;
};
