#include "ewidget.h"

#include <algorithm>
#include <atomic>

#include "emainloop.h"
#include "eskin.h"

namespace {
std::atomic<unsigned long> serialCounter{0};
std::vector<eWidget*> topLevels;
unsigned long drawnChanges = 0;
}  // namespace

std::vector<eWidget*> eWidget::topLevelWidgets() {
  return topLevels;
}

unsigned long eWidget::changeCount() {
  return drawnChanges;
}

void eWidget::noteChange() {
  ++drawnChanges;
}

eWidget::eWidget(eWidget* p, int focusable)
    : parent_(p), serialNumber_(++serialCounter), takefocus_(focusable) {
  noteChange();
  if (parent_) {
    parent_->addChild(this);
  } else {
    topLevels.push_back(this);
  }
}

eWidget::~eWidget() {
  noteChange();
  if (eApp)
    eApp->forget(this);
  // Children first, newest first; each is detached so it never reaches back into a parent_ that
  // is half destroyed.
  while (!children_.empty()) {
    eWidget* child = children_.back();
    children_.pop_back();
    child->parent_ = nullptr;
    delete child;
  }
  if (parent_) {
    eWidget* tlw = parent_->getTLW();
    if (tlw->focus_ == this)
      tlw->focus_ = nullptr;
    parent_->removeChild(this);
  } else {
    topLevels.erase(std::remove(topLevels.begin(), topLevels.end(), this), topLevels.end());
  }
}

void eWidget::addChild(eWidget* child) {
  children_.push_back(child);
}

void eWidget::removeChild(eWidget* child) {
  children_.erase(std::remove(children_.begin(), children_.end(), child), children_.end());
}

eWidget* eWidget::getTLW() {
  eWidget* w = this;
  while (w->parent_)
    w = w->parent_;
  return w;
}

eWidget* eWidget::search(const std::string& wanted) {
  for (eWidget* child : children_) {
    if (child->name_ == wanted)
      return child;
    if (eWidget* found = child->search(wanted))
      return found;
  }
  return nullptr;
}

void eWidget::move(const ePoint& p) {
  if (p == position_)
    return;
  position_ = p;
  noteChange();
}
void eWidget::resize(const eSize& s) {
  if (s == size_)
    return;
  size_ = s;
  noteChange();
}
void eWidget::cresize(const eSize& s) {
  resize(s);
}

void eWidget::show() {
  if (visible_)
    return;
  visible_ = true;
  noteChange();
  eventHandler(eWidgetEvent(eWidgetEvent::willShow));
}

void eWidget::hide() {
  if (!visible_)
    return;
  visible_ = false;
  noteChange();
  eventHandler(eWidgetEvent(eWidgetEvent::willHide));
}

void eWidget::setText(const eString& t) {
  if (t == text_)
    return;
  text_ = t;
  noteChange();
}

void eWidget::setFont(const gFont& f) {
  if (fontSet_ && f == font_)
    return;
  font_ = f;
  fontSet_ = true;
  noteChange();
}

void eWidget::setForegroundColor(const gColor& color, bool /*redraw*/) {
  if (foregroundSet_ && color == foreground_ && color.valid == foreground_.valid)
    return;
  foreground_ = color;
  foregroundSet_ = true;
  noteChange();
}

int eWidget::setProperty(const eString& prop, const eString& value) {
  auto it = properties_.find(prop);
  if (it != properties_.end() && it->second == value)
    return 0;
  properties_[prop] = value;
  noteChange();
  return 0;
}

eString eWidget::getProperty(const std::string& prop) const {
  auto it = properties_.find(prop);
  return it == properties_.end() ? eString() : it->second;
}

void eWidget::setFocus(eWidget* widget) {
  eWidget* tlw = getTLW();
  if (tlw->focus_ != widget)
    noteChange();
  tlw->focus_ = widget;
  tlw->focusChanged.emit(widget);
}

int eWidget::exec() {
  eventHandler(eWidgetEvent(eWidgetEvent::execBegin));
  const int result = eApp ? eApp->runModal(this) : -1;
  eventHandler(eWidgetEvent(eWidgetEvent::execDone));
  return result;
}

void eWidget::close(int result) {
  if (eApp)
    eApp->endModal(this, result);
}

int eWidget::eventHandler(const eWidgetEvent& e) {
  lastEvent_ = e.type;
  switch (e.type) {
    case eWidgetEvent::willShow:
    case eWidgetEvent::willHide:
    case eWidgetEvent::execBegin:
    case eWidgetEvent::execDone:
      return 1;
    default:
      return 0;
  }
}

int eWidget::handleKey(eKey /*key*/) {
  return 0;
}

bool eWidget::activateShortcut(const char* key) {
  for (eWidget* child : children_) {
    if (child->shortcut_ == key) {
      child->handleKey(eKey::ok);
      return true;
    }
    if (child->activateShortcut(key))
      return true;
  }
  return false;
}

namespace {
void collectFocusable(eWidget* w, std::vector<eWidget*>& out) {
  for (eWidget* child : w->getChildren()) {
    if (child->takesFocus() && child->isVisible() && child->getSize().width > 0) {
      out.push_back(child);
    }
    collectFocusable(child, out);
  }
}
}  // namespace

eWidget* eWidget::focusNeighbour(int direction) {
  std::vector<eWidget*> candidates;
  collectFocusable(this, candidates);
  if (candidates.empty())
    return nullptr;
  auto it = std::find(candidates.begin(), candidates.end(), focus_);
  if (it == candidates.end())
    return direction > 0 ? candidates.front() : candidates.back();
  auto index = static_cast<long>(it - candidates.begin()) + direction;
  const auto count = static_cast<long>(candidates.size());
  index = (index % count + count) % count;
  return candidates[static_cast<size_t>(index)];
}

int eWidget::keyDown(eKey key) {
  if (activateShortcut(keyName(key)))
    return 1;
  if (focus_ && focus_->handleKey(key))
    return 1;
  switch (key) {
    case eKey::up:
    case eKey::down:
      if (eWidget* next = focusNeighbour(key == eKey::down ? 1 : -1)) {
        setFocus(next);
        return 1;
      }
      return 0;
    case eKey::exit:
      close(-1);
      return 1;
    default:
      return handleKey(key);
  }
}

eDecoWidget::eDecoWidget(eWidget* p, int focusable, const char* decoName)
    : eWidget(p, focusable), decoration_(decoName ? decoName : "") {}

int eDecoWidget::loadDeco() {
  eSkin* skin = eSkin::getActive();
  loaded_ = skin && !decoration_.empty();
  return loaded_ ? 0 : -1;
}
