// The built-in receiver: the stand-in receiver's default satellite receiver (one universal LNB,
// 19.2E and 13.0E configured, a third network at an unconfigured 28.2E, 11836 MHz H playing),
// with an STV0299B and a dish a few degrees off the satellite so there is something to align.

#include <string>

#include "profile.h"

namespace {
const char kDefaultProfile[] = R"json({
  "description": "Satellite receiver with an STV0299B and one universal LNB",
  "frontend_type": 0,
  "reception_type": 0,
  "demodulator": "STV0299B",
  "agc_inverted": false,
  "audio_device": true,
  "service_available": true,
  "lnbs": [
    {"lof_hi": 10600000, "lof_lo": 9750000, "threshold": 11700000,
     "satellites": [{"orbital_position": 192, "description": "19.2E"},
                    {"orbital_position": 130, "description": "13.0E"}]}
  ],
  "networks": [
    {"name": "Satellite 19.2E", "orbital_position": 192, "transponders": [
      {"satellite": {"valid": 1, "frequency": 11836000, "symbol_rate": 27500000, "polarisation": 0, "fec": 1, "inversion": 2, "orbital_position": 192}},
      {"satellite": {"valid": 1, "frequency": 11954000, "symbol_rate": 27500000, "polarisation": 0, "fec": 1, "inversion": 2, "orbital_position": 192}},
      {"satellite": {"valid": 1, "frequency": 12188000, "symbol_rate": 27500000, "polarisation": 0, "fec": 1, "inversion": 2, "orbital_position": 192}},
      {"satellite": {"valid": 1, "frequency": 12603000, "symbol_rate": 22000000, "polarisation": 0, "fec": 2, "inversion": 2, "orbital_position": 192}},
      {"satellite": {"valid": 1, "frequency": 10744000, "symbol_rate": 22000000, "polarisation": 0, "fec": 2, "inversion": 2, "orbital_position": 192}},
      {"satellite": {"valid": 1, "frequency": 11494000, "symbol_rate": 22000000, "polarisation": 0, "fec": 2, "inversion": 2, "orbital_position": 192}}
    ]},
    {"name": "Satellite 13.0E", "orbital_position": 130, "transponders": [
      {"satellite": {"valid": 1, "frequency": 11034000, "symbol_rate": 27500000, "polarisation": 1, "fec": 1, "inversion": 2, "orbital_position": 130}},
      {"satellite": {"valid": 1, "frequency": 10992000, "symbol_rate": 27500000, "polarisation": 1, "fec": 0, "inversion": 2, "orbital_position": 130}},
      {"satellite": {"valid": 1, "frequency": 12476000, "symbol_rate": 29900000, "polarisation": 0, "fec": 2, "inversion": 2, "orbital_position": 130}}
    ]},
    {"name": "Satellite 28.2E", "orbital_position": 282, "transponders": [
      {"satellite": {"valid": 1, "frequency": 11778000, "symbol_rate": 27500000, "polarisation": 1, "fec": 1, "inversion": 2, "orbital_position": 282}}
    ]}
  ],
  "current_transponder": {"network": 0, "transponder": 0},
  "signal": {
    "peak_snr_db": 12.0,
    "lock_threshold_db": 3.0,
    "beamwidth_deg": 2.0,
    "jitter_db": 0.1,
    "carrier_offset_khz": 1200,
    "aimed_position": 192,
    "dish": {"azimuth": 3.0, "elevation": 1.0},
    "tune_delay_ms": 300,
    "seed": 1
  }
}
)json";
}  // namespace

const char* defaultProfileJson() {
  return kDefaultProfile;
}

Profile defaultProfile() {
  Profile profile;
  std::string error;
  // The text above is part of the program and is checked by the tests; it always parses.
  parseProfile(kDefaultProfile, "built-in profile", &profile, &error);
  return profile;
}
