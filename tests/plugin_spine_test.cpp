// The finder window's spine: mode dispatch, event handling, the small slots, the destructor and
// the sine table it fills.

#include <algorithm>
#include <memory>

#include "plugin/my_ebeamseek.h"
#include "support/finder_fixture.h"
#include "tone/tone.h"

namespace {

class SpineTest : public HostFixture {
 protected:
  std::unique_ptr<my_eBeamseek> openWindow(int frontendType) {
    receiver.setFrontendType(frontendType);
    // No service interface: the satellite set-up stops at once, so only the spine runs.
    receiver.setServiceAvailable(false);
    return std::make_unique<my_eBeamseek>(eFrontend::getInstance());
  }
};

struct DispatchCase {
  int frontendType;
  const char* logLine;  // nullptr: no message
  const char* boxText;
  const char* boxCaption;
};

TEST_F(SpineTest, FrontendTypeChoosesModeOrMessage) {
  const DispatchCase cases[] = {
      {0, nullptr, nullptr, nullptr},
      {1, "DVB-C wird noch nicht unterstützt", "DVB-C wird noch nicht unterstützt.", "Sorry"},
      {2, nullptr, nullptr, nullptr},
      // Without a message catalogue gettext hands back "Error" itself.
      {3, "Unbekanntes Empfangssystem (kein DVB-S -T oder -C)",
       "Unbekanntes Empfangssystem (kein DVB-S -T oder -C)", "Error"},
      {7, "Unbekanntes Empfangssystem (kein DVB-S -T oder -C)",
       "Unbekanntes Empfangssystem (kein DVB-S -T oder -C)", "Error"},
  };
  for (const DispatchCase& c : cases) {
    SCOPED_TRACE(c.frontendType);
    debuglog::clear();
    eMessageBox::clearMessageBoxes();
    auto window = openWindow(c.frontendType);
    const auto& boxes = eMessageBox::messageBoxes();
    if (c.boxText) {
      ASSERT_EQ(boxes.size(), 1u);
      EXPECT_EQ(boxes[0].text, c.boxText);
      EXPECT_EQ(boxes[0].caption, c.boxCaption);
      EXPECT_EQ(logCount(c.logLine), 1);
      // After the box the window is empty and has no title.
      EXPECT_TRUE(window->getChildren().empty());
      EXPECT_EQ(window->getText(), "");
      // The box was dismissed and is gone.
      EXPECT_EQ(eWidget::topLevelWidgets().size(), 1u);
    } else {
      EXPECT_TRUE(boxes.empty());
    }
  }
}

TEST_F(SpineTest, CableWindowClosesIntoPowerSaving) {
  auto window = openWindow(eFrontend::feCable);
  window.reset();
  EXPECT_EQ(receiver.savePowerCount(), 1);
  EXPECT_EQ(receiver.tuneCount(), 0);
}

TEST_F(SpineTest, EventThreeArmsSingleShotTimerForQuarterSecond) {
  auto window = openWindow(eFrontend::feCable);
  int ticks = 0;
  window->refreshTimer.timeout.connect([&ticks] { ++ticks; });

  EXPECT_EQ(window->event(eWidgetEvent(eWidgetEvent::execBegin)), 0);
  loop.advance(249);
  EXPECT_EQ(ticks, 0);
  loop.advance(1);
  EXPECT_EQ(ticks, 1);
  loop.advance(1000);
  EXPECT_EQ(ticks, 1) << "single shot: one start, one tick";
}

TEST_F(SpineTest, EventFourBeforeTheTickPreventsIt) {
  auto window = openWindow(eFrontend::feCable);
  int ticks = 0;
  window->refreshTimer.timeout.connect([&ticks] { ++ticks; });
  window->event(eWidgetEvent(eWidgetEvent::execBegin));
  loop.advance(200);
  EXPECT_EQ(window->event(eWidgetEvent(eWidgetEvent::execDone)), 0);
  loop.advance(1000);
  EXPECT_EQ(ticks, 0);
  EXPECT_FALSE(window->refreshTimer.isActive());
}

TEST_F(SpineTest, OtherEventsReachTheBaseWindowUnchanged) {
  auto window = openWindow(eFrontend::feCable);
  eWindow plain;
  for (int type : {eWidgetEvent::willShow, eWidgetEvent::changedText, eWidgetEvent::gotFocus}) {
    SCOPED_TRACE(type);
    const int expected = plain.event(eWidgetEvent(type));
    EXPECT_EQ(window->event(eWidgetEvent(type)), expected);
    EXPECT_EQ(window->lastBaseEvent(), type);
    EXPECT_FALSE(window->refreshTimer.isActive());
  }
}

TEST_F(SpineTest, LostFocusStartsRefreshOnlyForTheTwoLists) {
  struct Case {
    const char* name;  // nullptr: no widget
    bool starts;
  };
  const Case cases[] = {
      {nullptr, false}, {"sat", true},           {"transponder", true}, {"Sat", false},
      {"sat ", false},  {"transponders", false}, {"ransponder", false}, {"", false},
  };
  auto window = openWindow(eFrontend::feCable);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name ? c.name : "(none)");
    window->refreshTimer.stop();
    debuglog::clear();
    std::unique_ptr<eLabel> widget;
    if (c.name) {
      widget = std::make_unique<eLabel>(nullptr);
      widget->setName(c.name);
    }
    window->LostFocus(widget.get());
    EXPECT_EQ(window->refreshTimer.isActive(), c.starts);
    EXPECT_EQ(logCount("[Vevovuvado] Focus lost"), c.starts ? 1 : 0);
  }
}

TEST_F(SpineTest, SmallSlotsLogAndStopOrLeaveTheTimer) {
  auto window = openWindow(eFrontend::feCable);
  window->refreshTimer.start(250, true);
  window->RotorRunning(1);
  window->tunedIn(nullptr, -5);
  EXPECT_TRUE(window->refreshTimer.isActive()) << "rotor and tuned-in reports leave the timer";
  EXPECT_TRUE(logHasInOrder(
      {"[Vevovuvado] RotorRunning", "void my_eBeamseek::tunedIn(eTransponder *, int error )"}));

  window->satSelected();
  EXPECT_FALSE(window->refreshTimer.isActive());
  window->refreshTimer.start(250, true);
  window->tpSelected();
  EXPECT_FALSE(window->refreshTimer.isActive());
  EXPECT_TRUE(logHasInOrder({"[Vevovuvado] satSelected", "[Vevovuvado] tpSelected"}));
}

TEST_F(SpineTest, DestructorTunesOldTransponderOrSavesPower) {
  eTransponder old;
  old.satellite.valid = 1;
  old.satellite.frequency = 11836000;
  for (bool withOld : {true, false}) {
    SCOPED_TRACE(withOld);
    receiver.resetRecords();
    debuglog::clear();
    auto window = openWindow(eFrontend::feCable);
    window->oldTp = withOld ? &old : nullptr;
    window->refreshTimer.start(250, true);
    window.reset();

    EXPECT_EQ(receiver.tuneCount(), withOld ? 1 : 0);
    EXPECT_EQ(receiver.savePowerCount(), withOld ? 0 : 1);
    if (withOld) {
      EXPECT_EQ(receiver.lastTuned(), &old);
    }
    EXPECT_TRUE(logHasInOrder({"warte bis SoundThread beendet ist", "SoundThread ist beendet"}));
    const auto lines = log();
    const auto oldLine = std::find_if(
        lines.begin(), lines.end(), [](const std::string& l) { return l.rfind("oldTp ", 0) == 0; });
    ASSERT_NE(oldLine, lines.end());
    EXPECT_EQ(*oldLine == "oldTp 0", !withOld);
    EXPECT_GT(oldLine - lines.begin(),
              std::find(lines.begin(), lines.end(), "SoundThread ist beendet") - lines.begin());
  }
}

TEST_F(SpineTest, DestructorDoesNotWaitWhenNoToneThreadRan) {
  auto window = openWindow(eFrontend::feTerrestrial);
  ASSERT_EQ(sound_running.load(), 0);
  window.reset();  // returning at all is the check: the wait would spin forever otherwise
  EXPECT_EQ(sound_run.load(), 0);
  EXPECT_EQ(logCount("SoundThread ist beendet"), 1);
}

TEST_F(SpineTest, ClosingEndsConnectionsToTheWindow) {
  auto window = openWindow(eFrontend::feCable);
  eFrontend* fe = eFrontend::getInstance();
  fe->s_RotorRunning.connect(SigC::slot(*window, &my_eBeamseek::RotorRunning));
  window.reset();
  debuglog::clear();
  fe->s_RotorRunning.emit(1);
  EXPECT_EQ(logCount("[Vevovuvado] RotorRunning"), 0);
}

TEST_F(SpineTest, SineTableHasItsPublishedValues) {
  auto window = openWindow(eFrontend::feCable);
  const std::pair<int, int> published[] = {{0, 0},   {1, 1},      {2, 2},    {256, 127},
                                           {512, 0}, {768, -127}, {1023, -1}};
  for (const auto& [index, value] : published) {
    EXPECT_EQ(sinwave[index], value) << "entry " << index;
  }
  EXPECT_EQ(std::count(sinwave, sinwave + kSineEntries, 127), 29);
  EXPECT_EQ(std::count(sinwave, sinwave + kSineEntries, -127), 29);
}

}  // namespace
