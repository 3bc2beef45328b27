// The renderer's arithmetic: where a bar's fill, a line of text, a window and an open list go.

#include <gtest/gtest.h>

#include "bar_fill.h"
#include "list_layout.h"
#include "screen_layout.h"
#include "text_placement.h"

namespace {
TEST(BarFillSpan, ClampsPercentagesAndEndsAtTheBar) {
  struct Case {
    int width, start, perc, from, to;
  };
  const Case cases[] = {
      {476, 0, 0, 0, 0},      {476, 0, 50, 0, 238},    {476, 0, 100, 0, 476},
      {476, 0, 101, 0, 476},  {476, 0, -5, 0, 0},      {476, 49, 2, 233, 243},
      {476, 99, 2, 471, 476}, {476, 120, 2, 476, 476}, {476, -10, 20, 0, 95},
      {101, 0, 50, 0, 51},    {0, 0, 50, 0, 0},        {-3, 0, 50, 0, 0},
  };
  for (const Case& c : cases) {
    const BarSpan span = barFillSpan(c.width, c.start, c.perc);
    EXPECT_EQ(span.from, c.from) << c.width << " " << c.start << " " << c.perc;
    EXPECT_EQ(span.to, c.to) << c.width << " " << c.start << " " << c.perc;
  }
}

TEST(AlignedTextX, PlacesTextByAlignmentAndKeepsWideTextReadable) {
  struct Case {
    double boxX, boxWidth, textWidth;
    int align;
    double x;
  };
  const Case cases[] = {
      {10, 100, 40, kAlignLeft, 12},    {10, 100, 40, kAlignRight, 68},
      {10, 100, 40, kAlignCentre, 40},  {10, 100, 40, 7, 12},
      {10, 100, 95, kAlignRight, 13},   {10, 100, 96, kAlignRight, 12},
      {10, 100, 98, kAlignLeft, 11},    {10, 100, 100, kAlignLeft, 10},
      {10, 100, 150, kAlignCentre, 10}, {10, 100, 150, kAlignRight, 10},
  };
  for (const Case& c : cases)
    EXPECT_DOUBLE_EQ(alignedTextX(c.boxX, c.boxWidth, c.textWidth, c.align), c.x)
        << "align " << c.align << " text " << c.textWidth;
}

TEST(FirstBaselineY, CentresWithFlag64AndStartsAtTheTopOtherwise) {
  struct Case {
    double boxY, boxHeight, ascent, lineHeight;
    int lines, flags;
    double baseline;
  };
  const Case cases[] = {
      {0, 30, 18, 24, 1, 0, 20},  {0, 30, 18, 24, 1, 64, 21}, {100, 40, 18, 24, 1, 64, 126},
      {0, 80, 18, 24, 2, 64, 34}, {0, 30, 18, 24, 0, 64, 21}, {0, 30, 18, 24, 1, 1, 20},
  };
  for (const Case& c : cases)
    EXPECT_DOUBLE_EQ(firstBaselineY(c.boxY, c.boxHeight, c.ascent, c.lineHeight, c.lines, c.flags),
                     c.baseline)
        << "lines " << c.lines << " flags " << c.flags;
}

TEST(ParseClientPosition, AcceptsOnlyXColonY) {
  struct Case {
    const char* text;
    bool ok;
    int x, y;
  };
  const Case cases[] = {
      {"120:120", true, 120, 120}, {"0:5", true, 0, 5},    {"-4:7", true, -4, 7},
      {"", false, 0, 0},           {"120", false, 0, 0},   {"120:", false, 0, 0},
      {"a:b", false, 0, 0},        {"1:2:3", false, 0, 0}, {"12:34px", false, 0, 0},
  };
  for (const Case& c : cases) {
    ePoint p(-99, -99);
    EXPECT_EQ(parseClientPosition(c.text, &p), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(p, ePoint(c.x, c.y)) << c.text;
    } else {
      EXPECT_EQ(p, ePoint(-99, -99)) << c.text;
    }
  }
}

TEST(PlaceClientArea, UsesCpositionThenWindowPositionAndStaysOnScreen) {
  const int top = kFrameBorder + kTitleBarHeight;
  struct Case {
    ePoint position;
    const char* cposition;
    eSize size;
    ePoint client;
  };
  const Case cases[] = {
      {{0, 0}, "120:120", {500, 380}, {120, 120}},
      {{0, 0}, "", {500, 380}, {kFrameBorder, top}},
      {{50, 60}, "", {200, 100}, {50 + kFrameBorder, 60 + top}},
      {{0, 0}, "bad", {200, 100}, {kFrameBorder, top}},
      {{0, 0},
       "600:500",
       {500, 380},
       {kScreenWidth - kFrameBorder - 500, kScreenHeight - kFrameBorder - 380}},
      {{0, 0}, "-50:0", {100, 100}, {kFrameBorder, top}},
      {{0, 0}, "100:100", {900, 700}, {kFrameBorder, top}},
  };
  for (const Case& c : cases) {
    const eRect r = placeClientArea(c.position, c.cposition, c.size);
    EXPECT_EQ(r.topLeft(), c.client) << c.cposition << " " << c.position.x;
    EXPECT_EQ(r.size(), c.size);
  }
}

TEST(CentreClientArea, CentresTheFramedBoxOverAnother) {
  const eRect window(ePoint(120, 120), eSize(500, 380));
  const eRect box = centreClientArea(window, eSize(440, 100));
  EXPECT_EQ(box.left(), 150);
  // The frame (title bar included) is centred: equal room above and below it.
  const int frameTop = box.top() - kTitleBarHeight - kFrameBorder;
  const int frameBottom = box.bottom() + kFrameBorder;
  EXPECT_EQ(frameTop - window.top(), window.bottom() - frameBottom);
}

TEST(FirstShownEntry, ScrollsToKeepTheHighlightVisible) {
  struct Case {
    int count, rows, highlighted, first;
  };
  const Case cases[] = {
      {3, 5, 2, 0},  {10, 5, 0, 0},  {10, 5, 4, 0}, {10, 5, 5, 1},
      {10, 5, 9, 5}, {10, 5, 20, 5}, {10, 0, 3, 0}, {0, 5, 0, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(firstShownEntry(c.count, c.rows, c.highlighted), c.first)
        << c.count << " " << c.rows << " " << c.highlighted;
}

TEST(OpenListTop, OpensBelowThenAboveThenBelowCut) {
  struct Case {
    int boxTop, boxBottom, listHeight, screenHeight, top;
  };
  const Case cases[] = {
      {100, 135, 150, 576, 135},  // room below
      {450, 485, 150, 576, 300},  // no room below: above
      {426, 576, 91, 576, 335},   // exactly fills above
      {50, 500, 100, 576, 500},   // room nowhere: below, cut
      {400, 426, 150, 576, 426},  // exactly fills below
  };
  for (const Case& c : cases)
    EXPECT_EQ(openListTop(c.boxTop, c.boxBottom, c.listHeight, c.screenHeight), c.top)
        << c.boxTop << " " << c.listHeight;
}
}  // namespace
