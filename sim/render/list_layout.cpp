#include "list_layout.h"

#include <algorithm>

int firstShownEntry(int count, int rows, int highlighted) {
  if (rows <= 0 || count <= rows || highlighted < rows)
    return 0;
  return std::min(highlighted - rows + 1, count - rows);
}

int openListTop(int boxTop, int boxBottom, int listHeight, int screenHeight) {
  if (boxBottom + listHeight <= screenHeight)
    return boxBottom;
  if (boxTop - listHeight >= 0)
    return boxTop - listHeight;
  return boxBottom;
}
