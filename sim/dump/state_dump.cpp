#include "state_dump.h"

#include <algorithm>
#include <cstring>

#include "profile/transponder_json.h"

namespace {
using json = nlohmann::json;

json colourName(const eWidget& w) {
  return w.hasForegroundColor() ? json(w.getForegroundColor().name) : json(nullptr);
}

json propertiesOf(const eWidget& w) {
  json properties = json::object();
  for (const auto& [name, value] : w.getProperties())
    properties[name] = value;
  return properties;
}

void collect(eWidget* widget, std::vector<eWidget*>* out) {
  out->push_back(widget);
  for (eWidget* child : widget->getChildren())
    collect(child, out);
}

json widgetEntry(eWidget* w) {
  json entry{{"kind", w->kind()},
             {"name", w->getName()},
             {"text", w->getText()},
             {"x", w->getPosition().x},
             {"y", w->getPosition().y},
             {"width", w->getSize().width},
             {"height", w->getSize().height},
             {"visible", w->isVisible()},
             {"font", w->hasFont() ? json(w->getFont().name) : json(nullptr)},
             {"foreground", colourName(*w)},
             {"properties", propertiesOf(*w)}};
  if (auto* bar = dynamic_cast<eProgress*>(w)) {
    entry["percent"] = bar->getPerc();
    entry["start"] = bar->getStart();
  }
  if (auto* box = dynamic_cast<eCheckbox*>(w))
    entry["checked"] = box->isChecked() != 0;
  if (auto* combo = dynamic_cast<eComboBox*>(w)) {
    json entries = json::array();
    for (const eListBoxEntryText* e : combo->getEntries())
      entries.push_back(e->getText());
    entry["entries"] = entries;
    entry["current"] =
        combo->getCurrentIndex() >= 0 ? json(combo->getCurrentIndex()) : json(nullptr);
  }
  if (std::strcmp(w->kind(), "button") == 0)
    entry["shortcut"] = w->getShortcut();
  return entry;
}
}  // namespace

const char* toneThreadState(const OssAudioModel& audio) {
  if (audio.opensInAll() == 0)
    return "none";
  return audio.openDescriptors() > 0 ? "running" : "ended";
}

json dumpState(eWidget* finder, const StandInReceiver& receiver, const SimulatedDevices& devices,
               int64_t timeMs) {
  json state;
  state["time_ms"] = timeMs;
  json widgets = json::array();
  if (finder) {
    state["window"] = {{"title", finder->getText()},
                       {"visible", finder->isVisible()},
                       {"x", finder->getPosition().x},
                       {"y", finder->getPosition().y},
                       {"width", finder->getClientRect().width()},
                       {"height", finder->getClientRect().height()},
                       {"foreground", colourName(*finder)},
                       {"help_id", finder->getHelpID()},
                       {"properties", propertiesOf(*finder)}};
    std::vector<eWidget*> all;
    collect(finder, &all);
    std::stable_sort(all.begin(), all.end(),
                     [](eWidget* a, eWidget* b) { return a->serial() < b->serial(); });
    for (eWidget* w : all)
      widgets.push_back(widgetEntry(w));
  } else {
    state["window"] = nullptr;
  }
  state["widgets"] = widgets;

  json boxes = json::array();
  for (const eMessageBox::Shown& shown : eMessageBox::messageBoxes()) {
    boxes.push_back({{"text", shown.text}, {"caption", shown.caption}});
  }
  state["message_boxes"] = boxes;

  const StandInReceiver& rx = receiver;
  const eTransponder* tuned = rx.lastTuned();
  state["receiver"] = {{"tuned", tuned ? transponderToJson(*tuned) : json(nullptr)},
                       {"tune_count", rx.tuneCount()},
                       {"save_power_count", rx.savePowerCount()},
                       {"open_descriptors",
                        {{"i2c", devices.i2c.openDescriptors()},
                         {"frontend", devices.frontend.openDescriptors()},
                         {"audio", devices.audio.openDescriptors()}}},
                       {"tone_thread", toneThreadState(devices.audio)}};
  return state;
}
