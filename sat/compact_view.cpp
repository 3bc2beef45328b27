// The green key's compact view: only SNR and BER, larger, for reading from a distance while
// turning the dish. Nothing is created or destroyed; widgets are hidden, shown and moved.

#include <array>

#include "plugin/my_ebeamseek.h"

namespace {
// Where one widget of the resized set stands in one layout. A stretched widget is as wide as
// the window less `width`; a null font leaves the widget's font alone.
struct Placement {
  const char* font;
  int x;
  int y;
  int width;
  int height;
  bool stretch;
};

constexpr const char* kNormalFont = "eWindow.Childs";
constexpr const char* kLargeFont = "eAboutScreen.machine";

// Rows in the order of resizedSet(): snrCaption, snrNum, snrBar, berCaption, berNum, berBar.
constexpr Placement kFullLayout[] = {
    {kNormalFont, 10, 0, 50, 30, false},     {kNormalFont, 60, 0, 75, 32, false},
    {nullptr, 10, 30, 20, 30, true},         {kNormalFont, 10, 180, 95, 30, false},
    {kNormalFont, 210, 180, 150, 30, false}, {nullptr, 10, 210, 20, 30, true},
};
constexpr Placement kCompactLayout[] = {
    {kLargeFont, 10, 0, 85, 40, false},     {kLargeFont, 105, 0, 130, 40, false},
    {nullptr, 10, 50, 20, 60, true},        {kLargeFont, 10, 130, 85, 40, false},
    {kLargeFont, 105, 130, 110, 40, false}, {nullptr, 10, 180, 20, 60, true},
};

constexpr size_t kResizedCount = std::size(kFullLayout);
static_assert(std::size(kCompactLayout) == kResizedCount, "one placement per resized widget");

std::array<eWidget*, 14> hiddenSet(const my_eBeamseek& w) {
  return {w.agc1Bar,          w.agcBar,       w.offsetNum,   w.agc1Num,
          w.agcNum,           w.agc1Caption,  w.agc2Caption, w.offsetBar,
          w.lnbOffsetCaption, w.minusCaption, w.plusCaption, w.freqNum,
          w.tunerCaption,     w.symNum};
}

std::array<eWidget*, kResizedCount> resizedSet(const my_eBeamseek& w) {
  return {w.snrCaption, w.snrNum, w.snrBar, w.berCaption, w.berNum, w.berBar};
}

void place(const std::array<eWidget*, kResizedCount>& widgets,
           const Placement (&layout)[kResizedCount], int windowWidth) {
  for (size_t i = 0; i < kResizedCount; ++i) {
    eWidget* widget = widgets[i];
    if (!widget)
      continue;
    const Placement& p = layout[i];
    // Looked up each time: the skin may have been replaced since the last press.
    if (p.font)
      widget->setFont(eSkin::getActive()->queryFont(p.font));
    widget->move(ePoint(p.x, p.y));
    widget->resize(eSize(p.stretch ? windowWidth - p.width : p.width, p.height));
  }
}
}  // namespace

void my_eBeamseek::SwichtSkinExec() {
  eDebug("[Vevovuvado] SwichtSkinExec");
  if (compactView == 0) {
    compactView = 1;
    for (eWidget* widget : hiddenSet(*this)) {
      if (widget)
        widget->hide();
    }
    setForegroundColor(grayColor, true);
    hide();
    place(resizedSet(*this), kCompactLayout, windowWidth);
    show();
  } else {
    compactView = 0;
    for (eWidget* widget : hiddenSet(*this)) {
      if (widget)
        widget->show();
    }
    hide();
    place(resizedSet(*this), kFullLayout, windowWidth);
    show();
  }
  eDebug("[Vevovuvado] SwichtSkinExec verlassen");
}
