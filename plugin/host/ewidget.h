#pragma once
// The host's widget tree. Widgets hold state only (geometry, visibility, text_, colours, fonts,
// named properties_); a renderer elsewhere draws that state. A child created with `new` and a
// parent_ belongs to the parent_ and is deleted with it.

#include <map>
#include <string>
#include <vector>

#include "egeometry.h"
#include "ekey.h"
#include "estring.h"
#include "gcolor.h"
#include "sigc_compat.h"

// An event delivered to eventHandler. The type codes are the host's.
struct eWidgetEvent {
  enum eventType {
    evtKey = 0,
    willShow = 1,
    willHide = 2,
    execBegin = 3,  // a modal loop on the widget begins
    execDone = 4,   // it has ended
    gotFocus = 5,
    lostFocus = 6,
    changedText = 7,
    changedSize = 8,
    changedPosition = 9,
  };
  int type;
  explicit eWidgetEvent(int t) : type(t) {}
};

class eWidget : public SigC::Object {
 public:
  explicit eWidget(eWidget* parent_ = nullptr, int takefocus_ = 0);
  virtual ~eWidget();
  eWidget(const eWidget&) = delete;
  eWidget& operator=(const eWidget&) = delete;

  // What kind of widget this is, for dumps and renderers: "window", "label", "progress",
  // "checkbox", "combobox", "button", "widget".
  virtual const char* kind() const { return "widget"; }

  // Tree.
  eWidget* getParent() const { return parent_; }
  const std::vector<eWidget*>& getChildren() const { return children_; }
  // The top-level widget: the window this widget belongs to (itself for a window).
  eWidget* getTLW();
  // First descendant with this name_, depth first; nullptr when there is none.
  eWidget* search(const std::string& name_);
  // Creation order over the whole process; lets a dump list widgets as they were made.
  unsigned long serial() const { return serialNumber_; }
  // Live widgets without a parent (windows, message boxes), oldest first: how a program that
  // runs the host finds the windows a plug-in opened.
  static std::vector<eWidget*> topLevelWidgets();
  // Counts the changes to what a renderer draws, over every widget of the process: text,
  // geometry, visibility, colours, fonts, properties, focus, the state of check boxes, progress
  // bars and combo boxes, and widgets made or deleted. Setting a value it already has does not
  // count. A window that drew at one count need not draw again until the count moves.
  // GUI thread only.
  static unsigned long changeCount();

  // Geometry in the parent_'s client pixels.
  void move(const ePoint& position_);
  void resize(const eSize& size_);
  // Sets the client size_; for plain widgets the same as resize().
  virtual void cresize(const eSize& size_);
  const ePoint& getPosition() const { return position_; }
  const eSize& getSize() const { return size_; }
  eRect getRect() const { return eRect(position_, size_); }
  // The client area: for plain widgets the whole widget.
  virtual eRect getClientRect() const { return eRect(ePoint(0, 0), size_); }

  void show();
  void hide();
  // The widget's own flag; a widget is seen only when its ancestors are shown too.
  bool isVisible() const { return visible_; }

  void setText(const eString& text_);
  const eString& getText() const { return text_; }
  void setHelpText(const eString& help) { helpText_ = help; }
  const eString& getHelpText() const { return helpText_; }
  void setHelpID(int id) { helpID_ = id; }
  int getHelpID() const { return helpID_; }
  // A key name_ ("green"): pressing it in the widget's window activates the widget.
  void setShortcut(const eString& key) { shortcut_ = key; }
  const eString& getShortcut() const { return shortcut_; }
  void setName(const eString& widgetName) { name_ = widgetName; }
  const eString& getName() const { return name_; }

  void setFont(const gFont& f);
  const gFont& getFont() const { return font_; }
  bool hasFont() const { return fontSet_; }
  void setForegroundColor(const gColor& color, bool redraw = true);
  const gColor& getForegroundColor() const { return foreground_; }
  bool hasForegroundColor() const { return foregroundSet_; }

  // Named properties_, e.g. "leftColor" of a progress bar or "cposition" of a window.
  virtual int setProperty(const eString& prop, const eString& value);
  // Empty when unset.
  eString getProperty(const std::string& prop) const;
  const std::map<std::string, eString>& getProperties() const { return properties_; }

  // Focus within the top-level widget. The top-level widget's focusChanged carries the widget
  // that got the focus_.
  bool takesFocus() const { return takefocus_ != 0; }
  void setFocus(eWidget* widget);
  eWidget* getFocus() const { return focus_; }
  SigC::Signal1<void, const eWidget*> focusChanged;

  // A modal loop on this widget: eventHandler gets execBegin before and execDone after it.
  // Returns the value given to close().
  int exec();
  void close(int result);

  // Delivers an event to eventHandler and returns its result.
  int event(const eWidgetEvent& e) { return eventHandler(e); }
  virtual int eventHandler(const eWidgetEvent& e);
  // A key, delivered by the modal loop. Returns 1 when handled.
  virtual int keyDown(eKey key);

  // What the base eventHandler saw last (type, or -1), for checks that an event reached it.
  int lastBaseEvent() const { return lastEvent_; }

 protected:
  // Keys for the focused child; widgets that react to keys override it.
  virtual int handleKey(eKey key);
  // Called by every setter of drawn state whose value really changed.
  static void noteChange();

 private:
  void addChild(eWidget* child);
  void removeChild(eWidget* child);
  eWidget* focusNeighbour(int direction);
  bool activateShortcut(const char* key);

  eWidget* parent_;
  std::vector<eWidget*> children_;
  unsigned long serialNumber_;
  int takefocus_;
  ePoint position_;
  eSize size_;
  bool visible_ = true;
  eString text_;
  eString helpText_;
  int helpID_ = 0;
  eString shortcut_;
  eString name_;
  gFont font_;
  bool fontSet_ = false;
  gColor foreground_;
  bool foregroundSet_ = false;
  std::map<std::string, eString> properties_;
  eWidget* focus_ = nullptr;
  int lastEvent_ = -1;
};

// Decorated widgets (combo boxes) load their frame from the skin.
class eDecoWidget : public eWidget {
 public:
  eDecoWidget(eWidget* parent_, int takefocus_, const char* deco);
  // Loads the decoration_ named at construction; returns 0 when the skin has it.
  int loadDeco();
  const std::string& decoName() const { return decoration_; }
  bool decoLoaded() const { return loaded_; }

 private:
  std::string decoration_;
  bool loaded_ = false;
};
