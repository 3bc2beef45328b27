#include "my_ebeamseek.h"

#include <libintl.h>

#include "seam/device_seam.h"
#include "tone/tone.h"

namespace {
// A message box as the host shows one: built, shown, run until dismissed, hidden.
void showMessage(const eString& text, const eString& caption) {
  eMessageBox box(text, caption, 1, 1, 0);
  box.show();
  box.exec();
  box.hide();
}

// gettext() gives back its argument when there is no catalogue; a null result becomes "".
eString translated(const char* text) {
  const char* t = gettext(text);
  return t ? eString(t) : eString();
}
}  // namespace

my_eBeamseek::my_eBeamseek(eFrontend* fe) : eWindow(0), refreshTimer(eApp), frontend(fe) {
  fillSineTable();

  eSkin* skin = eSkin::getActive();
  redColor = skin->queryColor("std_red");
  yellowColor = skin->queryColor("std_dyellow");
  greenColor = skin->queryColor("std_green");
  magentaColor = skin->queryColor("std_dmagenta");
  grayColor = skin->queryColor("std_gray+7");

  // The mode follows the host's frontend, which is the one the window was built on.
  eFrontend* hostFrontend = eFrontend::getInstance();
  const int type = hostFrontend ? hostFrontend->Type() : -1;
  switch (type) {
    case eFrontend::feSatellite:
      InitSAT();
      break;
    case eFrontend::feTerrestrial:
      InitTerr();
      break;
    case eFrontend::feCable:
      eDebug("DVB-C wird noch nicht unterstützt");
      showMessage("DVB-C wird noch nicht unterstützt.", "Sorry");
      break;
    default:
      eDebug("Unbekanntes Empfangssystem (kein DVB-S -T oder -C)");
      showMessage("Unbekanntes Empfangssystem (kein DVB-S -T oder -C)", translated("Error"));
      break;
  }
}

my_eBeamseek::~my_eBeamseek() {
  sound_run.store(0, std::memory_order_relaxed);
  eDebug("warte bis SoundThread beendet ist");
  // Only now, with the stop request out and the line above written: a clock that moves only
  // when this thread lets time pass must run on by itself for the tone thread under the poll.
  devices().beforeBusyWait();
  while (sound_running.load(std::memory_order_relaxed) != 0) {
  }
  eDebug("SoundThread ist beendet");
  // The wait above misses a thread that has not yet set sound_running; joining also covers that
  // one, so no tone thread runs on (or leaks) after the window, and the module can go.
  joinSoundThread();

  eDebug("oldTp %d", static_cast<int>(reinterpret_cast<intptr_t>(oldTp)));
  if (oldTp) {
    oldTp->tune();
  } else if (eFrontend* hostFrontend = eFrontend::getInstance()) {
    hostFrontend->savePower();
  }
  if (refreshTimer.isActive())
    refreshTimer.stop();
}

int my_eBeamseek::eventHandler(const eWidgetEvent& event) {
  switch (event.type) {
    case eWidgetEvent::execBegin:
      refreshTimer.start(250, true);
      return 0;
    case eWidgetEvent::execDone:
      refreshTimer.stop();
      return 0;
    default:
      return eWindow::eventHandler(event);
  }
}

void my_eBeamseek::satSelected() {
  eDebug("[Vevovuvado] satSelected");
  refreshTimer.stop();
}

void my_eBeamseek::tpSelected() {
  eDebug("[Vevovuvado] tpSelected");
  refreshTimer.stop();
}

void my_eBeamseek::LostFocus(const eWidget* w) {
  if (!w)
    return;
  if (w->getName() == "sat" || w->getName() == "transponder") {
    eDebug("[Vevovuvado] Focus lost");
    refreshTimer.start(250, true);
  }
}

void my_eBeamseek::RotorRunning(int) {
  eDebug("[Vevovuvado] RotorRunning");
}

void my_eBeamseek::tunedIn(eTransponder*, int) {
  eDebug("void my_eBeamseek::tunedIn(eTransponder *, int error )");
}

void my_eBeamseek::my_terr_tunedIn(eTransponder*, int) {
  my_terr_update();
}
