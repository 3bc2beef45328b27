#include "receiver.h"

#include <algorithm>
#include <new>

#include "emainloop.h"

namespace {
StandInReceiver* current = nullptr;
}

StandInReceiver::StandInReceiver() {
  frontend.receiver = this;
  dvb.receiver = this;
  transponderList.receiver = this;
}

StandInReceiver::~StandInReceiver() {
  if (eApp) {
    for (uint64_t id : pendingReports)
      eApp->cancel(id);
  }
  uninstall();
  auto* slots = static_cast<eTransponder*>(serviceMemory.data());
  for (size_t i = 0; i < repeatableServiceTransponders; ++i)
    slots[i].~eTransponder();
}

void StandInReceiver::install() {
  current = this;
}

void StandInReceiver::uninstall() {
  if (current == this)
    current = nullptr;
}

StandInReceiver* StandInReceiver::installed() {
  return current;
}

eLNB& StandInReceiver::addLNB(unsigned lofHi, unsigned lofLo, unsigned threshold) {
  eLNB lnb;
  lnb.lof_hi = lofHi;
  lnb.lof_lo = lofLo;
  lnb.lof_threshold = threshold;
  lnbList.push_back(std::move(lnb));
  return lnbList.back();
}

eSatellite& StandInReceiver::addSatellite(eLNB& lnb, int orbitalPosition,
                                          const std::string& description) {
  eSatellite sat;
  sat.orbital_position = orbitalPosition;
  sat.lnb = &lnb;
  sat.description = description;
  lnb.satellites.push_back(sat);
  return lnb.satellites.back();
}

tpPacket& StandInReceiver::addNetwork(const std::string& name, int orbitalPosition) {
  tpPacket packet;
  packet.name = name;
  packet.orbital_position = orbitalPosition;
  networkList.networks.push_back(std::move(packet));
  return networkList.networks.back();
}

eTransponder& StandInReceiver::addSatelliteTransponder(tpPacket& network, unsigned frequency,
                                                       unsigned symbolRate, int polarisation,
                                                       int fec, int inversion) {
  eTransponder tp;
  tp.satellite.valid = 1;
  tp.satellite.frequency = frequency;
  tp.satellite.symbol_rate = symbolRate;
  tp.satellite.polarisation = polarisation;
  tp.satellite.fec = fec;
  tp.satellite.inversion = inversion;
  tp.satellite.orbital_position = network.orbital_position;
  network.possibleTransponders.push_back(tp);
  return network.possibleTransponders.back();
}

eTransponder& StandInReceiver::addTerrestrialTransponder(tpPacket& network, int centreFrequency) {
  eTransponder tp;
  tp.terrestrial.valid = 1;
  tp.terrestrial.centre_frequency = centreFrequency;
  tp.terrestrial.bandwidth = 0;
  tp.terrestrial.inversion = 2;
  network.possibleTransponders.push_back(tp);
  return network.possibleTransponders.back();
}

void StandInReceiver::setCurrentTransponder(const eTransponder& tp) {
  auto* slots = static_cast<eTransponder*>(serviceMemory.data());
  if (slots && repeatableServiceTransponders < kRepeatableServiceTransponders) {
    service.transponder = new (&slots[repeatableServiceTransponders++]) eTransponder(tp);
    return;
  }
  serviceTransponders.push_back(tp);
  service.transponder = &serviceTransponders.back();
}

void StandInReceiver::resetRecords() {
  tunes = 0;
  savePowers = 0;
  tunedInReports = 0;
  lastTune = nullptr;
}

int StandInReceiver::tune(eTransponder* tp) {
  ++tunes;
  lastTune = tp;
  if (onTune)
    onTune(*tp);
  if (eApp) {
    const int error = tuneError;
    pendingReports.push_back(eApp->callLater(tuneDelayMs, [this, tp, error] {
      ++tunedInReports;
      frontend.tunedIn.emit(tp, error);
    }));
  }
  return 0;
}

void StandInReceiver::fillDefaultSatellite() {
  setFrontendType(eFrontend::feSatellite);
  setReceptionType(0);
  eLNB& universal = addLNB(10600000, 9750000, 11700000);
  addSatellite(universal, 192, "19.2E");
  addSatellite(universal, 130, "13.0E");

  tpPacket& east192 = addNetwork("Satellite 19.2E", 192);
  eTransponder& playing = addSatelliteTransponder(east192, 11836000, 27500000, 0, 1);
  addSatelliteTransponder(east192, 11954000, 27500000, 0, 1);
  addSatelliteTransponder(east192, 12188000, 27500000, 0, 1);
  addSatelliteTransponder(east192, 12603000, 22000000, 0, 2);
  addSatelliteTransponder(east192, 10744000, 22000000, 0, 2);
  addSatelliteTransponder(east192, 11494000, 22000000, 0, 2);

  tpPacket& east130 = addNetwork("Satellite 13.0E", 130);
  addSatelliteTransponder(east130, 11034000, 27500000, 1, 1);
  addSatelliteTransponder(east130, 10992000, 27500000, 1, 0);
  addSatelliteTransponder(east130, 12476000, 29900000, 0, 2);

  tpPacket& east282 = addNetwork("Satellite 28.2E", 282);
  addSatelliteTransponder(east282, 11778000, 27500000, 1, 1);

  setCurrentTransponder(playing);
}

// --- The host classes, answered by the installed receiver ---

int eTransponder::tune() {
  StandInReceiver* rx = StandInReceiver::installed();
  return rx ? rx->tune(this) : -1;
}

eTransponderList* eTransponderList::getInstance() {
  return current ? &current->transponderList : nullptr;
}

std::list<eLNB>& eTransponderList::getLNBs() {
  return receiver->lnbList;
}

eSatellite* eTransponderList::findSatellite(int orbital_position) {
  for (eLNB& lnb : receiver->lnbList) {
    for (eSatellite& sat : lnb.satellites) {
      if (sat.orbital_position == orbital_position)
        return &sat;
    }
  }
  return nullptr;
}

existNetworks& eTransponderList::getExistNetworks() {
  return receiver->networkList;
}

eFrontend* eFrontend::getInstance() {
  return current ? &current->frontend : nullptr;
}

int eFrontend::SNR() {
  return receiver->frontendSource ? receiver->frontendSource->snr() : receiver->fixed.snr;
}
int eFrontend::SignalStrength() {
  return receiver->frontendSource ? receiver->frontendSource->signalStrength()
                                  : receiver->fixed.signalStrength;
}
int eFrontend::BER() {
  return receiver->frontendSource ? receiver->frontendSource->ber() : receiver->fixed.ber;
}
unsigned eFrontend::Status() {
  return receiver->frontendSource ? receiver->frontendSource->status() : receiver->fixed.status;
}
int eFrontend::savePower() {
  ++receiver->savePowers;
  return 0;
}

eDVB* eDVB::getInstance() {
  return current ? &current->dvb : nullptr;
}

eDVBServiceAPI* eDVB::getServiceAPI() {
  return receiver->serviceAvailable ? &receiver->service : nullptr;
}

eSystemInfo* eSystemInfo::getInstance() {
  return current ? current->systemInformation() : nullptr;
}
