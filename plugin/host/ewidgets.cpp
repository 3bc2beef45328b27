#include "ewidgets.h"

#include <algorithm>

eLabel::eLabel(eWidget* p, int f, int focusable, const char* deco)
    : eDecoWidget(p, focusable, deco), flags_(f) {}

void eLabel::setFlags(int f) {
  if (f == flags_)
    return;
  flags_ = f;
  noteChange();
}

void eLabel::setAlign(int a) {
  if (a == align_)
    return;
  align_ = a;
  noteChange();
}

eCheckbox::eCheckbox(eWidget* p, int c, int focusable, bool /*swapTxtPixmap*/, const char* deco)
    : eLabel(p, 0, focusable, deco), isCheckedValue_(c ? 1 : 0) {}

void eCheckbox::setCheck(int c) {
  const int value = c ? 1 : 0;
  if (value == isCheckedValue_)
    return;
  isCheckedValue_ = value;
  noteChange();
}

void eCheckbox::toggle() {
  isCheckedValue_ = !isCheckedValue_;
  noteChange();
  checked.emit(isCheckedValue_);
}

int eCheckbox::handleKey(eKey key_) {
  if (key_ != eKey::ok)
    return 0;
  toggle();
  return 1;
}

eProgress::eProgress(eWidget* p, int focusable) : eWidget(p, focusable) {}

void eProgress::setPerc(int p) {
  if (p == perc_)
    return;
  perc_ = p;
  noteChange();
}

void eProgress::setStart(int s) {
  if (s == start_)
    return;
  start_ = s;
  noteChange();
}

eListBoxEntryText::eListBoxEntryText(eComboBox* box, const char* t, void* k, int /*align_*/,
                                     const eString& help, int /*keytype*/)
    : text_(t), key_(k), helptext_(help) {
  if (box)
    box->append(this);
}

eComboBox::eComboBox(eWidget* p, int entriesShown, eLabel* /*descr*/, int focusable,
                     const char* deco)
    : eLabel(p, 0, focusable, deco), openEntries_(entriesShown) {}

void eComboBox::append(eListBoxEntryText* entry) {
  entries_.push_back(entry);
  noteChange();
}

eComboBox::~eComboBox() {
  for (eListBoxEntryText* entry : entries_)
    delete entry;
}

eListBoxEntryText* eComboBox::getCurrent() const {
  if (current_ < 0 || current_ >= getCount())
    return nullptr;
  return entries_[static_cast<size_t>(current_)];
}

int eComboBox::setCurrent(eListBoxEntryText* entry, bool sendSelChanged) {
  auto it = std::find(entries_.begin(), entries_.end(), entry);
  if (it == entries_.end())
    return -1;
  return setCurrent(static_cast<int>(it - entries_.begin()), sendSelChanged);
}

int eComboBox::setCurrent(int index, bool sendSelChanged) {
  if (index < 0 || index >= getCount())
    return -1;
  if (index != current_)
    noteChange();
  current_ = index;
  eListBoxEntryText* entry = entries_[static_cast<size_t>(index)];
  setText(entry->getText());
  if (sendSelChanged)
    selchanged.emit(entry);
  return 0;
}

void eComboBox::clearList() {
  for (eListBoxEntryText* entry : entries_)
    delete entry;
  entries_.clear();
  current_ = -1;
  open_ = false;
  noteChange();
  setText("");
}

int eComboBox::choose(int index) {
  if (index < 0 || index >= getCount())
    return -1;
  open_ = false;
  noteChange();
  selected.emit();
  setCurrent(index, true);
  setFocus(this);
  return 0;
}

int eComboBox::handleKey(eKey key_) {
  // Stepping the selection counts through setCurrent; opening, closing and moving in the list
  // count here.
  const bool wasOpen = open_;
  const int wasHighlight = highlight_;
  const int handled = handleListKey(key_);
  if (open_ != wasOpen || highlight_ != wasHighlight)
    noteChange();
  return handled;
}

int eComboBox::handleListKey(eKey key_) {
  if (open_) {
    switch (key_) {
      case eKey::up:
        highlight_ = std::max(0, highlight_ - 1);
        return 1;
      case eKey::down:
        highlight_ = std::min(getCount() - 1, highlight_ + 1);
        return 1;
      case eKey::ok:
        choose(highlight_);
        return 1;
      case eKey::exit:
        open_ = false;
        setFocus(this);
        return 1;
      default:
        return 1;
    }
  }
  switch (key_) {
    case eKey::ok:
      if (getCount() == 0)
        return 1;
      open_ = true;
      highlight_ = current_ < 0 ? 0 : current_;
      return 1;
    case eKey::left:
      if (current_ > 0)
        setCurrent(current_ - 1, true);
      return 1;
    case eKey::right:
      if (current_ + 1 < getCount())
        setCurrent(current_ + 1, true);
      return 1;
    default:
      return 0;
  }
}

eButton::eButton(eWidget* p, eLabel* /*descr*/, int focusable, const char* deco)
    : eLabel(p, 0, focusable, deco) {}

int eButton::handleKey(eKey key_) {
  if (key_ != eKey::ok)
    return 0;
  selected.emit();
  return 1;
}
