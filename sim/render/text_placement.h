#pragma once
// Where a line of text goes inside a widget's box: pure arithmetic over the box and the text's
// measured extents, so the alignment rules can be checked with a table.

// Host label flag: the text is centred vertically in the box.
constexpr int kLabelFlagVerticalCentre = 64;

// Host label alignments.
constexpr int kAlignLeft = 0;
constexpr int kAlignRight = 1;
constexpr int kAlignCentre = 2;

// Inner space kept between a box's edge and its text, in pixels.
constexpr double kTextPadding = 2.0;

// X of the text's left edge for a box at `boxX`, `boxWidth` wide, holding text `textWidth`
// wide with the host alignment `align` (unknown values align left). Text too wide for the
// padding gives it up and is centred whatever the alignment; text wider than the box starts at
// its left edge, so its beginning stays readable.
double alignedTextX(double boxX, double boxWidth, double textWidth, int align);

// Y of the baseline of the first of `lineCount` lines, each `lineHeight` high with `ascent`
// above the baseline, in a box at `boxY`, `boxHeight` high. With the vertical-centre flag the
// block of lines is centred in the box; otherwise it starts at the top padding.
double firstBaselineY(double boxY, double boxHeight, double ascent, double lineHeight,
                      int lineCount, int flags);
