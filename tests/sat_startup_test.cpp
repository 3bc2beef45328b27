// Satellite-mode start-up: which satellite and transponder become current, what is tuned,
// and which list slots run while the window is built.

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "plugin/my_ebeamseek.h"
#include "support/finder_fixture.h"

namespace {

std::vector<std::string> texts(const eComboBox& box) {
  std::vector<std::string> out;
  for (const eListBoxEntryText* e : box.getEntries())
    out.push_back(e->getText());
  return out;
}

std::string currentText(const eComboBox& box) {
  const eListBoxEntryText* e = box.getCurrent();
  return e ? std::string(e->getText()) : std::string("<none>");
}

class SatStartupTest : public HostFixture {
 protected:
  SatStartupTest() {
    receiver.fillDefaultSatellite();
    devices.i2c.setRegister(0x68, 0x00, 0xA1);
    // No tone thread: its start-up lines would land in the log at any moment.
    devices.audio.setPresent(false);
  }

  std::unique_ptr<my_eBeamseek> open() {
    return std::make_unique<my_eBeamseek>(eFrontend::getInstance());
  }

  tpPacket& network(const std::string& name) {
    for (tpPacket& n : receiver.networks()) {
      if (n.name == name)
        return n;
    }
    throw std::runtime_error("no network " + name);
  }
};

TEST_F(SatStartupTest, TunedTransponderSelectsItsSatelliteAndEntry) {
  eTransponder* playing = receiver.currentTransponder();
  auto w = open();
  EXPECT_EQ(w->oldTp, playing);
  EXPECT_EQ(w->currentTP, playing);
  // The unconfigured 28.2E is not listed; each listed network appears once.
  EXPECT_EQ(texts(*w->satCombo), (std::vector<std::string>{"Satellite 19.2E", "Satellite 13.0E"}));
  EXPECT_EQ(currentText(*w->satCombo), "Satellite 19.2E");
  EXPECT_EQ(
      texts(*w->tpCombo),
      (std::vector<std::string>{"11836 / 27500 / H", "11954 / 27500 / H", "12188 / 27500 / H",
                                "12603 / 22000 / H", "10744 / 22000 / H", "11494 / 22000 / H"}));
  EXPECT_EQ(currentText(*w->tpCombo), "11836 / 27500 / H");
  ASSERT_NE(w->currentSatellite, nullptr);
  EXPECT_EQ(w->currentSatellite->getOrbitalPosition(), 192);
  EXPECT_EQ(w->currentLNB, &receiver.lnbs().front());
  EXPECT_EQ(w->currentLOF, 10600000);  // 11836 MHz is above the 11700 MHz threshold
  EXPECT_EQ(receiver.tuneCount(), 1);
  EXPECT_EQ(receiver.lastTuned(), playing);
}

TEST_F(SatStartupTest, StartUpTunesOnceAndSatChangedDoesNotRetune) {
  auto w = open();
  EXPECT_EQ(receiver.tuneCount(), 1);
  EXPECT_EQ(logCount("[Vevovuvado] satChanged"), 1);
  EXPECT_EQ(logCount("[Vevovuvado] tpChanged"), 0);
  // The identification comes before the lists are filled the second time.
  EXPECT_TRUE(logHasInOrder(
      {"[Vevovuvado] kennung a1", "[Vevovuvado] STV0299B", "[Vevovuvado] satChanged"}));
  // satChanged started the refresh timer; its report of the start-up tune changes nothing.
  EXPECT_TRUE(w->refreshTimer.isActive());
  loop.advance(1000);
  EXPECT_EQ(receiver.tuneCount(), 1);
}

TEST_F(SatStartupTest, ToneOpensAfterTheListsAndOnlyOnAFullStartUp) {
  const std::string openSound = "void\tmy_eBeamseek::OpenSound( void )";
  {
    auto w = open();
    EXPECT_TRUE(logHasInOrder({"[Vevovuvado] STV0299B", "[Vevovuvado] satChanged", openSound}));
    EXPECT_EQ(logCount(openSound), 1);
  }
  debuglog::clear();
  receiver.clearCurrentTransponder();
  network("Satellite 19.2E").possibleTransponders.clear();
  { auto w = open(); }
  EXPECT_EQ(logCount(openSound), 0);
}

TEST_F(SatStartupTest, TheLaterOfTwoNetworksAtThePlayingPositionBecomesCurrent) {
  tpPacket& second = receiver.addNetwork("Second 19.2E", 192);
  receiver.addSatelliteTransponder(second, 12000000, 27500000, 1, 1);
  receiver.addSatelliteTransponder(second, 11836000, 27500000, 0, 1);
  auto w = open();
  EXPECT_EQ(texts(*w->satCombo),
            (std::vector<std::string>{"Satellite 19.2E", "Satellite 13.0E", "Second 19.2E"}));
  EXPECT_EQ(currentText(*w->satCombo), "Second 19.2E");
  // satChanged lists the second network and selects the entry equal to the playing one.
  EXPECT_EQ(texts(*w->tpCombo),
            (std::vector<std::string>{"12000 / 27500 / V", "11836 / 27500 / H"}));
  EXPECT_EQ(w->tpCombo->getCurrentIndex(), 1);
  EXPECT_EQ(w->currentTP, receiver.currentTransponder());
  EXPECT_EQ(receiver.tuneCount(), 1);
}

TEST_F(SatStartupTest, NothingTunedTakesTheFirstListedNetworksFirstTransponder) {
  // An unlisted network first in the list is skipped.
  receiver.networks().splice(receiver.networks().begin(), receiver.networks(),
                             std::prev(receiver.networks().end()));
  receiver.clearCurrentTransponder();
  auto w = open();
  eTransponder* first = &network("Satellite 19.2E").possibleTransponders.front();
  EXPECT_EQ(w->oldTp, nullptr);
  EXPECT_EQ(w->currentTP, first);
  EXPECT_EQ(receiver.tuneCount(), 1);
  EXPECT_EQ(receiver.lastTuned(), first);
  EXPECT_EQ(currentText(*w->satCombo), "Satellite 19.2E");
  EXPECT_EQ(w->tpCombo->getCurrentIndex(), 0);
  EXPECT_EQ(w->tpCombo->getCount(), 6);
  EXPECT_EQ(w->currentLOF, 10600000);
}

TEST_F(SatStartupTest, PlayingFromAnUnlistedPositionStopsWithAnEmptySatelliteList) {
  receiver.setCurrentTransponder(network("Satellite 28.2E").possibleTransponders.front());
  auto w = open();
  ASSERT_NE(w->satCombo, nullptr);
  EXPECT_EQ(w->satCombo->getCount(), 0);
  EXPECT_EQ(w->tpCombo, nullptr);
  EXPECT_EQ(w->currentTP, receiver.currentTransponder());
  EXPECT_EQ(w->oldTp, receiver.currentTransponder());
  EXPECT_EQ(w->currentSatellite, nullptr);
  EXPECT_EQ(receiver.tuneCount(), 0);
  EXPECT_TRUE(devices.i2c.transfers().empty());
}

TEST_F(SatStartupTest, OtherReceiverWithATunedTransponderStopsAtTheEmptyList) {
  receiver.setReceptionType(1);
  auto w = open();
  EXPECT_EQ(w->satCombo->getCount(), 0);
  EXPECT_EQ(w->tpCombo, nullptr);
  EXPECT_EQ(receiver.tuneCount(), 0);
}

TEST_F(SatStartupTest, OtherReceiverWithNothingTunedListsEveryNetworkAndNoTransponder) {
  receiver.setReceptionType(1);
  receiver.clearCurrentTransponder();
  auto w = open();
  EXPECT_EQ(texts(*w->satCombo),
            (std::vector<std::string>{"Satellite 19.2E", "Satellite 13.0E", "Satellite 28.2E"}));
  EXPECT_EQ(w->satCombo->getCurrentIndex(), 0);
  // The start-up list used the satellite texts; satChanged then lists nothing for this type.
  EXPECT_EQ(w->tpCombo->getCount(), 0);
  EXPECT_EQ(w->currentTP, &network("Satellite 19.2E").possibleTransponders.front());
  EXPECT_EQ(receiver.tuneCount(), 1);
}

TEST_F(SatStartupTest, UnconfiguredPositionIsTunedWithoutSatelliteOrLnb) {
  receiver.setReceptionType(1);
  receiver.clearCurrentTransponder();
  receiver.networks().splice(receiver.networks().begin(), receiver.networks(),
                             std::prev(receiver.networks().end()));
  auto w = open();
  EXPECT_EQ(w->currentTP, &network("Satellite 28.2E").possibleTransponders.front());
  EXPECT_EQ(w->currentSatellite, nullptr);
  EXPECT_EQ(w->currentLNB, nullptr);
  EXPECT_EQ(w->currentLOF, 0);
  EXPECT_EQ(receiver.tuneCount(), 1);
  // The start-up lookup is silent, unlike tpChanged's.
  EXPECT_EQ(logCount("currenSatellite ist NULL"), 0);
  EXPECT_EQ(logCount("[Vevovuvado] tpChanged"), 0);
}

TEST_F(SatStartupTest, SatelliteWithoutLnbLeavesTheLnbUnset) {
  receiver.lnbs().front().satellites.front().lnb = nullptr;  // 19.2E
  auto w = open();
  ASSERT_NE(w->currentSatellite, nullptr);
  EXPECT_EQ(w->currentSatellite->getOrbitalPosition(), 192);
  EXPECT_EQ(w->currentLNB, nullptr);
  EXPECT_EQ(w->currentLOF, 0);
  EXPECT_EQ(receiver.tuneCount(), 1);
}

TEST_F(SatStartupTest, EmptyFirstNetworkWithNothingTunedStopsAfterTheTransponderList) {
  receiver.clearCurrentTransponder();
  network("Satellite 19.2E").possibleTransponders.clear();
  auto w = open();
  ASSERT_NE(w->tpCombo, nullptr);
  EXPECT_EQ(w->tpCombo->getCount(), 0);
  EXPECT_EQ(w->currentTP, nullptr);
  EXPECT_EQ(receiver.tuneCount(), 0);
  EXPECT_EQ(w->snrBar, nullptr);
}

TEST_F(SatStartupTest, NoServiceBuildsNothing) {
  receiver.setServiceAvailable(false);
  auto w = open();
  EXPECT_EQ(w->oldTp, nullptr);
  EXPECT_EQ(w->currentTP, nullptr);
  EXPECT_TRUE(w->getChildren().empty());
  EXPECT_EQ(receiver.tuneCount(), 0);
}

// --- satChanged after start-up ---

TEST_F(SatStartupTest, PickingASatelliteRefillsTheListAndRetunesItsFirstTransponder) {
  auto w = open();
  debuglog::clear();
  w->refreshTimer.stop();
  ASSERT_EQ(w->satCombo->choose(1), 0);  // 13.0E: nothing there equals the playing transponder
  EXPECT_EQ(texts(*w->tpCombo), (std::vector<std::string>{"11034 / 27500 / V", "10992 / 27500 / V",
                                                          "12476 / 29900 / H"}));
  EXPECT_EQ(w->tpCombo->getCurrentIndex(), 0);
  EXPECT_EQ(w->currentTP, &network("Satellite 13.0E").possibleTransponders.front());
  EXPECT_EQ(receiver.tuneCount(), 2);
  EXPECT_TRUE(w->refreshTimer.isActive());
  EXPECT_TRUE(logHasInOrder({"[Vevovuvado] satSelected", "[Vevovuvado] satChanged",
                             "[Vevovuvado] tpChanged", "[Vevovuvado] tpChanged ok"}));
}

TEST_F(SatStartupTest, SatChangedWithoutNetworkOrForAnotherReceiverLeavesTheListEmpty) {
  auto w = open();
  for (int type : {-1, 1, 3}) {
    SCOPED_TRACE(type);
    w->refreshTimer.stop();
    debuglog::clear();
    if (type < 0) {
      w->satChanged(nullptr);
    } else {
      receiver.setReceptionType(type);
      w->satChanged(w->satCombo->getCurrent());
    }
    EXPECT_EQ(w->tpCombo->getCount(), 0);
    EXPECT_EQ(w->tpCombo->getCurrent(), nullptr);
    EXPECT_EQ(log(), std::vector<std::string>{"[Vevovuvado] satChanged"});
    EXPECT_TRUE(w->refreshTimer.isActive());
  }
  EXPECT_EQ(receiver.tuneCount(), 1);
}

TEST_F(SatStartupTest, SatChangedComparesWithTheServiceNotWithCurrentTp) {
  auto w = open();
  w->tpCombo->choose(2);  // 12188: now currentTP, while the service still plays 11836
  ASSERT_EQ(w->currentTP, &*std::next(network("Satellite 19.2E").possibleTransponders.begin(), 2));
  w->satCombo->choose(0);
  EXPECT_EQ(currentText(*w->tpCombo), "11836 / 27500 / H");
  EXPECT_EQ(receiver.tuneCount(), 3);
}

}  // namespace
