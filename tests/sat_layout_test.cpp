// The satellite window's widgets: the fixed layout row by row, the STV0288 variant, the skin
// element, and which signal connections exist after start-up and after each early return.

#include <memory>

#include "plugin/my_ebeamseek.h"
#include "support/finder_fixture.h"

namespace {

struct ExpectedWidget {
  const char* what;
  eWidget* (*find)(my_eBeamseek&);
  const char* name;
  const char* text;
  int x, y, width, height;
  int flags;  // -1: not a label
  int align;
};

eWidget* transponderCaption(my_eBeamseek& w) {
  for (eWidget* child : w.getChildren()) {
    if (child->getText() == "Transponder:")
      return child;
  }
  return nullptr;
}

// The fixed layout of a 500 by 380 window with an STV0299B.
const ExpectedWidget kFixedRows[] = {
    {"lSat", [](my_eBeamseek& w) { return w.search("lSat"); }, "lSat", "Satellite:", 10, 295, 160,
     30, 64, 0},
    {"transponder caption", transponderCaption, "", "Transponder:", 10, 340, 160, 30, 64, 0},
    {"snrCaption", [](my_eBeamseek& w) -> eWidget* { return w.snrCaption; }, "", "SNR:", 10, 0, 50,
     30, 0, 0},
    {"snrNum", [](my_eBeamseek& w) -> eWidget* { return w.snrNum; }, "snr_num", "", 60, 0, 75, 32,
     0, 0},
    {"snrBar", [](my_eBeamseek& w) -> eWidget* { return w.snrBar; }, "snr", "", 10, 30, 480, 30, -1,
     0},
    {"tunerCaption", [](my_eBeamseek& w) -> eWidget* { return w.tunerCaption; }, "", "Tuner:", 120,
     0, 55, 30, 0, 0},
    {"freqNum", [](my_eBeamseek& w) -> eWidget* { return w.freqNum; }, "freq_num", "", 175, 0, 190,
     32, 0, 0},
    {"symNum", [](my_eBeamseek& w) -> eWidget* { return w.symNum; }, "sym_num", "", 335, 0, 155, 32,
     0, 1},
    {"lnbOffsetCaption", [](my_eBeamseek& w) -> eWidget* { return w.lnbOffsetCaption; }, "",
     "LNB Offset", 10, 60, 120, 30, 0, 0},
    {"minusCaption", [](my_eBeamseek& w) -> eWidget* { return w.minusCaption; }, "", "-10MHz", 10,
     90, 65, 30, 64, 0},
    {"plusCaption", [](my_eBeamseek& w) -> eWidget* { return w.plusCaption; }, "", "+10MHz", 425,
     90, 65, 30, 64, 0},
    {"offsetBar", [](my_eBeamseek& w) -> eWidget* { return w.offsetBar; }, "tuner_offset", "", 75,
     90, 350, 30, -1, 0},
    {"offsetNum", [](my_eBeamseek& w) -> eWidget* { return w.offsetNum; }, "toffs_num", "", 130, 60,
     110, 32, 0, 1},
    {"agc1Caption", [](my_eBeamseek& w) -> eWidget* { return w.agc1Caption; }, "", "AGC1:", 10, 120,
     95, 30, 64, 0},
    {"agc2Caption", [](my_eBeamseek& w) -> eWidget* { return w.agc2Caption; }, "", "AGC2:", 210,
     120, 95, 30, 64, 0},
    {"agc1Num", [](my_eBeamseek& w) -> eWidget* { return w.agc1Num; }, "agc1_num", "", 105, 120, 50,
     30, 64, 0},
    {"agcNum", [](my_eBeamseek& w) -> eWidget* { return w.agcNum; }, "agc_num", "", 305, 120, 50,
     30, 64, 0},
    {"agc1Bar", [](my_eBeamseek& w) -> eWidget* { return w.agc1Bar; }, "agc1", "", 10, 150, 480, 15,
     -1, 0},
    {"agcBar", [](my_eBeamseek& w) -> eWidget* { return w.agcBar; }, "agc", "", 10, 165, 480, 15,
     -1, 0},
    {"berCaption", [](my_eBeamseek& w) -> eWidget* { return w.berCaption; }, "", "BER:", 10, 180,
     95, 30, 64, 0},
    {"berNum", [](my_eBeamseek& w) -> eWidget* { return w.berNum; }, "ber_num", "", 210, 180, 150,
     30, 64, 0},
    {"berBar", [](my_eBeamseek& w) -> eWidget* { return w.berBar; }, "ber", "", 10, 210, 480, 30,
     -1, 0},
    {"lockBox", [](my_eBeamseek& w) -> eWidget* { return w.lockBox; }, "lock", "LOCK", 10, 240, 125,
     30, 64, 0},
    {"soundBox", [](my_eBeamseek& w) -> eWidget* { return w.soundBox; }, "sound", "Sound", 10, 270,
     85, 26, 64, 0},
    {"fecBox", [](my_eBeamseek& w) -> eWidget* { return w.fecBox; }, "fec", "FEC", 135, 240, 125,
     30, 64, 0},
    {"syncBox", [](my_eBeamseek& w) -> eWidget* { return w.syncBox; }, "sync", "SYNC", 260, 240,
     125, 30, 64, 0},
    {"satCombo", [](my_eBeamseek& w) -> eWidget* { return w.satCombo; }, "sat", nullptr, 180, 285,
     310, 35, 0, 0},
    {"tpCombo", [](my_eBeamseek& w) -> eWidget* { return w.tpCombo; }, "transponder", nullptr, 180,
     330, 310, 35, 0, 0},
};

constexpr int kStv0299bId = 0xA1;

class SatLayoutTest : public HostFixture {
 protected:
  SatLayoutTest() { receiver.fillDefaultSatellite(); }

  void identifyAs(int id) { devices.i2c.setRegister(0x68, 0x00, static_cast<uint8_t>(id)); }

  std::unique_ptr<my_eBeamseek> open() {
    return std::make_unique<my_eBeamseek>(eFrontend::getInstance());
  }

  // A skin with the satellite window's element: its own size and title, and one child.
  void useSkinElement() {
    skin = eSkin::builtinDefault();
    eSkinElement element;
    element.position = ePoint(40, 50);
    element.clientSize = eSize(620, 300);
    element.hasTitle = true;
    element.title = "from the skin";
    eSkinChild snr;
    snr.position = ePoint(5, 6);
    snr.size = eSize(200, 20);
    element.children["snr"] = snr;
    skin.setElement("eBeamseek_kelvorn", element);
    eSkin::setActive(&skin);
  }
  ~SatLayoutTest() override { eSkin::setActive(nullptr); }

  eSkin skin;
};

TEST_F(SatLayoutTest, EveryRowOfTheFixedLayoutStandsWhereTheTableSays) {
  identifyAs(kStv0299bId);
  auto w = open();
  ASSERT_EQ(w->demodType, 0);
  for (const ExpectedWidget& row : kFixedRows) {
    SCOPED_TRACE(row.what);
    eWidget* widget = row.find(*w);
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->getParent(), w.get());
    EXPECT_EQ(widget->getName(), row.name);
    if (row.text) {
      EXPECT_EQ(widget->getText(), row.text);
    }
    EXPECT_EQ(widget->getPosition(), ePoint(row.x, row.y));
    EXPECT_EQ(widget->getSize(), eSize(row.width, row.height));
    EXPECT_TRUE(widget->isVisible());
    if (row.flags >= 0) {
      auto* label = dynamic_cast<eLabel*>(widget);
      ASSERT_NE(label, nullptr);
      EXPECT_EQ(label->getFlags(), row.flags);
      EXPECT_EQ(label->getAlign(), row.align);
    }
  }
}

TEST_F(SatLayoutTest, FixedLayoutSizesTitlesAndPlacesTheWindow) {
  auto w = open();
  EXPECT_EQ(w->getText(), "kelvorn's Vevovuvado 0.6");
  EXPECT_EQ(w->getProperty("cposition"), "120:120");
  EXPECT_EQ(w->getSize(), eSize(500, 380));
  EXPECT_EQ(w->windowWidth, 500);
  EXPECT_EQ(w->windowHeight, 380);
  EXPECT_EQ(w->getHelpID(), 44);
  EXPECT_EQ(w->compactView, 0);
}

TEST_F(SatLayoutTest, OffsetBarAndListsCarryTheirHelpAndDecoration) {
  auto w = open();
  EXPECT_EQ(w->offsetBar->getHelpText(), "Tuner Frequency offset");
  EXPECT_EQ(w->offsetBar->getPerc(), 2);
  EXPECT_EQ(w->offsetBar->getProperty("leftColor"), "std_green");
  EXPECT_EQ(w->satCombo->getHelpText(), "choose the Satellite you wish to find");
  EXPECT_EQ(w->tpCombo->getHelpText(), "choose the Transponder you wish to find");
  EXPECT_TRUE(w->satCombo->decoLoaded());
  EXPECT_TRUE(w->tpCombo->decoLoaded());
  EXPECT_EQ(w->satCombo->decoName(), "eComboBox");
  EXPECT_EQ(w->satCombo->openEntries(), 3);
  EXPECT_EQ(w->tpCombo->openEntries(), 5);
  EXPECT_EQ(w->soundBox->isChecked(), 0);
  EXPECT_TRUE(w->soundBox->takesFocus());
  EXPECT_FALSE(w->fecBox->takesFocus());
  EXPECT_EQ(w->soundBox->decoName(), "eCheckBox");
}

TEST_F(SatLayoutTest, Stv0288HidesTheAgc1RowAndWidensTheAgcBar) {
  identifyAs(0xA0);
  auto w = open();
  ASSERT_EQ(w->demodType, 1);
  EXPECT_FALSE(w->agc1Caption->isVisible());
  EXPECT_FALSE(w->agc1Num->isVisible());
  EXPECT_FALSE(w->agc1Bar->isVisible());
  EXPECT_TRUE(w->agc2Caption->isVisible());
  EXPECT_TRUE(w->agcBar->isVisible());
  EXPECT_EQ(w->agcBar->getPosition(), ePoint(10, 150));
  EXPECT_EQ(w->agcBar->getSize(), eSize(480, 30));
}

TEST_F(SatLayoutTest, SkinElementLaysOutTheWindowWithoutTheFixedOnlyWidgets) {
  identifyAs(kStv0299bId);
  useSkinElement();
  auto w = open();
  EXPECT_EQ(w->getText(), "kelvorn's Vevovuvado Test3");
  EXPECT_EQ(w->windowWidth, 620);
  EXPECT_EQ(w->windowHeight, 300);
  EXPECT_EQ(w->snrBar->getPosition(), ePoint(5, 6));
  EXPECT_EQ(w->snrBar->getSize(), eSize(200, 20));
  EXPECT_EQ(w->getProperty("cposition"), "");

  // Created before the skin lookup, so present in both layouts.
  for (eWidget* present : std::initializer_list<eWidget*>{
           w->snrBar, w->agcBar, w->berBar, w->syncBox, w->lockBox, w->snrNum, w->agcNum, w->berNum,
           w->satCombo, w->tpCombo, w->switchButton}) {
    EXPECT_NE(present, nullptr);
  }
  ASSERT_NE(w->search("lSat"), nullptr);
  EXPECT_EQ(w->search("lSat")->getText(), "");
  // Only the fixed layout makes these.
  for (eWidget* absent : std::initializer_list<eWidget*>{
           w->soundBox, w->fecBox, w->freqNum, w->symNum, w->offsetNum, w->agc1Num, w->agc1Bar,
           w->offsetBar, w->tunerCaption, w->berCaption, w->snrCaption, w->lnbOffsetCaption,
           w->plusCaption, w->minusCaption, w->agc1Caption, w->agc2Caption}) {
    EXPECT_EQ(absent, nullptr);
  }
  EXPECT_EQ(transponderCaption(*w), nullptr);
  EXPECT_EQ(w->getHelpID(), 44);
}

TEST_F(SatLayoutTest, SwitchButtonIsUnplacedAndAnswersTheGreenKey) {
  auto w = open();
  ASSERT_NE(w->switchButton, nullptr);
  EXPECT_EQ(w->switchButton->getShortcut(), "green");
  EXPECT_EQ(w->switchButton->getSize(), eSize(0, 0));
  EXPECT_EQ(w->switchButton->getText(), "");
  EXPECT_EQ(w->switchButton->selected.size(), 1u);
  int pressed = 0;
  w->switchButton->selected.connect([&pressed] { ++pressed; });
  EXPECT_EQ(w->keyDown(eKey::green), 1);
  EXPECT_EQ(pressed, 1);
}

// Signal connections counted per emitter, after a start-up that ends where the case says.
struct Connections {
  size_t satChanged, satSelected, timer, sound, rotor, tunedIn, tpChanged, tpSelected, focus, green;
};

Connections count(my_eBeamseek& w) {
  eFrontend* fe = eFrontend::getInstance();
  return {w.satCombo ? w.satCombo->selchanged.size() : 0,
          w.satCombo ? w.satCombo->selected.size() : 0,
          w.refreshTimer.timeout.size(),
          w.soundBox ? w.soundBox->checked.size() : 0,
          fe->s_RotorRunning.size(),
          fe->tunedIn.size(),
          w.tpCombo ? w.tpCombo->selchanged.size() : 0,
          w.tpCombo ? w.tpCombo->selected.size() : 0,
          w.focusChanged.size(),
          w.switchButton ? w.switchButton->selected.size() : 0};
}

TEST_F(SatLayoutTest, FullStartUpMakesEveryConnectionOnce) {
  auto w = open();
  const Connections c = count(*w);
  for (size_t n : {c.satChanged, c.satSelected, c.timer, c.sound, c.rotor, c.tunedIn, c.tpChanged,
                   c.tpSelected, c.focus, c.green}) {
    EXPECT_EQ(n, 1u);
  }
  EXPECT_EQ(w->getTLW(), w.get());
}

TEST_F(SatLayoutTest, SkinLayoutMakesEveryConnectionButTheSoundBox) {
  useSkinElement();
  auto w = open();
  const Connections c = count(*w);
  EXPECT_EQ(w->soundBox, nullptr);
  for (size_t n : {c.satChanged, c.satSelected, c.timer, c.rotor, c.tunedIn, c.tpChanged,
                   c.tpSelected, c.focus, c.green}) {
    EXPECT_EQ(n, 1u);
  }
}

struct EarlyReturn {
  const char* what;
  void (*prepare)(StandInReceiver&);
  bool hasSatCombo;
  bool hasTpCombo;
};

const EarlyReturn kEarlyReturns[] = {
    {"no service interface", [](StandInReceiver& r) { r.setServiceAvailable(false); }, false,
     false},
    {"tuned transponder at an unlisted position",
     [](StandInReceiver& r) {
       eTransponder tp = r.networks().back().possibleTransponders.front();  // 28.2E
       r.setCurrentTransponder(tp);
     },
     true, false},
    {"nothing tuned and the first network empty",
     [](StandInReceiver& r) {
       r.clearCurrentTransponder();
       r.networks().front().possibleTransponders.clear();
     },
     true, true},
};

TEST_F(SatLayoutTest, EarlyReturnsLeaveOnlyTheListsMadeSoFarAndNoConnection) {
  for (const EarlyReturn& c : kEarlyReturns) {
    SCOPED_TRACE(c.what);
    StandInReceiver rx;
    rx.fillDefaultSatellite();
    rx.install();
    c.prepare(rx);
    {
      my_eBeamseek w(eFrontend::getInstance());
      EXPECT_EQ(w.satCombo != nullptr, c.hasSatCombo);
      EXPECT_EQ(w.tpCombo != nullptr, c.hasTpCombo);
      EXPECT_EQ(w.getChildren().size(), static_cast<size_t>(c.hasSatCombo + c.hasTpCombo));
      EXPECT_EQ(w.snrBar, nullptr);
      EXPECT_EQ(w.switchButton, nullptr);
      const Connections n = count(w);
      for (size_t k : {n.satChanged, n.satSelected, n.timer, n.sound, n.rotor, n.tunedIn,
                       n.tpChanged, n.tpSelected, n.focus, n.green}) {
        EXPECT_EQ(k, 0u);
      }
      EXPECT_EQ(w.getHelpID(), 0);
    }
    receiver.install();
  }
}

TEST_F(SatLayoutTest, ConnectionsEndWithTheWindow) {
  { auto w = open(); }
  eFrontend* fe = eFrontend::getInstance();
  EXPECT_EQ(fe->s_RotorRunning.size(), 0u);
  EXPECT_EQ(fe->tunedIn.size(), 0u);
  // A late tuned-in report of the start-up tune reaches nobody.
  loop.advance(1000);
  EXPECT_EQ(logCount("void my_eBeamseek::tunedIn(eTransponder *, int error )"), 0);
}

}  // namespace
