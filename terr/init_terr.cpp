// The terrestrial window: its widgets, the skin layout, the region list and the start-up
// selection. Nothing is tuned and no refresh is started here; the first refresh comes from the
// window's modal loop or from the frontend's next tuned-in report.

#include <libintl.h>

#include "plugin/my_ebeamseek.h"
#include "sat/demod/identify.h"
#include "sat/selection.h"

namespace {
constexpr int kTerrestrialReception = 2;
constexpr int kTerrestrialHelpId = 44;

template <class Widget>
Widget* named(Widget* widget, const char* name) {
  widget->setName(name);
  return widget;
}

// gettext() gives back its argument when there is no catalogue; a null result becomes "".
eString translated(const char* text) {
  const char* t = gettext(text);
  return t ? eString(t) : eString();
}
}  // namespace

void my_eBeamseek::InitTerr() {
  identifyTerrestrialDemodulator(*this);

  snrBar = named(new eProgress(this, 0), "snr");
  terrAgcBar = named(new eProgress(this, 0), "agc");
  berBar = named(new eProgress(this, 0), "ber");
  syncBox = named(new eCheckbox(this, 0, 0, false, "eCheckBox"), "sync");
  lockBox = named(new eCheckbox(this, 0, 0, false, "eCheckBox"), "lock");
  snrNum = named(new eLabel(this, 0, 0, "eLabel"), "snr_num");
  terrAgcNum = named(new eLabel(this, 0, 0, "eLabel"), "agc_num");
  berNum = named(new eLabel(this, 0, 0, "eLabel"), "ber_num");
  satCombo = named(new eComboBox(this, 3, nullptr, 1, "eComboBox"), "sat");
  CONNECT(satCombo->selchanged, my_eBeamseek::my_terr_satChanged);
  tpCombo = named(new eComboBox(this, 5, nullptr, 1, "eComboBox"), "transponder");
  CONNECT(refreshTimer.timeout, my_eBeamseek::my_terr_update);
  eLabel* regionCaption = named(new eLabel(this, 0, 0, "eLabel"), "lSat");

  // Without its skin element the window has no layout to show the lists in.
  if (eSkin::getActive()->build(this, "eBeamseek") != 0)
    return;

  if (eTransponder* playing = serviceTransponder())
    currentTP = playing;

  const int type = receptionType();
  if (type == kTerrestrialReception) {
    setText(translated("Signalfind"));
    regionCaption->setText(translated("Region:"));
  }

  const ConfiguredPositions positions = configuredPositions();
  eListBoxEntryText* remembered = nullptr;
  if (eTransponderList* list = eTransponderList::getInstance()) {
    for (tpPacket& network : list->getExistNetworks().getNetworks()) {
      if (!isListed(network, positions, type))
        continue;
      auto* entry =
          new eListBoxEntryText(satCombo, network.name.c_str(), &network, 0, eString(), 0);
      if (isCurrentCandidate(network, type, currentTP))
        remembered = entry;
    }
  }
  // Fills the channel list through my_terr_satChanged; my_terr_tpChanged is not connected yet,
  // so the channel it selects is not tuned.
  if (satCombo->getCount() > 0) {
    if (remembered) {
      satCombo->setCurrent(remembered, true);
    } else {
      satCombo->setCurrent(0, true);
    }
  }

  if (eFrontend* hostFrontend = eFrontend::getInstance()) {
    CONNECT(hostFrontend->tunedIn, my_eBeamseek::my_terr_tunedIn);
  }
  CONNECT(tpCombo->selchanged, my_eBeamseek::my_terr_tpChanged);
  setHelpID(kTerrestrialHelpId);
}
