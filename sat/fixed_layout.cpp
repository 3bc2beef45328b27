#include "fixed_layout.h"

#include <libintl.h>

namespace {
using W = LayoutWidget;
using X = LayoutExtra;
constexpr int kCentred = 64;  // host label flag: text centred vertically
constexpr int kRight = 1;     // host label alignment: right
const W kSatLabel{W::Kind::satLabel};
const W kPlainLabel{W::Kind::plainLabel};
}  // namespace

// clang-format off
const FixedLayoutRow kFixedLayout[kFixedLayoutRows] = {
  // widget                             new    name            text            x                y    width           h   flags     align   extra
  {kSatLabel,                           false, nullptr,        "Satellite:",   px(10),          295, px(160),        30, kCentred},
  {kPlainLabel,                         true,  nullptr,        "Transponder:", px(10),          340, px(160),        30, kCentred},
  {&my_eBeamseek::snrCaption,           true,  nullptr,        "SNR:",         px(10),          0,   px(50),         30},
  {&my_eBeamseek::snrNum,               false, nullptr,        nullptr,        px(60),          0,   px(75),         32},
  {&my_eBeamseek::snrBar,               false, nullptr,        nullptr,        px(10),          30,  widthMinus(20), 30},
  {&my_eBeamseek::tunerCaption,         true,  nullptr,        "Tuner:",       px(120),         0,   px(55),         30},
  {&my_eBeamseek::freqNum,              true,  "freq_num",     nullptr,        px(175),         0,   px(190),        32},
  {&my_eBeamseek::symNum,               true,  "sym_num",      nullptr,        px(335),         0,   px(155),        32, 0,        kRight},
  {&my_eBeamseek::lnbOffsetCaption,     true,  nullptr,        "LNB Offset",   px(10),          60,  px(120),        30},
  {&my_eBeamseek::minusCaption,         true,  nullptr,        "-10MHz",       px(10),          90,  px(65),         30, kCentred},
  {&my_eBeamseek::plusCaption,          true,  nullptr,        "+10MHz",       widthMinus(75),  90,  px(65),         30, kCentred},
  {&my_eBeamseek::offsetBar,            true,  "tuner_offset", nullptr,        px(75),          90,  widthMinus(150),30, 0,        -1,     X::offsetBar},
  {&my_eBeamseek::offsetNum,            true,  "toffs_num",    nullptr,        px(130),         60,  px(110),        32, 0,        kRight},
  {&my_eBeamseek::agc1Caption,          true,  nullptr,        "AGC1:",        px(10),          120, px(95),         30, kCentred, -1,     X::agc1Caption},
  {&my_eBeamseek::agc2Caption,          true,  nullptr,        "AGC2:",        px(210),         120, px(95),         30, kCentred},
  {&my_eBeamseek::agc1Num,              true,  "agc1_num",     nullptr,        px(105),         120, px(50),         30, kCentred},
  {&my_eBeamseek::agcNum,               false, nullptr,        nullptr,        px(305),         120, px(50),         30, kCentred},
  {&my_eBeamseek::agc1Bar,              true,  "agc1",         nullptr,        px(10),          150, widthMinus(20), 15},
  {&my_eBeamseek::agcBar,               false, nullptr,        nullptr,        px(10),          165, widthMinus(20), 15, 0,        -1,     X::agcBar},
  {&my_eBeamseek::berCaption,           true,  nullptr,        "BER:",         px(10),          180, px(95),         30, kCentred},
  {&my_eBeamseek::berNum,               false, nullptr,        nullptr,        px(210),         180, px(150),        30, kCentred},
  {&my_eBeamseek::berBar,               false, nullptr,        nullptr,        px(10),          210, widthMinus(20), 30},
  {&my_eBeamseek::lockBox,              false, nullptr,        "LOCK",         px(10),          240, px(125),        30, kCentred},
  {&my_eBeamseek::soundBox,             true,  "sound",        "Sound",        px(10),          270, px(85),         26, kCentred, -1,     X::soundBox},
  {&my_eBeamseek::fecBox,               true,  "fec",          "FEC",          px(135),         240, px(125),        30, kCentred},
  {&my_eBeamseek::syncBox,              false, nullptr,        "SYNC",         px(260),         240, px(125),        30, kCentred},
  {&my_eBeamseek::satCombo,             false, nullptr,        nullptr,        px(180),         285, widthMinus(190),35, 0,        -1,     X::comboHelp, "choose the Satellite you wish to find"},
  {&my_eBeamseek::tpCombo,              false, nullptr,        nullptr,        px(180),         330, widthMinus(190),35, 0,        -1,     X::comboHelp, "choose the Transponder you wish to find"},
};
// clang-format on

namespace {
constexpr int kStv0288 = 1;

// A null translation becomes an empty help text.
eString translated(const char* text) {
  const char* t = gettext(text);
  return t ? eString(t) : eString();
}

// Creates the row's widget as the host's constructors want it and stores it in its roster
// member. Returns the new widget.
eLabel* createLabel(my_eBeamseek& w) {
  return new eLabel(&w, 0, 0, "eLabel");
}

eWidget* create(my_eBeamseek& w, const FixedLayoutRow& row) {
  const LayoutWidget& target = row.widget;
  switch (target.kind) {
    case LayoutWidget::Kind::plainLabel:
      return createLabel(w);
    case LayoutWidget::Kind::label:
      return w.*target.label = createLabel(w);
    case LayoutWidget::Kind::progress:
      return w.*target.progress = new eProgress(&w, 0);
    case LayoutWidget::Kind::checkbox: {
      const int takefocus = row.extra == LayoutExtra::soundBox ? 1 : 0;
      return w.*target.checkbox = new eCheckbox(&w, 0, takefocus, false, "eCheckBox");
    }
    case LayoutWidget::Kind::satLabel:
    case LayoutWidget::Kind::combo:
      break;  // never created by the layout
  }
  return nullptr;
}

eWidget* existing(my_eBeamseek& w, const FixedLayoutRow& row, eLabel* satLabel) {
  const LayoutWidget& target = row.widget;
  switch (target.kind) {
    case LayoutWidget::Kind::satLabel:
      return satLabel;
    case LayoutWidget::Kind::label:
      return w.*target.label;
    case LayoutWidget::Kind::progress:
      return w.*target.progress;
    case LayoutWidget::Kind::checkbox:
      return w.*target.checkbox;
    case LayoutWidget::Kind::combo:
      return w.*target.combo;
    case LayoutWidget::Kind::plainLabel:
      break;
  }
  return nullptr;
}

void applyExtra(my_eBeamseek& w, const FixedLayoutRow& row, eWidget* widget) {
  switch (row.extra) {
    case LayoutExtra::none:
      break;
    case LayoutExtra::offsetBar:
      widget->setHelpText(translated("Tuner Frequency offset"));
      w.offsetBar->setPerc(2);
      widget->setProperty("leftColor", "std_green");
      break;
    case LayoutExtra::agc1Caption:
      if (w.demodType == kStv0288)
        widget->hide();
      break;
    case LayoutExtra::agcBar:
      // The STV0288 has no AGC1 reading: its AGC2 bar takes the room both bars share.
      if (w.demodType == kStv0288) {
        w.agc1Num->hide();
        w.agc1Bar->hide();
        widget->move(ePoint(10, 150));
        widget->resize(eSize(w.windowWidth - 20, 30));
      }
      break;
    case LayoutExtra::soundBox:
      w.soundBox->checked.connect(SigC::slot(w, &my_eBeamseek::SoundOnOff));
      break;
    case LayoutExtra::comboHelp:
      widget->setHelpText(row.helpText ? row.helpText : "");
      if (auto* deco = dynamic_cast<eDecoWidget*>(widget))
        deco->loadDeco();
      break;
  }
}
}  // namespace

void layOutFixed(my_eBeamseek& w, eLabel* satLabel) {
  w.setText(kFixedLayoutTitle);
  w.setProperty("cposition", "120:120");
  w.cresize(eSize(w.windowWidth, w.windowHeight));

  for (const FixedLayoutRow& row : kFixedLayout) {
    eWidget* widget = row.isNew ? create(w, row) : existing(w, row, satLabel);
    if (!widget)
      continue;
    if (row.isNew && row.name)
      widget->setName(row.name);
    if (row.text)
      widget->setText(row.text);
    widget->move(ePoint(resolveLength(row.x, w.windowWidth), row.y));
    widget->resize(eSize(resolveLength(row.width, w.windowWidth), row.height));
    // Flags and alignment are label properties; check boxes are labels too.
    if (auto* label = dynamic_cast<eLabel*>(widget)) {
      if (row.flags != 0)
        label->setFlags(row.flags);
      if (row.align >= 0)
        label->setAlign(row.align);
    }
    applyExtra(w, row, widget);
  }
}
