#pragma once
// A simulated receiver as one data record: what the stand-in receiver, the skin, the device
// models and the signal model are filled from. Loaded from a JSON profile, or the built-in one.

#include <string>
#include <vector>

#include "host/edvb.h"
#include "host/eskin.h"

// Which demodulator answers on the I2C bus.
enum class DemodChip { STV0299B, STV0288, terrestrial, none };

struct SignalParameters {
  double peakSnrDb = 12.0;       // SNR with the dish exactly on the satellite
  double lockThresholdDb = 3.0;  // below this the demodulator loses lock
  double beamwidthDeg = 2.0;     // half-power beamwidth of the dish
  double jitterDb = 0.1;         // standard deviation of the noise on every reading
  double carrierOffsetKHz = 0;   // the LNB oscillator's drift, seen as carrier offset
  int aimedPosition = 0;         // orbital position (0.1 degree, east positive) the dish aims at
  double azimuthErrorDeg = 0;    // pointing error at start
  double elevationErrorDeg = 0;
  long tuneDelayMs = 300;  // from a tune request to the tuned-in report
  unsigned seed = 1;       // of the noise, so runs repeat exactly
};

struct LnbSpec {
  unsigned lofHi = 0;  // kHz
  unsigned lofLo = 0;
  unsigned threshold = 0;
  struct Satellite {
    int orbitalPosition = 0;
    std::string description;
  };
  std::vector<Satellite> satellites;
};

struct NetworkSpec {
  std::string name;
  int orbitalPosition = 0;
  std::vector<eTransponder> transponders;
};

struct Profile {
  int frontendType = 0;   // eFrontend::Type(): 0 satellite, 1 cable, 2 terrestrial
  int receptionType = 0;  // eSystemInfo::getReceptionType()
  DemodChip demodulator = DemodChip::STV0299B;
  bool agcInverted = false;  // bit 7 of the demodulator's register 0x0F
  bool audioDevice = true;
  bool serviceAvailable = true;
  eSkin skin;  // the built-in skin with the profile's colours, fonts and elements added
  std::vector<LnbSpec> lnbs;
  std::vector<NetworkSpec> networks;
  // The service's transponder: indices into networks and their transponders, -1 for none.
  int currentNetwork = -1;
  int currentTransponder = -1;
  SignalParameters signal;
};

// Reads a profile from JSON text. On failure returns false and sets `error` to one line
// "<source>:<line>: at <place>: <problem>", the place a JSON pointer into the document
// ("/networks/0/transponders/2/satellite/frequency"), or "<source>:<line>: not JSON, ..." for
// text that does not parse. Never throws.
bool parseProfile(const std::string& text, const std::string& source, Profile* profile,
                  std::string* error);
// Reads the file at `path` (a regular file of at most 16 MiB, see readInputFile); a file that
// cannot be read is reported as "<path>: <problem>".
bool loadProfile(const std::string& path, Profile* profile, std::string* error);

// The built-in satellite receiver as JSON text, and parsed.
const char* defaultProfileJson();
Profile defaultProfile();

// Chip names as profiles spell them.
const char* demodChipName(DemodChip chip);
