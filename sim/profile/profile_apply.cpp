#include "profile_apply.h"

#include <iterator>

void applyProfile(const Profile& profile, StandInReceiver& receiver) {
  receiver.setFrontendType(profile.frontendType);
  receiver.setReceptionType(profile.receptionType);
  receiver.setServiceAvailable(profile.serviceAvailable);
  receiver.setTuneDelayMs(profile.signal.tuneDelayMs);
  for (const LnbSpec& spec : profile.lnbs) {
    eLNB& lnb = receiver.addLNB(spec.lofHi, spec.lofLo, spec.threshold);
    for (const LnbSpec::Satellite& sat : spec.satellites) {
      receiver.addSatellite(lnb, sat.orbitalPosition, sat.description);
    }
  }
  for (const NetworkSpec& spec : profile.networks) {
    tpPacket& network = receiver.addNetwork(spec.name, spec.orbitalPosition);
    network.possibleTransponders.assign(spec.transponders.begin(), spec.transponders.end());
  }
  if (profile.currentNetwork >= 0 && profile.currentTransponder >= 0) {
    auto network = std::next(receiver.networks().begin(), profile.currentNetwork);
    auto tp = std::next(network->possibleTransponders.begin(), profile.currentTransponder);
    receiver.setCurrentTransponder(*tp);
  }
}
