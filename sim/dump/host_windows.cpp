#include "host_windows.h"

eWidget* finderWindow() {
  for (eWidget* widget : eWidget::topLevelWidgets()) {
    if (!dynamic_cast<eMessageBox*>(widget) && dynamic_cast<eWindow*>(widget))
      return widget;
  }
  return nullptr;
}

std::vector<eWidget*> visibleMessageBoxes() {
  std::vector<eWidget*> boxes;
  for (eWidget* widget : eWidget::topLevelWidgets()) {
    if (dynamic_cast<eMessageBox*>(widget) && widget->isVisible())
      boxes.push_back(widget);
  }
  return boxes;
}
