#pragma once
// The satellite window's fixed layout, used when the active skin has no element for the
// window: one const table, walked row by row. A row either places a widget that already
// exists or creates it first.

#include "plugin/my_ebeamseek.h"

// A length that is either fixed or counted from the window's width W: base, or W + base.
struct LayoutLength {
  int base;
  bool fromWidth;
};
constexpr LayoutLength px(int pixels) {
  return {pixels, false};
}
constexpr LayoutLength widthMinus(int pixels) {
  return {-pixels, true};
}
constexpr int resolveLength(LayoutLength length, int windowWidth) {
  return length.fromWidth ? windowWidth + length.base : length.base;
}

// The widget a row is about: a roster member of the window (its type says what a new one is),
// the "lSat" label InitSAT made, or a label the window keeps no pointer to.
struct LayoutWidget {
  enum class Kind { satLabel, plainLabel, label, progress, checkbox, combo };
  Kind kind;
  eLabel* my_eBeamseek::*label = nullptr;
  eProgress* my_eBeamseek::*progress = nullptr;
  eCheckbox* my_eBeamseek::*checkbox = nullptr;
  eComboBox* my_eBeamseek::*combo = nullptr;

  constexpr explicit LayoutWidget(Kind k) : kind(k) {}
  constexpr LayoutWidget(eLabel* my_eBeamseek::*m) : kind(Kind::label), label(m) {}
  constexpr LayoutWidget(eProgress* my_eBeamseek::*m) : kind(Kind::progress), progress(m) {}
  constexpr LayoutWidget(eCheckbox* my_eBeamseek::*m) : kind(Kind::checkbox), checkbox(m) {}
  constexpr LayoutWidget(eComboBox* my_eBeamseek::*m) : kind(Kind::combo), combo(m) {}
};

// What a row does after its common steps (name, text, geometry, flags, alignment).
enum class LayoutExtra {
  none,
  offsetBar,    // help text, start percentage, bar colour
  agc1Caption,  // hidden on an STV0288
  agcBar,       // on an STV0288: AGC1 widgets hidden, AGC2 bar takes their room
  soundBox,     // takes focus; its checked signal switches the tone
  comboHelp,    // help text, then the decoration
};

struct FixedLayoutRow {
  LayoutWidget widget;
  bool isNew;        // the row creates the widget
  const char* name;  // setName right after creation; nullptr: none
  const char* text;  // nullptr: no text is set
  LayoutLength x;
  int y;
  LayoutLength width;
  int height;
  int flags = 0;   // eLabel::setFlags value; 0: not called
  int align = -1;  // eLabel::setAlign value; -1: not called
  LayoutExtra extra = LayoutExtra::none;
  const char* helpText = nullptr;  // for LayoutExtra::comboHelp
};

inline constexpr int kFixedLayoutRows = 28;
extern const FixedLayoutRow kFixedLayout[kFixedLayoutRows];

inline constexpr const char* kFixedLayoutTitle = "kelvorn's Vevovuvado 0.6";

// Titles the window, sets its "cposition" and its client size (windowWidth by windowHeight),
// then walks kFixedLayout, creating and placing the widgets and connecting the sound box.
// `satLabel` is the "lSat" label that InitSAT created.
void layOutFixed(my_eBeamseek& window, eLabel* satLabel);
