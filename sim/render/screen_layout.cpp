#include "screen_layout.h"

#include <algorithm>
#include <cstdio>

namespace {
// Moves a client area so its frame fits the screen, preferring the top-left corner when it
// cannot fit at all.
eRect keepOnScreen(ePoint client, const eSize& size) {
  const int minX = kFrameBorder;
  const int minY = kFrameBorder + kTitleBarHeight;
  const int maxX = kScreenWidth - kFrameBorder - size.width;
  const int maxY = kScreenHeight - kFrameBorder - size.height;
  client.x = std::max(minX, std::min(client.x, maxX));
  client.y = std::max(minY, std::min(client.y, maxY));
  return eRect(client, size);
}
}  // namespace

bool parseClientPosition(const std::string& text, ePoint* position) {
  int x = 0;
  int y = 0;
  char tail = 0;
  if (std::sscanf(text.c_str(), "%d:%d%c", &x, &y, &tail) != 2)
    return false;
  *position = ePoint(x, y);
  return true;
}

eRect placeClientArea(const ePoint& windowPosition, const std::string& cposition,
                      const eSize& clientSize) {
  ePoint client(windowPosition.x + kFrameBorder, windowPosition.y + kFrameBorder + kTitleBarHeight);
  parseClientPosition(cposition, &client);
  return keepOnScreen(client, clientSize);
}

eRect centreClientArea(const eRect& over, const eSize& clientSize) {
  // Centre the whole frame, title bar included, not only the client area.
  const int frameHeight = clientSize.height + kTitleBarHeight + 2 * kFrameBorder;
  const ePoint client(
      over.left() + (over.width() - clientSize.width) / 2,
      over.top() + (over.height() - frameHeight) / 2 + kFrameBorder + kTitleBarHeight);
  return keepOnScreen(client, clientSize);
}
