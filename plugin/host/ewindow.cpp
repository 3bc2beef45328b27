#include "ewindow.h"

#include "ewidgets.h"

// A window appears when it is shown.
eWindow::eWindow(int /*state*/) : eWidget(nullptr, 0) {
  hide();
}

void eWindow::cresize(const eSize& s) {
  resize(s);
}

int eWindow::eventHandler(const eWidgetEvent& e) {
  return eWidget::eventHandler(e);
}

namespace {
std::vector<eMessageBox::Shown> shownBoxes;
}

eMessageBox::eMessageBox(eString text, eString caption, int /*flags*/, int /*def*/, int /*icon*/)
    : message(std::move(text)) {
  setText(caption);
  hide();
  auto* body = new eLabel(this);
  body->setName("text");
  body->setText(message);
  body->move(ePoint(10, 10));
  body->resize(eSize(420, 80));
  cresize(eSize(440, 100));
  move(ePoint(140, 200));
}

void eMessageBox::show() {
  eWidget::show();
  if (!recorded) {
    shownBoxes.push_back({message, getText()});
    recorded = true;
  }
}

int eMessageBox::keyDown(eKey key) {
  if (key == eKey::ok || key == eKey::exit) {
    close(key == eKey::ok ? 0 : -1);
    return 1;
  }
  return 1;
}

const std::vector<eMessageBox::Shown>& eMessageBox::messageBoxes() {
  return shownBoxes;
}
void eMessageBox::clearMessageBoxes() {
  shownBoxes.clear();
}
