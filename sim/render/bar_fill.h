#pragma once
// Where a progress bar's filled part lies: pure arithmetic, kept apart from the drawing so it
// can be checked with a table.

// Pixels [from, to) of a bar's inner width that are filled. `from` == `to` when nothing is.
struct BarSpan {
  int from = 0;
  int to = 0;
};

// The filled part of a bar `width` pixels wide that starts at `start` percent and is `perc`
// percent long. Both percentages are clamped to 0..100 and the part ends at the bar's right
// edge at the latest, so values a measurement writes out of range never draw outside the bar.
BarSpan barFillSpan(int width, int start, int perc);
