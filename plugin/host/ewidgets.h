#pragma once
// The host's concrete widgets: labels, check boxes, progress bars, combo boxes with their text_
// entries_, buttons.

#include <vector>

#include "ewidget.h"

class eLabel : public eDecoWidget {
 public:
  explicit eLabel(eWidget* parent, int flags_ = 0, int takefocus = 0, const char* deco = "eLabel");
  const char* kind() const override { return "label"; }
  // Host flag bits (64: vertically centred text_); stored and drawn by a renderer.
  void setFlags(int f);
  int getFlags() const { return flags_; }
  // 0 left, 1 right, 2 centre.
  void setAlign(int a);
  int getAlign() const { return align_; }

 private:
  int flags_;
  int align_ = 0;
};

class eCheckbox : public eLabel {
 public:
  eCheckbox(eWidget* parent, int checked = 0, int takefocus = 0, bool swapTxtPixmap = false,
            const char* deco = "eCheckBox");
  const char* kind() const override { return "checkbox"; }
  // Sets the state as a program does: no signal.
  void setCheck(int c);
  int isChecked() const { return isCheckedValue_; }
  // The person ticks or unticks the box: the state flips and `checked` carries the new state.
  void toggle();
  SigC::Signal1<void, int> checked;

 protected:
  int handleKey(eKey key_) override;

 private:
  int isCheckedValue_;
};

class eProgress : public eWidget {
 public:
  explicit eProgress(eWidget* parent, int takefocus = 0);
  const char* kind() const override { return "progress"; }
  // Percentage 0 to 100 (values outside are stored as given; a renderer clamps them).
  void setPerc(int p);
  int getPerc() const { return perc_; }
  // Where the filled part begins, in percent of the width.
  void setStart(int s);
  int getStart() const { return start_; }

 private:
  int perc_ = 0;
  int start_ = 0;
};

class eComboBox;

class eListBoxEntryText {
 public:
  // Appends itself at the end of `box` (when given), which then owns it.
  eListBoxEntryText(eComboBox* box, const char* text_ = nullptr, void* key_ = nullptr,
                    int align_ = 0, const eString& helptext_ = eString(), int keytype = 0);
  const eString& getText() const { return text_; }
  void* getKey() const { return key_; }
  const eString& getHelpText() const { return helptext_; }

 private:
  eString text_;
  void* key_;
  eString helptext_;
};

class eComboBox : public eLabel {
 public:
  eComboBox(eWidget* parent, int openEntries_ = 5, eLabel* descr = nullptr, int takefocus = 1,
            const char* deco = "eComboBox");
  ~eComboBox() override;
  const char* kind() const override { return "combobox"; }

  int getCount() const { return static_cast<int>(entries_.size()); }
  // nullptr when the list is empty or nothing is selected.
  eListBoxEntryText* getCurrent() const;
  int getCurrentIndex() const { return current_; }
  const std::vector<eListBoxEntryText*>& getEntries() const { return entries_; }
  // Selects an entry; with sendSelChanged the selchanged signal fires. 0 on success, -1 when
  // the entry or index is not in the list.
  int setCurrent(eListBoxEntryText* entry, bool sendSelChanged = false);
  int setCurrent(int index, bool sendSelChanged = false);
  // Deletes every entry; nothing is selected afterwards.
  void clearList();

  // The person opens the list, moves to `index` and confirms: selected fires, then selchanged
  // with that entry, then the focus returns to the box. -1 when the index is out of range.
  int choose(int index);
  bool isOpen() const { return open_; }
  // How many entries the open list shows at once: the constructor's argument.
  int openEntries() const { return openEntries_; }
  int highlighted() const { return highlight_; }

  SigC::Signal1<void, eListBoxEntryText*> selchanged;
  SigC::Signal0<void> selected;

 protected:
  int handleKey(eKey key_) override;

 private:
  friend class eListBoxEntryText;
  int handleListKey(eKey key_);
  void append(eListBoxEntryText* entry);
  std::vector<eListBoxEntryText*> entries_;
  int current_ = -1;
  int openEntries_;
  bool open_ = false;
  int highlight_ = 0;
};

class eButton : public eLabel {
 public:
  explicit eButton(eWidget* parent, eLabel* descr = nullptr, int takefocus = 1,
                   const char* deco = "eButton");
  const char* kind() const override { return "button"; }
  SigC::Signal0<void> selected;

 protected:
  int handleKey(eKey key_) override;
};
