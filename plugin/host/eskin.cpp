#include "eskin.h"

#include <atomic>

#include "ewidget.h"

namespace {
std::atomic<eSkin*> activeSkin{nullptr};

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

void eSkin::setActive(eSkin* skin) { activeSkin.store(skin, std::memory_order_release); }

void eSkin::setFont(const std::string& name, const std::string& family, int size, bool bold) {
  fonts[name] = gFont{name, family, size, bold};
}

gColor eSkin::queryColor(const eString& name) const {
  auto it = colors.find(name);
  if (it == colors.end()) return gColor{name, 0, false};
  return gColor{name, it->second, true};
}

gFont eSkin::queryFont(const eString& name) const {
  auto it = fonts.find(name);
  if (it != fonts.end()) return it->second;
  return gFont{name, "DejaVu Sans", 20, false};
}

int eSkin::build(eWidget* window, const char* elementName) {
  auto it = elements.find(elementName ? elementName : "");
  if (it == elements.end()) return -1;
  const eSkinElement& element = it->second;
  window->move(element.position);
  window->cresize(element.clientSize);
  if (element.hasTitle) window->setText(element.title);
  for (const auto& [childName, child] : element.children) {
    eWidget* widget = window->search(childName);
    if (!widget) continue;
    widget->move(child.position);
    widget->resize(child.size);
    if (child.hasText) widget->setText(child.text);
    if (!child.font.empty()) widget->setFont(queryFont(child.font));
  }
  return 0;
}
