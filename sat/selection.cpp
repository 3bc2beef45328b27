#include "selection.h"

#include <cstdint>
#include <cstdlib>

namespace {
// |a - b| of the receiver's 32-bit subtraction: the difference wraps modulo 2^32 and is read
// as signed, so 2000 and 4294967295 are 2001 apart. Subtracting unsigned and taking the
// absolute value in 64 bits keeps every input free of overflow, INT_MIN included.
int64_t distance(uint32_t a, uint32_t b) {
  const auto d = static_cast<int32_t>(a - b);
  return d < 0 ? -static_cast<int64_t>(d) : d;
}

int64_t distance(int a, int b) {
  return distance(static_cast<uint32_t>(a), static_cast<uint32_t>(b));
}

bool inversionsMatch(int a, int b) {
  return a == b || a == 2 || b == 2;
}
}  // namespace

ConfiguredPositions configuredPositions() {
  ConfiguredPositions positions;
  eTransponderList* list = eTransponderList::getInstance();
  if (!list)
    return positions;
  for (eLNB& lnb : list->getLNBs()) {
    for (eSatellite& sat : lnb.getSatelliteList())
      positions[sat.getOrbitalPosition()] = &sat;
  }
  return positions;
}

bool isListed(const tpPacket& network, const ConfiguredPositions& positions, int type) {
  return positions.count(network.orbital_position) != 0 || type != 0;
}

bool isCurrentCandidate(const tpPacket& network, int type, const eTransponder* current) {
  return type == 0 && current && network.orbital_position == current->satellite.orbital_position;
}

bool transponderEntryText(const eTransponder& tp, int type, eString* text) {
  if (type == 0) {
    *text = eString::sprintf("%d / %d / %c", static_cast<int>(tp.satellite.frequency / 1000),
                             static_cast<int>(tp.satellite.symbol_rate / 1000),
                             tp.satellite.polarisation ? 'V' : 'H');
    return true;
  }
  if (type == 2) {
    *text = eString::sprintf("%d kHz", tp.terrestrial.centre_frequency / 1000);
    return true;
  }
  return false;
}

bool transpondersEqual(const eTransponder& a, const eTransponder& b) {
  if (a.original_network_id != -1 && a.transport_stream_id != -1 && b.original_network_id != -1 &&
      b.transport_stream_id != -1) {
    return a.original_network_id == b.original_network_id &&
           a.transport_stream_id == b.transport_stream_id;
  }
  if (a.satellite.valid && b.satellite.valid) {
    const auto& s = a.satellite;
    const auto& t = b.satellite;
    return s.valid == t.valid && distance(s.frequency, t.frequency) <= 3000 &&
           distance(s.symbol_rate, t.symbol_rate) <= 4000 && s.polarisation == t.polarisation &&
           s.fec == t.fec && inversionsMatch(s.inversion, t.inversion) &&
           distance(s.orbital_position, t.orbital_position) <= 5;
  }
  if (a.cable.valid && b.cable.valid) {
    const auto& s = a.cable;
    const auto& t = b.cable;
    return s.valid == t.valid && s.frequency == t.frequency && s.symbol_rate == t.symbol_rate &&
           s.modulation == t.modulation && s.inversion == t.inversion && s.fec_inner == t.fec_inner;
  }
  if (a.terrestrial.valid && b.terrestrial.valid) {
    const auto& s = a.terrestrial;
    const auto& t = b.terrestrial;
    return s.valid == t.valid && s.centre_frequency == t.centre_frequency &&
           s.bandwidth == t.bandwidth && s.code_rate_hp == t.code_rate_hp &&
           s.code_rate_lp == t.code_rate_lp && s.constellation == t.constellation &&
           s.transmission_mode == t.transmission_mode && s.guard_interval == t.guard_interval &&
           s.hierarchy_information == t.hierarchy_information &&
           inversionsMatch(s.inversion, t.inversion);
  }
  return true;
}

unsigned chooseLOF(const eLNB& lnb, unsigned frequency) {
  return frequency > lnb.getLOFThreshold() ? lnb.getLOFHi() : lnb.getLOFLo();
}

int receptionType() {
  eSystemInfo* info = eSystemInfo::getInstance();
  return info ? info->getReceptionType() : 0;
}

eTransponder* serviceTransponder() {
  eDVB* dvb = eDVB::getInstance();
  eDVBServiceAPI* api = dvb ? dvb->getServiceAPI() : nullptr;
  return api ? api->transponder : nullptr;
}

void refillTransponderList(eComboBox& tpCombo, eListBoxEntryText* satEntry) {
  tpCombo.clearList();
  auto* network = satEntry ? static_cast<tpPacket*>(satEntry->getKey()) : nullptr;
  if (!network)
    return;
  const eTransponder* reference = serviceTransponder();
  const int type = receptionType();
  eListBoxEntryText* remembered = nullptr;
  for (eTransponder& tp : network->possibleTransponders) {
    eString text;
    if (!transponderEntryText(tp, type, &text))
      continue;
    auto* entry = new eListBoxEntryText(&tpCombo, text.c_str(), &tp, 0, eString(), 0);
    if (reference && transpondersEqual(tp, *reference))
      remembered = entry;
  }
  if (tpCombo.getCount() == 0)
    return;
  if (remembered) {
    tpCombo.setCurrent(remembered, true);
  } else {
    tpCombo.setCurrent(0, true);
  }
}
