// The terrestrial window: its widgets, the skin element, the region and channel lists, the
// start-up selection, and how channel choices and tuned-in reports drive the refresh.

#include <cstring>

#include "terr_fixture.h"

namespace {

bool inside(const eRect& outer, const eRect& inner) {
  return inner.left() >= outer.left() && inner.top() >= outer.top() &&
         inner.right() <= outer.right() && inner.bottom() <= outer.bottom();
}

bool overlap(const eRect& a, const eRect& b) {
  return a.left() < b.right() && b.left() < a.right() && a.top() < b.bottom() &&
         b.top() < a.bottom();
}

class TerrWindowTest : public TerrFixture {
 protected:
  ~TerrWindowTest() override { eSkin::setActive(nullptr); }
};

TEST_F(TerrWindowTest, CreatesElevenNamedWidgetsInOrderWithTheirRosterEntries) {
  fillRegions();
  auto w = openWindow();
  struct Expected {
    const char* name;
    const char* kind;
    const eWidget* roster;  // nullptr: no roster entry
  };
  const Expected expected[] = {
      {"snr", "progress", w->snrBar},      {"agc", "progress", w->terrAgcBar},
      {"ber", "progress", w->berBar},      {"sync", "checkbox", w->syncBox},
      {"lock", "checkbox", w->lockBox},    {"snr_num", "label", w->snrNum},
      {"agc_num", "label", w->terrAgcNum}, {"ber_num", "label", w->berNum},
      {"sat", "combobox", w->satCombo},    {"transponder", "combobox", w->tpCombo},
      {"lSat", "label", nullptr},
  };
  const auto& children = w->getChildren();
  ASSERT_EQ(children.size(), std::size(expected));
  for (size_t i = 0; i < children.size(); ++i) {
    SCOPED_TRACE(expected[i].name);
    EXPECT_EQ(children[i]->getName(), expected[i].name);
    EXPECT_STREQ(children[i]->kind(), expected[i].kind);
    if (expected[i].roster) {
      EXPECT_EQ(children[i], expected[i].roster);
    }
  }
  // The satellite window's widgets stay absent, the AGC pair included.
  const eWidget* satelliteOnly[] = {w->agcBar, w->agcNum,   w->agc1Bar, w->agc1Num,
                                    w->fecBox, w->soundBox, w->freqNum, w->switchButton};
  for (const eWidget* widget : satelliteOnly)
    EXPECT_EQ(widget, nullptr);
  EXPECT_EQ(w->getHelpID(), 44);
  EXPECT_EQ(w->oldTp, nullptr);
}

TEST_F(TerrWindowTest, ProbeOfTheTerrestrialDemodulatorSetsDemodType) {
  struct Case {
    int id;  // -1: no device answers
    int demodType;
  };
  const Case cases[] = {{70, 2}, {71, -1}, {0, -1}, {-1, -1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    if (c.id < 0) {
      devices.i2c.removeDevice(kTerrestrialDemodAddress);
    } else {
      devices.i2c.setRegister(kTerrestrialDemodAddress, 0x00, static_cast<uint8_t>(c.id));
    }
    debuglog::clear();
    auto w = openWindow();
    EXPECT_EQ(w->demodType, c.demodType);
    EXPECT_TRUE(log().empty()) << "building the window logs nothing";
    EXPECT_EQ(devices.openDescriptors(), 0);
  }
}

TEST_F(TerrWindowTest, ReceptionTypeTwoListsEveryNetworkAndSelectsThePlayingChannel) {
  fillRegions();
  struct Case {
    bool servicePlays;
    int channelIndex;
  };
  const Case cases[] = {{true, 1}, {false, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.servicePlays);
    if (!c.servicePlays)
      receiver.clearCurrentTransponder();
    auto w = openWindow();
    EXPECT_EQ(entryTexts(*w->satCombo), (std::vector<std::string>{"Berlin", "Hamburg"}));
    EXPECT_EQ(w->satCombo->getCurrentIndex(), 0);
    EXPECT_EQ(entryTexts(*w->tpCombo),
              (std::vector<std::string>{"474000 kHz", "482000 kHz", "490000 kHz"}));
    EXPECT_EQ(w->tpCombo->getCurrentIndex(), c.channelIndex);
    EXPECT_EQ(w->tpCombo->getCurrent()->getKey(), &channel(0, c.channelIndex));
    EXPECT_EQ(w->currentTP, receiver.currentTransponder());
  }
}

TEST_F(TerrWindowTest, ReceptionTypeZeroListsConfiguredPositionsInSatelliteForm) {
  receiver.setReceptionType(0);
  eLNB& lnb = receiver.addLNB(10600000, 9750000, 11700000);
  receiver.addSatellite(lnb, 192, "19.2E");
  receiver.addSatellite(lnb, 130, "13.0E");
  tpPacket& first = receiver.addNetwork("Astra A", 192);
  receiver.addSatelliteTransponder(first, 11836000, 27500000, 0, 1);
  tpPacket& unconfigured = receiver.addNetwork("Nowhere", 282);
  receiver.addSatelliteTransponder(unconfigured, 11778000, 27500000, 1, 1);
  tpPacket& other = receiver.addNetwork("Hotbird", 130);
  receiver.addSatelliteTransponder(other, 11034000, 27500000, 1, 1);
  tpPacket& last = receiver.addNetwork("Astra B", 192);
  receiver.addSatelliteTransponder(last, 12603000, 22000000, 1, 2);
  eTransponder& playing = receiver.addSatelliteTransponder(last, 11954000, 27500000, 0, 1);
  receiver.setCurrentTransponder(playing);

  auto w = openWindow();
  EXPECT_EQ(entryTexts(*w->satCombo), (std::vector<std::string>{"Astra A", "Hotbird", "Astra B"}));
  // The last listed region at the playing transponder's position is preselected.
  EXPECT_EQ(w->satCombo->getCurrentIndex(), 2);
  EXPECT_EQ(entryTexts(*w->tpCombo),
            (std::vector<std::string>{"12603 / 22000 / V", "11954 / 27500 / H"}));
  EXPECT_EQ(w->tpCombo->getCurrentIndex(), 1);
  EXPECT_EQ(receiver.tuneCount(), 0);
}

TEST_F(TerrWindowTest, TitleAndRegionCaptionAreSetOnlyForReceptionTypeTwo) {
  fillRegions();
  eSkin skin;
  eSkinElement element;
  element.clientSize = eSize(400, 300);
  element.hasTitle = true;
  element.title = "skin title";
  eSkinChild caption;
  caption.hasText = true;
  caption.text = "skin caption";
  element.children["lSat"] = caption;
  skin.setElement("eBeamseek", element);
  eSkin::setActive(&skin);

  struct Case {
    int receptionType;
    const char* title;
    const char* caption;
    int channels;
  };
  const Case cases[] = {
      {2, "Signalfind", "Region:", 3},
      {0, "skin title", "skin caption", 0},  // no configured positions: nothing is listed
      {5, "skin title", "skin caption", 0},  // every region listed, but no channel text
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.receptionType);
    receiver.setReceptionType(c.receptionType);
    auto w = openWindow();
    EXPECT_EQ(w->getText(), c.title);
    EXPECT_EQ(w->search("lSat")->getText(), c.caption);
    EXPECT_EQ(w->tpCombo->getCount(), c.channels);
    EXPECT_EQ(w->tpCombo->getCurrent() != nullptr, c.channels > 0);
    EXPECT_EQ(w->getHelpID(), 44);
  }
}

TEST_F(TerrWindowTest, WithoutTheSkinElementNoListNoTitleAndOnlyTheTwoEarlyConnections) {
  fillRegions();
  eSkin bare;
  eSkin::setActive(&bare);
  auto w = openWindow();
  EXPECT_EQ(w->getChildren().size(), 11u);
  EXPECT_EQ(w->satCombo->getCount(), 0);
  EXPECT_EQ(w->tpCombo->getCount(), 0);
  EXPECT_EQ(w->getText(), "");
  EXPECT_EQ(w->search("lSat")->getText(), "");
  EXPECT_EQ(w->getHelpID(), 0);
  EXPECT_EQ(w->currentTP, nullptr);
  EXPECT_EQ(w->satCombo->selchanged.size(), 1u);
  EXPECT_EQ(w->refreshTimer.timeout.size(), 1u);
  EXPECT_EQ(w->tpCombo->selchanged.size(), 0u);
  EXPECT_EQ(eFrontend::getInstance()->tunedIn.size(), 0u);
}

TEST_F(TerrWindowTest, WithTheSkinElementAllFourConnectionsAreMade) {
  fillRegions();
  auto w = openWindow();
  EXPECT_EQ(w->satCombo->selchanged.size(), 1u);
  EXPECT_EQ(w->refreshTimer.timeout.size(), 1u);
  EXPECT_EQ(w->tpCombo->selchanged.size(), 1u);
  EXPECT_EQ(eFrontend::getInstance()->tunedIn.size(), 1u);
  // The connections end with the window: a late report reaches nothing.
  w.reset();
  EXPECT_EQ(eFrontend::getInstance()->tunedIn.size(), 0u);
  debuglog::clear();
  eFrontend::getInstance()->tunedIn.emit(nullptr, 0);
  EXPECT_EQ(refreshLines(), 0);
}

TEST_F(TerrWindowTest, StartUpNeitherTunesNorStartsTheRefresh) {
  fillRegions();
  // Without a playing transponder the start-up channel differs from currentTP (none), so only
  // the late connection of the channel list keeps it from being tuned.
  const bool servicePlays[] = {true, false};
  for (bool plays : servicePlays) {
    SCOPED_TRACE(plays);
    if (!plays)
      receiver.clearCurrentTransponder();
    auto w = openWindow();
    EXPECT_NE(w->tpCombo->getCurrent(), nullptr);
    EXPECT_EQ(receiver.tuneCount(), 0);
    EXPECT_FALSE(w->refreshTimer.isActive());
    loop.advance(2000);
    EXPECT_EQ(refreshLines(), 0);
    EXPECT_EQ(receiver.tuneCount(), 0);
  }
}

TEST_F(TerrWindowTest, TunedInReportMeasuresAtOnceAndRestartsTheRefresh) {
  fillRegions();
  auto w = openWindow();
  // Whatever caused the report and whatever its error code.
  eFrontend::getInstance()->tunedIn.emit(nullptr, 5);
  EXPECT_EQ(refreshLines(), 1);
  EXPECT_TRUE(w->refreshTimer.isActive());
  loop.advance(249);
  EXPECT_EQ(refreshLines(), 1);
  loop.advance(1);
  EXPECT_EQ(refreshLines(), 2);
  loop.advance(250);
  EXPECT_EQ(refreshLines(), 3);
}

TEST_F(TerrWindowTest, ChoosingAnotherChannelStopsTheRefreshTunesAndResumesOnTheReport) {
  fillRegions();
  receiver.setTuneDelayMs(400);
  auto w = openWindow();
  w->event(eWidgetEvent(eWidgetEvent::execBegin));
  loop.advance(250);
  ASSERT_EQ(refreshLines(), 1);

  w->tpCombo->choose(2);
  EXPECT_FALSE(w->refreshTimer.isActive());
  EXPECT_EQ(receiver.tuneCount(), 1);
  EXPECT_EQ(receiver.lastTuned(), &channel(0, 2));
  EXPECT_EQ(w->currentTP, &channel(0, 2));
  loop.advance(399);
  EXPECT_EQ(refreshLines(), 1) << "no refresh while the frontend tunes";
  loop.advance(1);
  EXPECT_EQ(refreshLines(), 2);
  EXPECT_TRUE(w->refreshTimer.isActive());
}

TEST_F(TerrWindowTest, ChoosingTheCurrentChannelStopsTheRefreshWithoutRetuning) {
  fillRegions();
  auto w = openWindow();
  w->event(eWidgetEvent(eWidgetEvent::execBegin));
  ASSERT_TRUE(w->refreshTimer.isActive());
  eTransponder* before = w->currentTP;

  w->tpCombo->choose(1);  // 482 MHz, what the service plays
  EXPECT_FALSE(w->refreshTimer.isActive());
  EXPECT_EQ(receiver.tuneCount(), 0);
  EXPECT_EQ(w->currentTP, before);
  loop.advance(5000);
  EXPECT_EQ(refreshLines(), 0) << "stays stopped until a report or event type 3";
}

TEST_F(TerrWindowTest, ASelectionWithoutATransponderForgetsTheCurrentChannel) {
  fillRegions();
  auto w = openWindow();
  eListBoxEntryText withoutTransponder(nullptr, "empty", nullptr);
  eListBoxEntryText* const selections[] = {nullptr, &withoutTransponder};
  for (eListBoxEntryText* selection : selections) {
    SCOPED_TRACE(selection ? "entry without transponder" : "no entry");
    receiver.resetRecords();
    w->currentTP = receiver.currentTransponder();
    w->event(eWidgetEvent(eWidgetEvent::execBegin));
    w->my_terr_tpChanged(selection);
    EXPECT_EQ(w->currentTP, nullptr);
    EXPECT_FALSE(w->refreshTimer.isActive());
    EXPECT_EQ(receiver.tuneCount(), 0);
    // So even the channel that is playing is tuned on the next choice.
    w->tpCombo->choose(1);
    EXPECT_EQ(receiver.tuneCount(), 1);
    EXPECT_EQ(w->currentTP, &channel(0, 1));
  }
}

TEST_F(TerrWindowTest, ChoosingARegionRefillsTheChannelsAndTunesItsChoice) {
  fillRegions();
  auto w = openWindow();
  w->satCombo->choose(1);
  EXPECT_EQ(entryTexts(*w->tpCombo), (std::vector<std::string>{"506000 kHz"}));
  EXPECT_EQ(w->tpCombo->getCurrentIndex(), 0);
  EXPECT_EQ(receiver.tuneCount(), 1);
  EXPECT_EQ(w->currentTP, &channel(1, 0));
  EXPECT_TRUE(log().empty()) << "region and channel choices log nothing";
}

TEST_F(TerrWindowTest, DefaultSkinPlacesEveryWidgetInsideTheWindowWithoutOverlap) {
  fillRegions();
  ASSERT_TRUE(eSkin::builtinDefault().hasElement("eBeamseek"));
  auto w = openWindow();
  const eRect client(ePoint(0, 0), w->getSize());
  const auto& children = w->getChildren();
  for (size_t i = 0; i < children.size(); ++i) {
    const eRect r = children[i]->getRect();
    SCOPED_TRACE(children[i]->getName());
    EXPECT_GT(r.width(), 0);
    EXPECT_GT(r.height(), 0);
    EXPECT_TRUE(inside(client, r));
    for (size_t j = 0; j < i; ++j) {
      EXPECT_FALSE(overlap(r, children[j]->getRect())) << children[j]->getName();
    }
  }
  EXPECT_EQ(w->search("lock")->getText(), "LOCK");
  EXPECT_EQ(w->search("sync")->getText(), "SYNC");
}

}  // namespace
