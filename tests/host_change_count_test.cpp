// The host's widgets count every change to what a renderer draws, and only real changes: the
// simulator's window draws again exactly when the count moves, so a missed change leaves a
// stale picture on screen and a counted non-change redraws an idle window.

#include <functional>
#include <memory>
#include <string>

#include "support/finder_fixture.h"

namespace {

// A small finder-like window: a label, a progress bar, a check box and a combo box with two
// entries, the first selected and the combo box focused (keys to the window reach it).
struct Widgets {
  Widgets() {
    window = std::make_unique<eWindow>(0);
    label = new eLabel(window.get());
    label->setText("12.1dB");
    label->move(ePoint(10, 10));
    label->resize(eSize(100, 20));
    bar = new eProgress(window.get());
    bar->setPerc(40);
    bar->setProperty("leftColor", "std_green");
    box = new eCheckbox(window.get(), 0, 1);
    combo = new eComboBox(window.get(), 3, nullptr, 1, "eComboBox");
    new eListBoxEntryText(combo, "first", nullptr);
    new eListBoxEntryText(combo, "second", nullptr);
    combo->setCurrent(0);
    window->setFocus(combo);
    window->show();
  }
  std::unique_ptr<eWindow> window;
  eLabel* label;
  eProgress* bar;
  eCheckbox* box;
  eComboBox* combo;
};

struct Case {
  const char* what;
  std::function<void(Widgets&)> act;
  bool counts;
};

const Case kCases[] = {
    {"new text", [](Widgets& w) { w.label->setText("12.2dB"); }, true},
    {"the same text", [](Widgets& w) { w.label->setText("12.1dB"); }, false},
    {"a move", [](Widgets& w) { w.label->move(ePoint(11, 10)); }, true},
    {"a move to where it is", [](Widgets& w) { w.label->move(ePoint(10, 10)); }, false},
    {"a new size", [](Widgets& w) { w.label->resize(eSize(100, 21)); }, true},
    {"the same size", [](Widgets& w) { w.label->resize(eSize(100, 20)); }, false},
    {"hiding", [](Widgets& w) { w.label->hide(); }, true},
    {"showing a shown widget", [](Widgets& w) { w.label->show(); }, false},
    {"a font",
     [](Widgets& w) {
       w.label->setFont(gFont{"eWindow.Childs", "DejaVu Sans", 20});
     },
     true},
    {"a colour",
     [](Widgets& w) {
       w.label->setForegroundColor(gColor{"red", 0xFF0000, true});
     },
     true},
    {"a new property value", [](Widgets& w) { w.bar->setProperty("leftColor", "std_red"); }, true},
    {"the same property value", [](Widgets& w) { w.bar->setProperty("leftColor", "std_green"); },
     false},
    {"a percentage", [](Widgets& w) { w.bar->setPerc(41); }, true},
    {"the same percentage", [](Widgets& w) { w.bar->setPerc(40); }, false},
    {"a start", [](Widgets& w) { w.bar->setStart(12); }, true},
    {"a tick set by the program", [](Widgets& w) { w.box->setCheck(1); }, true},
    {"the tick it has", [](Widgets& w) { w.box->setCheck(0); }, false},
    {"a tick by the person", [](Widgets& w) { w.box->toggle(); }, true},
    {"label flags", [](Widgets& w) { w.label->setFlags(64); }, true},
    {"the flags it has", [](Widgets& w) { w.label->setFlags(0); }, false},
    {"an alignment", [](Widgets& w) { w.label->setAlign(2); }, true},
    {"the focus moving", [](Widgets& w) { w.window->setFocus(w.label); }, true},
    {"the focus staying", [](Widgets& w) { w.window->setFocus(w.combo); }, false},
    {"a new widget", [](Widgets& w) { new eLabel(w.window.get()); }, true},
    {"a widget deleted", [](Widgets& w) { delete w.bar; }, true},
    {"another entry selected", [](Widgets& w) { w.combo->setCurrent(1); }, true},
    {"the selected entry again", [](Widgets& w) { w.combo->setCurrent(0); }, false},
    {"an entry added", [](Widgets& w) { new eListBoxEntryText(w.combo, "third", nullptr); }, true},
    {"the list cleared", [](Widgets& w) { w.combo->clearList(); }, true},
    {"the list opened", [](Widgets& w) { w.window->keyDown(eKey::ok); }, true},
    {"left at the first entry", [](Widgets& w) { w.window->keyDown(eKey::left); }, false},
    {"the help text (never drawn)", [](Widgets& w) { w.label->setHelpText("help"); }, false},
};

class ChangeCount : public HostFixture {};

TEST_F(ChangeCount, EveryDrawnChangeCountsAndNothingElse) {
  for (const Case& c : kCases) {
    Widgets w;
    const unsigned long before = eWidget::changeCount();
    c.act(w);
    EXPECT_EQ(eWidget::changeCount() != before, c.counts) << c.what;
  }
}

TEST_F(ChangeCount, MovingInAnOpenListAndClosingItCount) {
  Widgets w;
  w.window->keyDown(eKey::ok);
  ASSERT_TRUE(w.combo->isOpen());
  unsigned long before = eWidget::changeCount();
  w.window->keyDown(eKey::down);
  EXPECT_NE(eWidget::changeCount(), before) << "the highlight moved";
  before = eWidget::changeCount();
  w.window->keyDown(eKey::down);
  EXPECT_EQ(eWidget::changeCount(), before) << "already on the last entry";
  before = eWidget::changeCount();
  w.window->keyDown(eKey::exit);
  ASSERT_FALSE(w.combo->isOpen());
  EXPECT_NE(eWidget::changeCount(), before) << "the list closed";
}

TEST_F(ChangeCount, AMessageBoxAppearingAndGoingCount) {
  unsigned long before = eWidget::changeCount();
  auto box = std::make_unique<eMessageBox>("No signal", "Sorry");
  EXPECT_NE(eWidget::changeCount(), before);
  before = eWidget::changeCount();
  box->show();
  EXPECT_NE(eWidget::changeCount(), before);
  before = eWidget::changeCount();
  box.reset();
  EXPECT_NE(eWidget::changeCount(), before);
}

}  // namespace
