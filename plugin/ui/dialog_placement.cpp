#include "dialog_placement.h"

#include <algorithm>

PlacementPoint CenterPosition(const PlacementRect& reference, int width, int height, int captionButtonWidth,
                              bool hasSystemMenu, int screenWidth, int screenHeight) {
  int shift = captionButtonWidth;
  if (!hasSystemMenu) shift -= captionButtonWidth / 3;
  const int referenceWidth = reference.right - reference.left;
  const int referenceHeight = reference.bottom - reference.top;

  PlacementPoint at;
  at.x = std::max(0, referenceWidth - width) / 2 + reference.left - shift;
  if (at.x + width > screenWidth) at.x = std::max(0, screenWidth - width);
  at.y = std::max(0, referenceHeight - height) / 3 + reference.top;
  if (at.y + height > screenHeight) at.y = std::max(0, screenHeight - height);
  return at;
}
