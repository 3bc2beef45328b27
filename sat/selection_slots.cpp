// The satellite window's list slots: a new satellite refills the transponder list; a new
// transponder is tuned when it differs from the one tuned now.

#include "plugin/my_ebeamseek.h"
#include "selection.h"

void my_eBeamseek::satChanged(eListBoxEntryText* entry) {
  eDebug("[Vevovuvado] satChanged");
  refreshTimer.start(250, true);
  if (!tpCombo)
    return;
  refillTransponderList(*tpCombo, entry);
}

void my_eBeamseek::tpChanged(eListBoxEntryText* entry) {
  eDebug("[Vevovuvado] tpChanged");
  refreshTimer.start(250, true);
  auto* tp = entry ? static_cast<eTransponder*>(entry->getKey()) : nullptr;
  if (!tp) {
    eDebug("[Vevovuvado] tpChanged ok");
    return;
  }
  if (currentTP && transpondersEqual(*currentTP, *tp))
    return;

  currentTP = tp;
  currentTP->tune();

  eTransponderList* list = eTransponderList::getInstance();
  currentSatellite = list ? list->findSatellite(currentTP->satellite.orbital_position) : nullptr;
  if (!currentSatellite) {
    eDebug("currenSatellite ist NULL");
    eDebug("[Vevovuvado] tpChanged ok");
    return;
  }
  eDebug("[Vevovuvado] tpChanged: currentSatellite ok");
  currentLNB = currentSatellite->getLNB();
  if (!currentLNB) {
    eDebug("currenLNB ist NULL");
    eDebug("[Vevovuvado] tpChanged ok");
    return;
  }
  eDebug("[Vevovuvado] tpChanged: lnb ok");
  currentLOF = static_cast<int>(chooseLOF(*currentLNB, currentTP->satellite.frequency));
  eDebug("[Vevovuvado] tpChanged ok");
}
