// Satellite-mode construction. The order of the steps matters: it decides which slots run
// while the window is being built (satChanged runs once, tpChanged not at all).

#include "demod/identify.h"
#include "fixed_layout.h"
#include "plugin/my_ebeamseek.h"
#include "selection.h"

namespace {
constexpr const char* kSkinElement = "eBeamseek_kelvorn";
constexpr const char* kSkinTitle = "kelvorn's Vevovuvado Test3";
constexpr int kWindowWidth = 500;
constexpr int kWindowHeight = 380;
constexpr int kHelpId = 44;

std::list<tpPacket>* hostNetworks() {
  eTransponderList* list = eTransponderList::getInstance();
  return list ? &list->getExistNetworks().getNetworks() : nullptr;
}

eListBoxEntryText* addSatelliteEntry(eComboBox& satCombo, tpPacket& network) {
  return new eListBoxEntryText(&satCombo, network.name.c_str(), &network, 0, eString(), 0);
}

// Lists the networks a satellite entry each. With `onlyCandidates`, only the networks at the
// current transponder's position are listed. Returns the last candidate's entry, or nullptr.
eListBoxEntryText* listNetworks(eComboBox& satCombo, const ConfiguredPositions& positions,
                                const eTransponder* current, bool onlyCandidates) {
  std::list<tpPacket>* networks = hostNetworks();
  if (!networks)
    return nullptr;
  const int type = receptionType();
  eListBoxEntryText* remembered = nullptr;
  for (tpPacket& network : *networks) {
    if (!isListed(network, positions, type))
      continue;
    const bool candidate = isCurrentCandidate(network, type, current);
    if (onlyCandidates && !candidate)
      continue;
    eListBoxEntryText* entry = addSatelliteEntry(satCombo, network);
    if (candidate)
      remembered = entry;
  }
  return remembered;
}

void selectEntryOrFirst(eComboBox& box, eListBoxEntryText* entry, bool sendSelChanged) {
  if (entry) {
    box.setCurrent(entry, sendSelChanged);
  } else {
    box.setCurrent(0, sendSelChanged);
  }
}

// With no transponder playing, the first network's transponders are listed (always with the
// satellite text) and the first one becomes current. nullptr when the network has none.
eTransponder* firstTransponderOf(eComboBox& satCombo, eComboBox& tpCombo) {
  eListBoxEntryText* satEntry = satCombo.getCurrent();
  auto* network = satEntry ? static_cast<tpPacket*>(satEntry->getKey()) : nullptr;
  if (!network)
    return nullptr;
  for (eTransponder& tp : network->possibleTransponders) {
    eString text;
    transponderEntryText(tp, 0, &text);
    new eListBoxEntryText(&tpCombo, text.c_str(), &tp, 0, eString(), 0);
  }
  if (tpCombo.getCount() == 0)
    return nullptr;
  tpCombo.setCurrent(0, false);
  return static_cast<eTransponder*>(tpCombo.getCurrent()->getKey());
}
}  // namespace

void my_eBeamseek::InitSAT() {
  oldTp = nullptr;
  eDVB* dvb = eDVB::getInstance();
  eDVBServiceAPI* service = dvb ? dvb->getServiceAPI() : nullptr;
  if (!service)
    return;
  currentTP = oldTp = service->transponder;

  satCombo = new eComboBox(this, 3, nullptr, 1, "eComboBox");
  const ConfiguredPositions positions = configuredPositions();
  // Provisional list: only the playing transponder's networks, so its entry can be selected
  // before any slot is connected.
  eListBoxEntryText* remembered =
      listNetworks(*satCombo, positions, currentTP, currentTP != nullptr);
  if (satCombo->getCount() == 0)
    return;
  selectEntryOrFirst(*satCombo, remembered, false);

  tpCombo = new eComboBox(this, 5, nullptr, 1, "eComboBox");
  if (!currentTP) {
    currentTP = firstTransponderOf(*satCombo, *tpCombo);
    if (!currentTP)
      return;
  }
  eTransponderList* transponders = eTransponderList::getInstance();
  currentSatellite =
      transponders ? transponders->findSatellite(currentTP->satellite.orbital_position) : nullptr;
  if (currentSatellite && currentSatellite->getLNB()) {
    currentLNB = currentSatellite->getLNB();
    currentLOF = static_cast<int>(chooseLOF(*currentLNB, currentTP->satellite.frequency));
  }
  currentTP->tune();

  identifySatelliteDemodulator(*this);

  windowHeight = kWindowHeight;
  windowWidth = kWindowWidth;
  snrBar = new eProgress(this, 0);
  snrBar->setName("snr");
  agcBar = new eProgress(this, 0);
  agcBar->setName("agc");
  berBar = new eProgress(this, 0);
  berBar->setName("ber");
  syncBox = new eCheckbox(this, 0, 0, false, "eCheckBox");
  syncBox->setName("sync");
  lockBox = new eCheckbox(this, 0, 0, false, "eCheckBox");
  lockBox->setName("lock");
  snrNum = new eLabel(this, 0, 0, "eLabel");
  snrNum->setName("snr_num");
  agcNum = new eLabel(this, 0, 0, "eLabel");
  agcNum->setName("agc_num");
  berNum = new eLabel(this, 0, 0, "eLabel");
  berNum->setName("ber_num");

  satCombo->setName("sat");
  satCombo->selchanged.connect(SigC::slot(*this, &my_eBeamseek::satChanged));
  satCombo->selected.connect(SigC::slot(*this, &my_eBeamseek::satSelected));
  tpCombo->setName("transponder");
  refreshTimer.timeout.connect(SigC::slot(*this, &my_eBeamseek::update));

  auto* satLabel = new eLabel(this, 0, 0, "eLabel");
  satLabel->setName("lSat");

  if (eSkin::getActive()->build(this, kSkinElement) != 0) {
    layOutFixed(*this, satLabel);
  } else {
    const eRect client = getClientRect();
    windowWidth = client.right() - client.left();
    windowHeight = client.bottom() - client.top();
    setText(kSkinTitle);
  }

  // Final list: every listed network, the playing one selected with the signal firing so
  // satChanged fills the transponder list. tpChanged is not connected yet: no retune here.
  satCombo->clearList();
  remembered = listNetworks(*satCombo, positions, currentTP, false);
  if (satCombo->getCount() != 0)
    selectEntryOrFirst(*satCombo, remembered, true);

  if (eFrontend* fe = eFrontend::getInstance()) {
    fe->s_RotorRunning.connect(SigC::slot(*this, &my_eBeamseek::RotorRunning));
    fe->tunedIn.connect(SigC::slot(*this, &my_eBeamseek::tunedIn));
  }
  tpCombo->selchanged.connect(SigC::slot(*this, &my_eBeamseek::tpChanged));
  tpCombo->selected.connect(SigC::slot(*this, &my_eBeamseek::tpSelected));
  getTLW()->focusChanged.connect(SigC::slot(*this, &my_eBeamseek::LostFocus));

  compactView = 0;
  switchButton = new eButton(this, nullptr, 1, "eButton");
  switchButton->setShortcut("green");
  switchButton->selected.connect(SigC::slot(*this, &my_eBeamseek::SwichtSkinExec));

  OpenSound();
  setHelpID(kHelpId);
}
