#pragma once
// Top-level windows and the message box.

#include <string>
#include <vector>

#include "ewidget.h"

class eLabel;

class eWindow : public eWidget {
 public:
  // `state` is the host's window style word; 0 is a plain framed window.
  explicit eWindow(int state = 0);
  const char* kind() const override { return "window"; }
  // A window's text is its title; its size is its client size (the frame is drawn around it).
  void cresize(const eSize& size) override;
  int eventHandler(const eWidgetEvent& e) override;
};

class eMessageBox : public eWindow {
 public:
  // text, caption, then the host's button and icon words (1, 1, 0: an OK box).
  eMessageBox(eString text, eString caption, int flags = 1, int def = 1, int icon = 0);
  const eString& getMessage() const { return message; }
  // Records the box in messageBoxes() when it first appears.
  void show();
  int keyDown(eKey key) override;

  struct Shown {
    std::string text;
    std::string caption;
  };
  // Every message box shown since the last clearMessageBoxes(), oldest first.
  static const std::vector<Shown>& messageBoxes();
  static void clearMessageBoxes();

 private:
  eString message;
  bool recorded = false;
};
