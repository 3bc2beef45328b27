#pragma once
// The drop-down list of an open combo box: how many rows it shows, which entries, and whether
// it opens below or above the box. Pure arithmetic, checked with tables.

// Rows an open list shows at most; longer lists scroll with the highlight.
constexpr int kOpenListRows = 5;

// Index of the first entry shown when `count` entries scroll through `rows` rows and entry
// `highlighted` must be among them. 0 when everything fits or nothing is highlighted.
int firstShownEntry(int count, int rows, int highlighted);

// Top edge (screen y) of a list `listHeight` high for a box spanning `boxTop` to `boxBottom`:
// below the box when the list fits above `screenHeight`, otherwise above it when it fits
// there, otherwise below and cut by the screen edge.
int openListTop(int boxTop, int boxBottom, int listHeight, int screenHeight);
