#include "eskin.h"

#include <atomic>

#include "ewidget.h"

namespace {
std::atomic<eSkin*> activeSkin{nullptr};

// The terrestrial finder window, 500 by 280: SNR, AGC and BER rows (bar, number to its right),
// the lock and sync boxes, then the region caption and list, and the channel list below.
struct FinderChildRow {
  const char* name;
  int x, y, width, height;
  const char* text;  // nullptr: the plug-in sets the text
};

constexpr FinderChildRow kTerrestrialFinderChildren[] = {
    {"snr", 10, 10, 380, 30, nullptr},           {"snr_num", 400, 10, 90, 30, nullptr},
    {"agc", 10, 50, 380, 30, nullptr},           {"agc_num", 400, 50, 90, 30, nullptr},
    {"ber", 10, 90, 380, 30, nullptr},           {"ber_num", 400, 90, 90, 30, nullptr},
    {"lock", 10, 135, 140, 30, "LOCK"},          {"sync", 160, 135, 140, 30, "SYNC"},
    {"lSat", 10, 185, 110, 30, "Region:"},       {"sat", 130, 185, 360, 30, nullptr},
    {"transponder", 130, 230, 360, 30, nullptr},
};

eSkinElement makeTerrestrialFinderElement() {
  eSkinElement element;
  element.position = ePoint(110, 150);
  element.clientSize = eSize(500, 280);
  element.hasTitle = true;
  element.title = "Signalfind";
  for (const FinderChildRow& row : kTerrestrialFinderChildren) {
    eSkinChild child;
    child.position = ePoint(row.x, row.y);
    child.size = eSize(row.width, row.height);
    child.hasText = row.text != nullptr;
    child.text = row.text;  // eString takes nullptr as ""
    element.children[row.name] = child;
  }
  return element;
}

eSkin makeDefaultSkin() {
  eSkin skin;
  skin.setColor("std_black", 0x000000);
  skin.setColor("std_white", 0xFFFFFF);
  skin.setColor("std_red", 0xE02020);
  skin.setColor("std_green", 0x20B040);
  skin.setColor("std_dyellow", 0xC8A000);
  skin.setColor("std_dmagenta", 0xA02090);
  skin.setColor("std_gray+7", 0xB0B0B0);
  skin.setColor("std_background", 0x1C2C4C);
  skin.setColor("std_title", 0x2E4A7A);
  skin.setFont("eWindow.Childs", "DejaVu Sans", 20);
  skin.setFont("eWindow.TitleBar", "DejaVu Sans", 22, true);
  skin.setFont("eAboutScreen.machine", "DejaVu Sans", 32, true);
  skin.setElement("eBeamseek", makeTerrestrialFinderElement());
  return skin;
}
}  // namespace

eSkin& eSkin::builtinDefault() {
  static eSkin skin = makeDefaultSkin();
  return skin;
}

eSkin* eSkin::getActive() {
  eSkin* skin = activeSkin.load(std::memory_order_acquire);
  return skin ? skin : &builtinDefault();
}

void eSkin::setActive(eSkin* skin) {
  activeSkin.store(skin, std::memory_order_release);
}

void eSkin::setFont(const std::string& name, const std::string& family, int size, bool bold) {
  fonts[name] = gFont{name, family, size, bold};
}

gColor eSkin::queryColor(const eString& name) const {
  auto it = colors.find(name);
  if (it == colors.end())
    return gColor{name, 0, false};
  return gColor{name, it->second, true};
}

gFont eSkin::queryFont(const eString& name) const {
  auto it = fonts.find(name);
  if (it != fonts.end())
    return it->second;
  return gFont{name, "DejaVu Sans", 20, false};
}

int eSkin::build(eWidget* window, const char* elementName) {
  auto it = elements.find(elementName ? elementName : "");
  if (it == elements.end())
    return -1;
  const eSkinElement& element = it->second;
  window->move(element.position);
  window->cresize(element.clientSize);
  if (element.hasTitle)
    window->setText(element.title);
  for (const auto& [childName, child] : element.children) {
    eWidget* widget = window->search(childName);
    if (!widget)
      continue;
    widget->move(child.position);
    widget->resize(child.size);
    if (child.hasText)
      widget->setText(child.text);
    if (!child.font.empty())
      widget->setFont(queryFont(child.font));
  }
  return 0;
}
