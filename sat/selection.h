#pragma once
// Satellite and transponder selection rules shared by both modes: which networks are listed,
// what a transponder entry says, when two transponders are the same, and which oscillator an
// LNB uses for a frequency.

#include <map>

#include "host/host.h"

// Orbital position -> satellite, from the LNB list in order (a later satellite at the same
// position replaces the earlier one). Only presence is ever tested.
using ConfiguredPositions = std::map<int, eSatellite*>;
ConfiguredPositions configuredPositions();

// A network is listed when a configured satellite has its position, or when the receiver is
// not of the satellite type (reception type other than 0).
bool isListed(const tpPacket& network, const ConfiguredPositions& positions, int receptionType);
// A listed network is a current candidate on a satellite receiver when it sits exactly at the
// orbital position of `current`.
bool isCurrentCandidate(const tpPacket& network, int receptionType, const eTransponder* current);

// The entry text: "%d / %d / %c" (MHz / kSym / H or V) for reception type 0, "%d kHz" of the
// terrestrial centre frequency for type 2. False for any other type (no entry).
bool transponderEntryText(const eTransponder& tp, int receptionType, eString* text);

// Transponder equality: ids when both are identified, else the parameters of the first kind
// valid on both sides, else equal. Symmetric; defined for every field value.
bool transpondersEqual(const eTransponder& a, const eTransponder& b);

// The oscillator for `frequency` (kHz): high band strictly above the threshold, else low band.
unsigned chooseLOF(const eLNB& lnb, unsigned frequency);

// The reception-type code of the receiver (0 when the host has no system information).
int receptionType();
// The transponder the service plays now, or nullptr (no service interface, or none playing).
eTransponder* serviceTransponder();

// Empties `tpCombo` and, when `satEntry` carries a network, fills it with that network's
// transponders for the receiver's reception type, then selects (with the selection-changed
// signal) the last one equal to the service's transponder, or the first. The satellite and the
// terrestrial windows' satellite-changed slots both do this.
void refillTransponderList(eComboBox& tpCombo, eListBoxEntryText* satEntry);
