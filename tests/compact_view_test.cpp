// The green key's compact view on the real satellite window: what it hides, where it moves the
// SNR and BER rows, which fonts it looks up, and that a second press brings everything back.

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "plugin/my_ebeamseek.h"
#include "support/finder_fixture.h"

namespace {

constexpr int kStv0299bId = 0xA1;
constexpr const char* kNormalFont = "eWindow.Childs";
constexpr const char* kLargeFont = "eAboutScreen.machine";

// The fourteen widgets the compact view hides, in the order it hides them.
std::vector<eWidget*> hiddenSet(my_eBeamseek& w) {
  return {w.agc1Bar,          w.agcBar,       w.offsetNum,   w.agc1Num,
          w.agcNum,           w.agc1Caption,  w.agc2Caption, w.offsetBar,
          w.lnbOffsetCaption, w.minusCaption, w.plusCaption, w.freqNum,
          w.tunerCaption,     w.symNum};
}

// One row of the resized set: where it stands in a layout of width W. A stretched widget is
// W minus `width` wide; a null font means the layout leaves the font alone.
struct Row {
  const char* what;
  eWidget* (*find)(my_eBeamseek&);
  const char* font;
  int x, y, width, height;
  bool stretch;
};

eWidget* snrCaptionOf(my_eBeamseek& w) {
  return w.snrCaption;
}
eWidget* snrNumOf(my_eBeamseek& w) {
  return w.snrNum;
}
eWidget* snrBarOf(my_eBeamseek& w) {
  return w.snrBar;
}
eWidget* berCaptionOf(my_eBeamseek& w) {
  return w.berCaption;
}
eWidget* berNumOf(my_eBeamseek& w) {
  return w.berNum;
}
eWidget* berBarOf(my_eBeamseek& w) {
  return w.berBar;
}

const Row kCompact[] = {
    {"snrCaption", snrCaptionOf, kLargeFont, 10, 0, 85, 40, false},
    {"snrNum", snrNumOf, kLargeFont, 105, 0, 130, 40, false},
    {"snrBar", snrBarOf, nullptr, 10, 50, 20, 60, true},
    {"berCaption", berCaptionOf, kLargeFont, 10, 130, 85, 40, false},
    {"berNum", berNumOf, kLargeFont, 105, 130, 110, 40, false},
    {"berBar", berBarOf, nullptr, 10, 180, 20, 60, true},
};
const Row kFull[] = {
    {"snrCaption", snrCaptionOf, kNormalFont, 10, 0, 50, 30, false},
    {"snrNum", snrNumOf, kNormalFont, 60, 0, 75, 32, false},
    {"snrBar", snrBarOf, nullptr, 10, 30, 20, 30, true},
    {"berCaption", berCaptionOf, kNormalFont, 10, 180, 95, 30, false},
    {"berNum", berNumOf, kNormalFont, 210, 180, 150, 30, false},
    {"berBar", berBarOf, nullptr, 10, 210, 20, 30, true},
};

struct Snapshot {
  ePoint position;
  eSize size;
  bool visible;
};

class CompactViewTest : public HostFixture {
 protected:
  CompactViewTest() { receiver.fillDefaultSatellite(); }
  ~CompactViewTest() override { eSkin::setActive(nullptr); }

  std::unique_ptr<my_eBeamseek> open(int chipId) {
    devices.i2c.setRegister(0x68, 0x00, static_cast<uint8_t>(chipId));
    return std::make_unique<my_eBeamseek>(eFrontend::getInstance());
  }

  static void press(my_eBeamseek& w) { ASSERT_EQ(w.keyDown(eKey::green), 1); }

  static std::map<const eWidget*, Snapshot> snapshot(my_eBeamseek& w) {
    std::map<const eWidget*, Snapshot> all;
    for (const eWidget* child : w.getChildren()) {
      all[child] = {child->getPosition(), child->getSize(), child->isVisible()};
    }
    return all;
  }

  // Checks the resized set against a layout; rows whose widget is absent are skipped.
  static void expectLayout(my_eBeamseek& w, const Row (&rows)[6], int windowWidth) {
    for (const Row& row : rows) {
      SCOPED_TRACE(row.what);
      eWidget* widget = row.find(w);
      if (!widget)
        continue;
      EXPECT_EQ(widget->getPosition(), ePoint(row.x, row.y));
      EXPECT_EQ(widget->getSize(),
                eSize(row.stretch ? windowWidth - row.width : row.width, row.height));
      if (row.font) {
        EXPECT_TRUE(widget->hasFont());
        EXPECT_EQ(widget->getFont(), eSkin::getActive()->queryFont(row.font));
      } else {
        // The bars' fonts are never touched.
        EXPECT_FALSE(widget->hasFont());
      }
    }
  }

  // A skin with the satellite window's element, 620 pixels wide.
  void useSkinElement() {
    skin = eSkin::builtinDefault();
    eSkinElement element;
    element.position = ePoint(40, 50);
    element.clientSize = eSize(620, 300);
    eSkinChild snr;
    snr.position = ePoint(5, 6);
    snr.size = eSize(200, 20);
    element.children["snr"] = snr;
    eSkinChild berNum;
    berNum.position = ePoint(400, 200);
    berNum.size = eSize(90, 25);
    element.children["ber_num"] = berNum;
    skin.setElement("eBeamseek_kelvorn", element);
    eSkin::setActive(&skin);
  }

  eSkin skin;
};

TEST_F(CompactViewTest, FirstPressHidesTheDetailAndEnlargesSnrAndBer) {
  auto w = open(kStv0299bId);
  const auto before = snapshot(*w);
  ASSERT_EQ(w->compactView, 0);

  press(*w);
  EXPECT_EQ(w->compactView, 1);
  for (eWidget* widget : hiddenSet(*w)) {
    ASSERT_NE(widget, nullptr);
    EXPECT_FALSE(widget->isVisible());
  }
  expectLayout(*w, kCompact, 500);
  EXPECT_EQ(w->getForegroundColor(), w->grayColor);
  EXPECT_TRUE(w->isVisible());
  EXPECT_EQ(w->getSize(), eSize(500, 380));

  // The compact bars stay clear of the check boxes and of the satellite row.
  EXPECT_EQ(w->snrBar->getRect().bottom(), 110);
  EXPECT_LE(w->berBar->getRect().bottom(), w->lockBox->getPosition().y);

  // Everything outside the two sets is untouched.
  const std::vector<eWidget*> hidden = hiddenSet(*w);
  std::vector<const eWidget*> moved(hidden.begin(), hidden.end());
  for (const Row& row : kCompact)
    moved.push_back(row.find(*w));
  for (const auto& [widget, was] : before) {
    if (std::find(moved.begin(), moved.end(), widget) != moved.end())
      continue;
    SCOPED_TRACE(widget->getText());
    EXPECT_EQ(widget->getPosition(), was.position);
    EXPECT_EQ(widget->getSize(), was.size);
    EXPECT_EQ(widget->isVisible(), was.visible);
  }
}

TEST_F(CompactViewTest, SecondPressRestoresEveryPositionSizeAndFont) {
  auto w = open(kStv0299bId);
  const auto before = snapshot(*w);

  press(*w);
  press(*w);
  EXPECT_EQ(w->compactView, 0);
  for (const auto& [widget, was] : before) {
    SCOPED_TRACE(widget->getName() + "/" + widget->getText());
    EXPECT_EQ(widget->getPosition(), was.position);
    EXPECT_EQ(widget->getSize(), was.size);
    EXPECT_EQ(widget->isVisible(), was.visible);
  }
  for (eWidget* widget : hiddenSet(*w))
    EXPECT_TRUE(widget->isVisible());
  expectLayout(*w, kFull, 500);
  // The full layout does not touch the window's colour again.
  EXPECT_EQ(w->getForegroundColor(), w->grayColor);

  // And round again: the toggle has no memory beyond compactView.
  press(*w);
  expectLayout(*w, kCompact, 500);
  press(*w);
  expectLayout(*w, kFull, 500);
}

TEST_F(CompactViewTest, FontsAreLookedUpInTheSkinInForceAtEachPress) {
  auto w = open(kStv0299bId);
  press(*w);
  press(*w);
  skin = eSkin::builtinDefault();
  skin.setFont(kLargeFont, "DejaVu Serif", 48, false);
  skin.setFont(kNormalFont, "DejaVu Serif", 18, false);
  eSkin::setActive(&skin);

  press(*w);
  EXPECT_EQ(w->snrNum->getFont().size, 48);
  EXPECT_EQ(w->berCaption->getFont().family, "DejaVu Serif");
  press(*w);
  EXPECT_EQ(w->snrNum->getFont().size, 18);
  EXPECT_EQ(w->berNum->getFont().name, kNormalFont);
}

TEST_F(CompactViewTest, Stv0288ReturnShowsTheAgc1RowOverTheWideAgcBar) {
  auto w = open(0xA0);
  ASSERT_EQ(w->demodType, 1);
  ASSERT_FALSE(w->agc1Bar->isVisible());

  press(*w);
  press(*w);
  EXPECT_TRUE(w->agc1Caption->isVisible());
  EXPECT_TRUE(w->agc1Num->isVisible());
  EXPECT_TRUE(w->agc1Bar->isVisible());
  EXPECT_EQ(w->agcBar->getPosition(), ePoint(10, 150));
  EXPECT_EQ(w->agcBar->getSize(), eSize(480, 30));
  EXPECT_EQ(w->agc1Bar->getPosition(), ePoint(10, 150));
  EXPECT_EQ(w->agc1Bar->getSize(), eSize(480, 15));
  expectLayout(*w, kFull, 500);
}

TEST_F(CompactViewTest, SkinLayoutChangesOnlyTheWidgetsItHas) {
  useSkinElement();
  auto w = open(kStv0299bId);
  ASSERT_EQ(w->windowWidth, 620);
  ASSERT_EQ(w->snrCaption, nullptr);
  ASSERT_EQ(w->freqNum, nullptr);

  press(*w);
  EXPECT_FALSE(w->agcBar->isVisible());
  EXPECT_FALSE(w->agcNum->isVisible());
  expectLayout(*w, kCompact, 620);
  EXPECT_EQ(w->snrBar->getSize(), eSize(600, 60));

  press(*w);
  EXPECT_TRUE(w->agcBar->isVisible());
  EXPECT_TRUE(w->agcNum->isVisible());
  // Back at the fixed layout's places, not where the skin had them; widths follow the skin.
  expectLayout(*w, kFull, 620);
  EXPECT_EQ(w->snrBar->getPosition(), ePoint(10, 30));
  EXPECT_EQ(w->berNum->getPosition(), ePoint(210, 180));
  EXPECT_EQ(w->berBar->getSize(), eSize(600, 30));
}

TEST_F(CompactViewTest, EachPressLogsEntryAndExitOnceInOrder) {
  auto w = open(kStv0299bId);
  debuglog::clear();
  press(*w);
  press(*w);
  std::vector<std::string> toggleLines;
  for (const std::string& line : log()) {
    if (line.find("SwichtSkinExec") != std::string::npos)
      toggleLines.push_back(line);
  }
  const std::vector<std::string> expected = {
      "[Vevovuvado] SwichtSkinExec", "[Vevovuvado] SwichtSkinExec verlassen",
      "[Vevovuvado] SwichtSkinExec", "[Vevovuvado] SwichtSkinExec verlassen"};
  EXPECT_EQ(toggleLines, expected);
}

TEST_F(CompactViewTest, WindowIsHiddenAndShownAroundTheRelayout) {
  auto w = open(kStv0299bId);
  for (int pressNo = 0; pressNo < 2; ++pressNo) {
    SCOPED_TRACE(pressNo);
    // Any event other than the window's own show leaves a different mark.
    w->event(eWidgetEvent(eWidgetEvent::changedText));
    press(*w);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->lastBaseEvent(), eWidgetEvent::willShow);
  }
}

TEST_F(CompactViewTest, GreenKeyInTheRunningWindowTogglesWhileMeasurementGoesOn) {
  auto w = open(kStv0299bId);
  devices.i2c.setRegisters(0x68, 0x24, {0x1A, 0xE3});  // noise 6883: 7.5 dB
  int compactSeen = -1;
  std::string snrText;
  input.wait(300);
  input.key(eKey::green);
  input.wait(300);
  input.run([&] {
    compactSeen = w->compactView;
    snrText = w->snrNum->getText();
  });
  input.key(eKey::green);
  w->show();
  w->exec();
  EXPECT_EQ(compactSeen, 1);
  EXPECT_EQ(snrText, "7.5dB");
  EXPECT_EQ(w->compactView, 0);
  EXPECT_TRUE(w->agc1Bar->isVisible());
}

}  // namespace
