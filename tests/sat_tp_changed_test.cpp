// tpChanged: the log lines of each case, retuning only on a different transponder, and what
// happens to the satellite, LNB and oscillator state.

#include <memory>
#include <string>
#include <vector>

#include "plugin/my_ebeamseek.h"
#include "support/finder_fixture.h"

namespace {

constexpr const char* kStart = "[Vevovuvado] tpChanged";
constexpr const char* kOk = "[Vevovuvado] tpChanged ok";
constexpr const char* kSatOk = "[Vevovuvado] tpChanged: currentSatellite ok";
constexpr const char* kLnbOk = "[Vevovuvado] tpChanged: lnb ok";

constexpr int kNoLnbPosition = 235;    // a configured satellite whose LNB is missing
constexpr int kUnknownPosition = 282;  // no satellite configured there

class SatTpChangedTest : public HostFixture {
 protected:
  SatTpChangedTest() {
    receiver.fillDefaultSatellite();
    eLNB& lnb = receiver.addLNB(10600000, 9750000, 11700000);
    receiver.addSatellite(lnb, kNoLnbPosition, "no LNB").lnb = nullptr;
    // No tone thread: its start-up lines would land in the log at any moment.
    devices.audio.setPresent(false);
    w = std::make_unique<my_eBeamseek>(eFrontend::getInstance());
    w->refreshTimer.stop();
    receiver.resetRecords();
    debuglog::clear();
  }

  // An entry outside any list, carrying `tp` (or nothing).
  void select(eTransponder* tp) {
    eListBoxEntryText entry(nullptr, "test", tp);
    w->tpChanged(&entry);
  }

  std::unique_ptr<my_eBeamseek> w;
};

eTransponder transponderAt(int position, unsigned frequency) {
  eTransponder tp;
  tp.satellite.valid = 1;
  tp.satellite.frequency = frequency;
  tp.satellite.symbol_rate = 27500000;
  tp.satellite.fec = 1;
  tp.satellite.orbital_position = position;
  return tp;
}

enum class Pick { nothing, entryWithoutTransponder, equalToCurrent, transponder };

struct TpChangedCase {
  const char* what;
  Pick pick;
  int position;
  std::vector<std::string> lines;
  bool retunes;
  bool satelliteFound;
  bool lnbFound;
};

const TpChangedCase kCases[] = {
    {"no entry", Pick::nothing, 0, {kStart, kOk}, false, true, true},
    {"entry without transponder",
     Pick::entryWithoutTransponder,
     0,
     {kStart, kOk},
     false,
     true,
     true},
    {"entry equals currentTP", Pick::equalToCurrent, 0, {kStart}, false, true, true},
    {"no satellite at the position",
     Pick::transponder,
     kUnknownPosition,
     {kStart, "currenSatellite ist NULL", kOk},
     true,
     false,
     true},
    {"satellite without LNB",
     Pick::transponder,
     kNoLnbPosition,
     {kStart, kSatOk, "currenLNB ist NULL", kOk},
     true,
     true,
     false},
    {"satellite with LNB", Pick::transponder, 130, {kStart, kSatOk, kLnbOk, kOk}, true, true, true},
};

TEST_F(SatTpChangedTest, EachCaseWritesItsLinesAndRetunesOnlyOnADifference) {
  eSatellite* startSatellite = w->currentSatellite;
  eLNB* startLnb = w->currentLNB;
  const int startLof = w->currentLOF;
  eTransponder* startTp = w->currentTP;
  ASSERT_NE(startLnb, nullptr);
  for (const TpChangedCase& c : kCases) {
    SCOPED_TRACE(c.what);
    // Every case starts from the state start-up left.
    w->currentTP = startTp;
    w->currentSatellite = startSatellite;
    w->currentLNB = startLnb;
    w->currentLOF = startLof;
    w->refreshTimer.stop();
    receiver.resetRecords();
    debuglog::clear();

    eTransponder picked =
        c.pick == Pick::equalToCurrent ? *startTp : transponderAt(c.position, 11000000);
    if (c.pick == Pick::nothing) {
      w->tpChanged(nullptr);
    } else {
      select(c.pick == Pick::entryWithoutTransponder ? nullptr : &picked);
    }

    EXPECT_EQ(log(), c.lines);
    EXPECT_TRUE(w->refreshTimer.isActive());
    EXPECT_EQ(receiver.tuneCount(), c.retunes ? 1 : 0);
    if (!c.retunes) {
      EXPECT_EQ(w->currentTP, startTp);
      EXPECT_EQ(w->currentSatellite, startSatellite);
      continue;
    }
    EXPECT_EQ(w->currentTP, &picked);
    EXPECT_EQ(receiver.lastTuned(), &picked);
    if (!c.satelliteFound) {
      EXPECT_EQ(w->currentSatellite, nullptr);
      EXPECT_EQ(w->currentLNB, startLnb);  // kept from before
      EXPECT_EQ(w->currentLOF, startLof);
      continue;
    }
    ASSERT_NE(w->currentSatellite, nullptr);
    EXPECT_EQ(w->currentSatellite->getOrbitalPosition(), c.position);
    if (!c.lnbFound) {
      EXPECT_EQ(w->currentLNB, nullptr);
      EXPECT_EQ(w->currentLOF, startLof);  // kept from before
      continue;
    }
    EXPECT_EQ(w->currentLNB, w->currentSatellite->getLNB());
    EXPECT_EQ(w->currentLOF, 9750000);  // 11000 MHz: low band
  }
}

struct LofCase {
  unsigned frequency;
  int lof;
};

const LofCase kLofCases[] = {
    {11700000, 9750000},   // at the threshold: low band
    {11700001, 10600000},  // 1 kHz above: high band
};

TEST_F(SatTpChangedTest, LofFollowsTheThresholdOfTheNewTransponder) {
  for (const LofCase& c : kLofCases) {
    SCOPED_TRACE(c.frequency);
    eTransponder tp = transponderAt(130, c.frequency);
    select(&tp);
    EXPECT_EQ(w->currentLOF, c.lof);
    EXPECT_EQ(w->currentTP, &tp);
    w->currentTP = nullptr;  // `tp` goes out of scope
  }
}

TEST_F(SatTpChangedTest, ChoosingFromTheListRetunesOnlyADifferentTransponder) {
  tpPacket& east = receiver.networks().front();
  // 2 MHz from the playing 11836 H: equal by the rule, so no retune.
  receiver.addSatelliteTransponder(east, 11838000, 27500000, 0, 1);
  w->satCombo->choose(0);
  receiver.resetRecords();
  eTransponder* playing = w->currentTP;

  const int nearIndex = w->tpCombo->getCount() - 1;
  w->tpCombo->choose(nearIndex);
  EXPECT_EQ(receiver.tuneCount(), 0);
  EXPECT_EQ(w->currentTP, playing);

  w->tpCombo->choose(1);  // 11954 H
  EXPECT_EQ(receiver.tuneCount(), 1);
  EXPECT_EQ(w->currentTP, &*std::next(east.possibleTransponders.begin()));
  EXPECT_EQ(w->currentLOF, 10600000);

  w->tpCombo->choose(1);
  EXPECT_EQ(receiver.tuneCount(), 1);
  EXPECT_TRUE(logHasInOrder(
      {"[Vevovuvado] tpSelected", kStart, kSatOk, kLnbOk, kOk, "[Vevovuvado] tpSelected", kStart}));
}

TEST_F(SatTpChangedTest, TransponderWithoutAnyValidKindEqualsAndDoesNotRetune) {
  eTransponder blank;
  select(&blank);
  EXPECT_EQ(receiver.tuneCount(), 0);
  EXPECT_EQ(log(), std::vector<std::string>{kStart});
}

}  // namespace
