#pragma once
// The active skin: colours and fonts by name, and elements that lay out a window and its
// named children. A skin is data: the built-in default, one a program loads, or one a test
// makes.

#include <map>
#include <string>

#include "egeometry.h"
#include "estring.h"
#include "gcolor.h"

class eWidget;

struct eSkinChild {
  ePoint position;
  eSize size;
  bool hasText = false;
  eString text;
  std::string font;  // skin font name, empty for none
};

struct eSkinElement {
  ePoint position;  // of the window on the screen
  eSize clientSize;
  bool hasTitle = false;
  eString title;
  std::map<std::string, eSkinChild> children;  // by widget name
};

class eSkin {
 public:
  // The skin in force: the one set with setActive(), or the built-in default.
  static eSkin* getActive();
  static void setActive(eSkin* skin);  // nullptr: back to the default
  static eSkin& builtinDefault();

  void setColor(const std::string& name, uint32_t rgb) { colors[name] = rgb; }
  void setFont(const std::string& name, const std::string& family, int size, bool bold = false);
  void setElement(const std::string& name, const eSkinElement& element) {
    elements[name] = element;
  }
  void removeElement(const std::string& name) { elements.erase(name); }

  // A colour the skin lacks comes back with valid false and black.
  gColor queryColor(const eString& name) const;
  // A font the skin lacks comes back as the default child font, under the asked name.
  gFont queryFont(const eString& name) const;
  // Applies the element to `window`: its position and client size, its title, and the geometry
  // (and text, font) of each child found by name. 0 when the skin has the element, -1 otherwise.
  int build(eWidget* window, const char* element);
  bool hasElement(const std::string& name) const { return elements.count(name) != 0; }

  const std::map<std::string, uint32_t>& getColors() const { return colors; }
  const std::map<std::string, gFont>& getFonts() const { return fonts; }
  const std::map<std::string, eSkinElement>& getElements() const { return elements; }

 private:
  std::map<std::string, uint32_t> colors;
  std::map<std::string, gFont> fonts;
  std::map<std::string, eSkinElement> elements;
};
