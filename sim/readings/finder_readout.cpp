#include "finder_readout.h"

namespace {
BoxState boxState(eWidget* finder, const char* name) {
  auto* box = dynamic_cast<eCheckbox*>(finder->search(name));
  if (!box)
    return BoxState::absent;
  return box->isChecked() ? BoxState::ticked : BoxState::unticked;
}
}  // namespace

void readFinderWidgets(eWidget* finder, Reading* reading) {
  if (!finder)
    return;
  for (size_t i = 0; i < kFinderTextWidgets.size(); ++i) {
    eWidget* widget = finder->search(kFinderTextWidgets[i]);
    reading->texts[i] = widget ? std::string(widget->getText()) : std::string();
  }
  reading->lock = boxState(finder, "lock");
  reading->fec = boxState(finder, "fec");
  reading->sync = boxState(finder, "sync");
  eWidget* fec = finder->search("fec");
  reading->fecText = fec ? std::string(fec->getText()) : std::string();
}

bool boxTicked(eWidget* finder, const char* name) {
  return finder && boxState(finder, name) == BoxState::ticked;
}
