// Region and channel choice in the terrestrial window. Choosing a region only refills the
// channel list; choosing a channel that differs from the current one tunes it, and the
// frontend's tuned-in report then restarts the refresh.

#include "plugin/my_ebeamseek.h"
#include "sat/selection.h"

void my_eBeamseek::my_terr_satChanged(eListBoxEntryText* entry) {
  if (tpCombo)
    refillTransponderList(*tpCombo, entry);
}

void my_eBeamseek::my_terr_tpChanged(eListBoxEntryText* entry) {
  // No refresh while the frontend retunes: the tuned-in report starts the next one.
  refreshTimer.stop();
  auto* chosen = entry ? static_cast<eTransponder*>(entry->getKey()) : nullptr;
  if (!chosen) {
    // Forget the current channel so that the next choice always tunes.
    currentTP = nullptr;
    return;
  }
  if (currentTP && transpondersEqual(*currentTP, *chosen))
    return;
  currentTP = chosen;
  (void)currentTP->tune();
}
