// The simulator's window at any size: the screen keeps its proportions, the panel's parts lie
// inside it without overlapping, every line of text fits its area as cairo measures it, and
// the pictures map values to pixels as their geometry says.

#include <cairo.h>
#include <gtest/gtest.h>

#include <cmath>

#include "cairo_text.h"
#include "panel_layout.h"
#include "panel_painter.h"
#include "screen_layout.h"
#include "window_layout.h"
#include "window_renderer.h"

namespace {
// Panels as the simulator fills them, with its longest lines.
PanelView satellitePanel() {
  PanelView v;
  v.title = "Satellite receiver \xC2\xB7 STV0299B";
  v.rows = {{"Tuned", "11836 MHz H  27500 kSym  19.2E"},
            {"Dish", "az +13.00\xC2\xB0  el -10.00\xC2\xB0  16.40\xC2\xB0 off"},
            {"Signal", "loss 25.0 dB, true SNR -13.0 dB"},
            {"Carrier", "no lock (needs 3.0 dB)"},
            {"Tone", "1406 Hz (step 120)"},
            {"Peak", "best 11.8 dB at az +0.12, el -0.04"}};
  v.legend = {{"\xE2\x86\x91 \xE2\x86\x93", "move between the lists and Sound"},
              {"Enter", "open a list, take an entry, tick Sound"},
              {"\xE2\x86\x90 \xE2\x86\x92", "previous or next entry of a list"},
              {"Esc", "close a list, or quit"},
              {"F2 g", "green key: compact view and back"},
              {"W A S D", "move the dish (Shift: finer)"},
              {"P", "forget the best reading"}};
  v.chart = StripChartView{};
  v.chart->hasPitchLane = true;
  v.pointing = PointingView{};
  return v;
}

PanelView cablePanel() {
  PanelView v;
  v.title = "Cable receiver";
  v.rows = {{"Finder", "not for this receiver: see its message"}};
  v.legend = {{"Enter Esc", "dismiss the message box"}, {"Esc", "then close the finder"}};
  return v;
}

struct Size {
  int width, height;
};
const Size kSizes[] = {{1280, 576}, {640, 360},  {320, 200},  {1920, 1080}, {700, 1000},
                       {400, 800},  {2400, 400}, {200, 1200}, {1000, 300},  {64, 48}};

// The width of `text` in DejaVu Sans Mono at `px`, as the painter sets it.
double measured(const std::string& text, double px) {
  releaseFontCachesAtExit();
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 4, 4);
  cairo_t* cr = cairo_create(surface);
  cairo_select_font_face(cr, "DejaVu Sans Mono", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
  cairo_set_font_size(cr, px);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_set_font_options(cr, options);
  cairo_font_options_destroy(options);
  cairo_text_extents_t extents;
  cairo_text_extents(cr, text.c_str(), &extents);
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
  return extents.x_advance;
}
}  // namespace

TEST(WindowLayout, ScreenKeepsItsProportionsAndThePanelTakesTheRest) {
  for (const Size s : kSizes) {
    const WindowLayout l = layoutWindow(s.width, s.height);
    const Area window{0, 0, static_cast<double>(s.width), static_cast<double>(s.height)};
    EXPECT_TRUE(window.contains(l.screen)) << s.width << "x" << s.height;
    EXPECT_TRUE(window.contains(l.panel)) << s.width << "x" << s.height;
    EXPECT_FALSE(l.screen.overlaps(l.panel)) << s.width << "x" << s.height;
    EXPECT_NEAR(l.screen.width / l.screen.height, double(kScreenWidth) / kScreenHeight, 1e-9);
    EXPECT_NEAR(l.screen.width, kScreenWidth * l.scale, 1e-9);
    // The panel always keeps a good part of the window.
    EXPECT_GE(l.panel.width * l.panel.height, 0.3 * s.width * s.height)
        << s.width << "x" << s.height;
  }
  // The default window shows the screen at its own size.
  EXPECT_EQ(layoutWindow(kDefaultWindowWidth, kDefaultWindowHeight).scale, 1.0);
}

TEST(PanelLayout, EveryPartFitsInsideWithoutOverlapAndEveryLineFitsItsArea) {
  for (const PanelView& view : {satellitePanel(), cablePanel()}) {
    const PanelMetrics m = panelMetrics(view);
    for (const Size s : kSizes) {
      const WindowLayout w = layoutWindow(s.width, s.height);
      const PanelLayout l = layoutPanel(w.panel, m);
      const std::string where =
          view.title + " at " + std::to_string(s.width) + "x" + std::to_string(s.height);
      std::vector<Area> parts = {l.text, l.legend};
      if (view.chart)
        parts.push_back(l.chart);
      if (view.pointing)
        parts.push_back(l.pointing);
      for (size_t i = 0; i < parts.size(); ++i) {
        EXPECT_TRUE(w.panel.contains(parts[i])) << where << " part " << i;
        for (size_t j = i + 1; j < parts.size(); ++j)
          EXPECT_FALSE(parts[i].overlaps(parts[j])) << where << " parts " << i << ", " << j;
      }
      EXPECT_LE(m.textLines * kLineSpacingEm * l.textPx, l.text.height + 1e-6) << where;
      EXPECT_LE(m.legendLines * kLineSpacingEm * l.legendPx, l.legend.height + 1e-6) << where;
      EXPECT_LE(l.textPx, kLargestTextPx);
      const int label = rowLabelColumns(view);
      EXPECT_LE(measured(view.title, l.textPx), l.text.width + 0.01) << where;
      for (const PanelRow& row : view.rows) {
        const double width = label * kMonoAdvanceEm * l.textPx + measured(row.value, l.textPx);
        EXPECT_LE(width, l.text.width + 0.01) << where << ": " << row.value;
      }
      const int keys = legendKeyColumns(view);
      for (const LegendRow& row : view.legend) {
        const double width = keys * kMonoAdvanceEm * l.legendPx + measured(row.action, l.legendPx);
        EXPECT_LE(width, l.legend.width + 0.01) << where << ": " << row.action;
      }
      if (view.pointing) {
        EXPECT_NEAR(l.pointing.width, l.pointing.height, 1e-9) << where;
      }
    }
  }
}

TEST(PanelLayout, TextGrowsWithTheWindow) {
  const PanelMetrics m = panelMetrics(satellitePanel());
  double previous = 0;
  for (const Size s : {Size{320, 144}, Size{640, 288}, Size{1280, 576}, Size{1920, 864}}) {
    const double px = layoutPanel(layoutWindow(s.width, s.height).panel, m).textPx;
    EXPECT_GT(px, previous) << s.width;
    previous = px;
  }
  EXPECT_GE(previous, 20.0);
}

TEST(PanelLayout, PointingSpanShowsTheRingsAndTheDish) {
  struct Case {
    double error, beamwidth, span;
  };
  const Case cases[] = {{0, 2, 3},   {0.5, 2, 3}, {3.16, 2, 5}, {4.4, 2, 10},
                        {4.3, 2, 5}, {0, 0.5, 1}, {12, 2, 15},  {200, 2, 90}};
  for (const Case& c : cases)
    EXPECT_EQ(pointingSpanDeg(c.error, c.beamwidth), c.span) << c.error << " " << c.beamwidth;
  const PointingGeometry g = pointingGeometry({100, 50, 200, 200}, 5);
  EXPECT_EQ(g.centreX, 200);
  EXPECT_EQ(g.centreY, 150);
  EXPECT_NEAR(g.radiusPx, 92, 1e-9);
  EXPECT_NEAR(g.pxPerDeg * 5, g.radiusPx, 1e-9);
}

TEST(PanelLayout, ChartMapsTimeAndValuesIntoItsAreasAndClampsTheRest) {
  StripChartView view;
  view.fromMs = 1000;
  view.toMs = 61000;
  view.dbMin = 0;
  view.dbMax = 15;
  view.pitchMaxHz = 2000;
  const ChartGeometry g = chartGeometry({0, 0, 600, 200}, true);
  EXPECT_TRUE((Area{0, 0, 600, 200}).contains(g.plot));
  EXPECT_TRUE((Area{0, 0, 600, 200}).contains(g.pitch));
  EXPECT_FALSE(g.plot.overlaps(g.pitch));
  EXPECT_DOUBLE_EQ(chartX(g, view, 1000), g.plot.x);
  EXPECT_DOUBLE_EQ(chartX(g, view, 61000), g.plot.right());
  EXPECT_DOUBLE_EQ(chartX(g, view, 31000), g.plot.x + g.plot.width / 2);
  EXPECT_DOUBLE_EQ(chartX(g, view, -5000), g.plot.x);
  EXPECT_DOUBLE_EQ(chartDbY(g, view, 15), g.plot.y);
  EXPECT_DOUBLE_EQ(chartDbY(g, view, -13), g.plot.bottom());
  EXPECT_DOUBLE_EQ(chartDbY(g, view, 7.5), g.plot.y + g.plot.height / 2);
  EXPECT_DOUBLE_EQ(chartPercentY(g, 100), g.plot.y);
  EXPECT_DOUBLE_EQ(chartPitchY(g, view, 1000), g.pitch.y + g.pitch.height / 2);
  EXPECT_TRUE(chartGeometry({0, 0, 600, 200}, false).pitch.width == 0);
}

TEST(PanelPainter, DishDotLandsWhereThePointingGeometryPutsIt) {
  PanelView view = satellitePanel();
  view.pointing->azimuthDeg = 1.5;
  view.pointing->elevationDeg = -0.5;
  view.pointing->spanDeg = 3;
  Image screen;
  const Image image = renderWindow(screen, view, 1280, 576);
  const PanelLayout l = layoutPanel(layoutWindow(1280, 576).panel, panelMetrics(view));
  const PointingGeometry g = pointingGeometry(l.pointing, 3);
  double sumX = 0, sumY = 0;
  int n = 0;
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      if ((image.argb[static_cast<size_t>(y) * image.width + x] & 0xFFFFFF) ==
          panelColor(PanelColor::dish)) {
        sumX += x;
        sumY += y;
        ++n;
      }
    }
  }
  ASSERT_GT(n, 10);
  EXPECT_NEAR(sumX / n + 0.5, g.centreX + 1.5 * g.pxPerDeg, 1.0);
  EXPECT_NEAR(sumY / n + 0.5, g.centreY + 0.5 * g.pxPerDeg, 1.0);
}
