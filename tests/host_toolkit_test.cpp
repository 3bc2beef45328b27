// The stand-in host toolkit: what the plug-in relies on from widgets, timers, skins, keys and
// the DVB layer.

#include <cstdint>
#include <memory>
#include <vector>

#include "host/receiver.h"
#include "support/finder_fixture.h"

namespace {

class ToolkitTest : public HostFixture {};

class CountedLabel : public eLabel {
 public:
  CountedLabel(eWidget* parent, int* deaths) : eLabel(parent), counter(deaths) {}
  ~CountedLabel() override { ++*counter; }

 private:
  int* counter;
};

TEST_F(ToolkitTest, ChildrenAreDeletedWithTheirParent) {
  int deaths = 0;
  auto window = std::make_unique<eWindow>(0);
  auto* inner = new CountedLabel(window.get(), &deaths);
  new CountedLabel(inner, &deaths);
  new CountedLabel(window.get(), &deaths);
  EXPECT_EQ(window->getChildren().size(), 2u);
  window.reset();
  EXPECT_EQ(deaths, 3);
}

TEST_F(ToolkitTest, ComboBoxFiresSelectionChangedOnlyWhenAsked) {
  eWindow window(0);
  auto* combo = new eComboBox(&window, 3, nullptr, 1, "eComboBox");
  int a = 1;
  int b = 2;
  auto* first = new eListBoxEntryText(combo, "first", &a, 0, "", 0);
  auto* second = new eListBoxEntryText(combo, "second", &b, 0, "", 0);
  std::vector<eListBoxEntryText*> changes;
  combo->selchanged.connect([&changes](eListBoxEntryText* e) { changes.push_back(e); });

  EXPECT_EQ(combo->getCount(), 2);
  EXPECT_EQ(combo->getCurrent(), nullptr);
  EXPECT_EQ(combo->setCurrent(second, false), 0);
  EXPECT_TRUE(changes.empty());
  EXPECT_EQ(combo->getCurrent(), second);
  EXPECT_EQ(combo->setCurrent(0, true), 0);
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0], first);
  EXPECT_EQ(first->getKey(), &a);
  EXPECT_EQ(combo->setCurrent(5, true), -1);
  EXPECT_EQ(changes.size(), 1u);

  combo->clearList();
  EXPECT_EQ(combo->getCount(), 0);
  EXPECT_EQ(combo->getCurrent(), nullptr);
}

TEST_F(ToolkitTest, ChoosingAnEntrySignalsSelectedThenChangedThenFocus) {
  eWindow window(0);
  auto* combo = new eComboBox(&window, 3, nullptr, 1, "eComboBox");
  combo->setName("sat");
  new eListBoxEntryText(combo, "a", nullptr, 0, "", 0);
  new eListBoxEntryText(combo, "b", nullptr, 0, "", 0);
  std::vector<std::string> order;
  combo->selected.connect([&order] { order.push_back("selected"); });
  combo->selchanged.connect([&order](eListBoxEntryText* e) { order.push_back(e->getText()); });
  window.focusChanged.connect(
      [&order](const eWidget* w) { order.push_back("focus " + w->getName()); });
  EXPECT_EQ(combo->choose(1), 0);
  EXPECT_EQ(order, (std::vector<std::string>{"selected", "b", "focus sat"}));
}

TEST_F(ToolkitTest, KeysReachShortcutsCheckBoxesAndCloseTheWindow) {
  eWindow window(0);
  auto* button = new eButton(&window, nullptr, 1, "eButton");
  button->setShortcut("green");
  auto* box = new eCheckbox(&window, 0, 1, false, "eCheckBox");
  box->resize(eSize(100, 30));
  int greens = 0;
  std::vector<int> checks;
  button->selected.connect([&greens] { ++greens; });
  box->checked.connect([&checks](int c) { checks.push_back(c); });

  input.key(eKey::green);
  input.key(eKey::down);  // focus to the check box (the unplaced button takes none)
  input.key(eKey::ok);
  input.key(eKey::ok);
  input.key(eKey::exit);
  window.show();
  EXPECT_EQ(window.exec(), -1);
  EXPECT_EQ(greens, 1);
  EXPECT_EQ(checks, (std::vector<int>{1, 0}));
  EXPECT_EQ(box->isChecked(), 0);
}

TEST_F(ToolkitTest, TimersFireInTimeOrderOnTheVirtualClock) {
  eTimer once(&loop);
  eTimer repeating(&loop);
  std::vector<std::string> fired;
  once.timeout.connect([&] { fired.push_back("once@" + std::to_string(loop.nowMs())); });
  repeating.timeout.connect([&] { fired.push_back("rep@" + std::to_string(loop.nowMs())); });
  once.start(250, true);
  repeating.start(100, false);
  loop.advance(300);
  repeating.stop();
  loop.advance(1000);
  EXPECT_EQ(fired, (std::vector<std::string>{"rep@100", "rep@200", "once@250", "rep@300"}));
  EXPECT_FALSE(once.isActive());
}

TEST_F(ToolkitTest, SkinBuildAppliesItsElementOrReportsItMissing) {
  eSkin skin;
  eSkinElement element;
  element.position = ePoint(100, 80);
  element.clientSize = eSize(520, 400);
  eSkinChild bar;
  bar.position = ePoint(10, 20);
  bar.size = eSize(300, 25);
  element.children["snr"] = bar;
  skin.setElement("finder", element);
  skin.setColor("std_red", 0xFF0000);

  eWindow window(0);
  auto* progress = new eProgress(&window);
  progress->setName("snr");
  EXPECT_EQ(skin.build(&window, "finder"), 0);
  EXPECT_EQ(window.getClientRect().width(), 520);
  EXPECT_EQ(window.getClientRect().bottom() - window.getClientRect().top(), 400);
  EXPECT_EQ(progress->getPosition(), ePoint(10, 20));
  EXPECT_EQ(progress->getSize(), eSize(300, 25));
  EXPECT_NE(skin.build(&window, "other"), 0);

  EXPECT_TRUE(skin.queryColor("std_red").valid);
  EXPECT_EQ(skin.queryColor("std_red").rgb, 0xFF0000u);
  EXPECT_FALSE(skin.queryColor("std_blue").valid);
  EXPECT_EQ(skin.queryFont("nothing").name, "nothing");
}

TEST_F(ToolkitTest, TuneReportsBackLaterFromTheMainLoop) {
  receiver.fillDefaultSatellite();
  receiver.setTuneDelayMs(300);
  std::vector<eTransponder*> reports;
  eFrontend::getInstance()->tunedIn.connect(
      [&reports](eTransponder* tp, int) { reports.push_back(tp); });
  eTransponder& tp = receiver.networks().front().possibleTransponders.front();
  EXPECT_EQ(tp.tune(), 0);
  EXPECT_EQ(receiver.tuneCount(), 1);
  EXPECT_TRUE(reports.empty()) << "tune returns at once";
  loop.advance(299);
  EXPECT_TRUE(reports.empty());
  loop.advance(1);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0], &tp);
}

TEST_F(ToolkitTest, DeliveredTuneReportsAreForgottenAndPendingOnesCancelled) {
  {
    StandInReceiver retuned;
    retuned.install();
    retuned.fillDefaultSatellite();
    retuned.setTuneDelayMs(300);
    int delivered = 0;
    eFrontend::getInstance()->tunedIn.connect([&delivered](eTransponder*, int) { ++delivered; });
    eTransponder& tp = retuned.networks().front().possibleTransponders.front();
    for (int i = 0; i < 1000; ++i) {
      tp.tune();
      loop.advance(250);
    }
    loop.advance(300);
    EXPECT_EQ(delivered, 1000);
    EXPECT_EQ(retuned.pendingTunedInCount(), 0u) << "a long run of retunes must not pile up";
    tp.tune();
    EXPECT_EQ(retuned.pendingTunedInCount(), 1u);
    retuned.uninstall();
  }
  // The report still pending belonged to a receiver that is gone: the sanitizer runs would
  // catch it if it fired now.
  receiver.install();
  loop.advance(1000);
}

TEST_F(ToolkitTest, DefaultReceiverDescribesASatelliteSetup) {
  receiver.fillDefaultSatellite();
  eTransponderList* list = eTransponderList::getInstance();
  ASSERT_NE(list, nullptr);
  eSatellite* sat = list->findSatellite(192);
  ASSERT_NE(sat, nullptr);
  ASSERT_NE(sat->getLNB(), nullptr);
  EXPECT_EQ(sat->getLNB()->getLOFLo(), 9750000u);
  EXPECT_EQ(list->findSatellite(282), nullptr);
  ASSERT_NE(eDVB::getInstance()->getServiceAPI(), nullptr);
  ASSERT_NE(eDVB::getInstance()->getServiceAPI()->transponder, nullptr);
  EXPECT_EQ(eDVB::getInstance()->getServiceAPI()->transponder->satellite.frequency, 11836000u);
  receiver.setServiceAvailable(false);
  EXPECT_EQ(eDVB::getInstance()->getServiceAPI(), nullptr);
}

TEST(DebugLog, KeepsLinesOnlyWhileAskedAndTheSinkGetsThemAnyway) {
  std::vector<std::string> sunk;
  debuglog::setSink([&sunk](const std::string& line) { sunk.push_back(line); });
  debuglog::keepLines(false);
  eDebug("one %d", 1);
  EXPECT_TRUE(debuglog::lines().empty());
  debuglog::keepLines(true);
  eDebug("two");
  EXPECT_EQ(debuglog::lines(), std::vector<std::string>{"two"});
  debuglog::keepLines(false);
  EXPECT_TRUE(debuglog::lines().empty()) << "switching off drops what was kept";
  debuglog::setSink(nullptr);
  EXPECT_EQ(sunk, (std::vector<std::string>{"one 1", "two"}));
}

// The finder logs the playing transponder's address as an int ("oldTp %d"); for its log to
// repeat from run to run those 32 bits must not depend on where the process was put.
TEST(ServiceTransponder, ItsAddressRepeatsInTheBitsTheFinderLogs) {
  if (sizeof(void*) < 8)
    GTEST_SKIP() << "a 32-bit pointer is all the finder logs: two records alive at once cannot "
                    "share those bits, and a 32-bit process keeps ordinary addresses";
  eTransponder tp;
  tp.satellite.valid = 1;
  auto logged = [](StandInReceiver& r) {
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(r.currentTransponder()));
  };
  StandInReceiver first;
  first.setCurrentTransponder(tp);
  StandInReceiver second;  // alive at the same time, so its memory is elsewhere
  second.setCurrentTransponder(tp);
  EXPECT_NE(first.currentTransponder(), second.currentTransponder());
  EXPECT_EQ(logged(first), logged(second));
  EXPECT_NE(logged(first), 0u) << "0 would read as no transponder";
  EXPECT_EQ(second.currentTransponder()->satellite.valid, 1);
}

}  // namespace

namespace {

TEST(RealTimeLoop, ClockFollowsTheWallClockForDevicesOnOtherThreads) {
  eMainloop realLoop(eMainloop::Time::realTime);
  eTimer timer(&realLoop);
  int ticks = 0;
  timer.timeout.connect([&ticks] { ++ticks; });
  timer.start(5, true);
  const int64_t before = realLoop.nowUs();
  realLoop.advance(20);
  // A lower bound only: advance() sleeps at least that long, and the timer is due within it.
  EXPECT_GE(realLoop.nowUs() - before, 20000);
  EXPECT_EQ(ticks, 1);
}

// An input driver that records how long the loop asked it to wait for input, and reports
// input at once when told to.
class WaitingInput : public eInputDriver {
 public:
  explicit WaitingInput(bool hasInput) : input(hasInput) {}
  void idle(eMainloop&) override {}
  bool waitForInput(int64_t us) override {
    asked.push_back(us);
    return input ? true : eInputDriver::waitForInput(us);
  }
  bool input;
  std::vector<int64_t> asked;
};

TEST(RealTimeLoop, WaitForWorkEndsAtInputWithoutFiringATimerThatIsNotDue) {
  eMainloop realLoop(eMainloop::Time::realTime);
  WaitingInput driver(true);
  realLoop.setInputDriver(&driver);
  eTimer timer(&realLoop);
  int ticks = 0;
  timer.timeout.connect([&ticks] { ++ticks; });
  timer.start(10000, true);
  const int64_t start = realLoop.nowUs();
  realLoop.waitForWork(start + 60000000);
  EXPECT_EQ(ticks, 0);
  ASSERT_EQ(driver.asked.size(), 1u);
  // The input wait ends a little before the timer, never after it, and the far limit given
  // to waitForWork does not count: the timer is nearer.
  EXPECT_LT(driver.asked[0], 10000000);
  EXPECT_GT(driver.asked[0], 9000000);
  realLoop.setInputDriver(nullptr);
}

TEST(RealTimeLoop, WaitForWorkFiresTheTimerWhenItIsDueAndStopsAtItsLimit) {
  eMainloop realLoop(eMainloop::Time::realTime);
  WaitingInput driver(false);
  realLoop.setInputDriver(&driver);
  eTimer timer(&realLoop);
  std::vector<int64_t> firedAt;
  timer.timeout.connect([&] { firedAt.push_back(realLoop.nowUs()); });
  timer.start(30, true);
  const int64_t due = timer.dueUs();
  // A limit before the timer: the wait ends there, with the timer still to come.
  const int64_t limit = realLoop.nowUs() + 10000;
  realLoop.waitForWork(limit);
  EXPECT_TRUE(firedAt.empty());
  EXPECT_GE(realLoop.nowUs(), limit);
  // Then the timer, not the far limit, ends the wait; it fired no earlier than it was due.
  realLoop.waitForWork(realLoop.nowUs() + 60000000);
  ASSERT_EQ(firedAt.size(), 1u);
  EXPECT_GE(firedAt[0], due);
  realLoop.setInputDriver(nullptr);
}

TEST(VirtualTimeLoop, WaitForWorkLetsTimePassUpToItsLimit) {
  eMainloop virtualLoop(eMainloop::Time::virtualTime);
  eTimer timer(&virtualLoop);
  int ticks = 0;
  timer.timeout.connect([&ticks] { ++ticks; });
  timer.start(100, true);
  virtualLoop.waitForWork(50000);
  EXPECT_EQ(ticks, 0);
  EXPECT_EQ(virtualLoop.nowUs(), 50000);
  virtualLoop.waitForWork(150000);
  EXPECT_EQ(ticks, 1);
  EXPECT_EQ(virtualLoop.nowUs(), 150000);
}

}  // namespace
