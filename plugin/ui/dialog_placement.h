// Where a dialog opens: centred horizontally over its reference area, a third of the way down,
// kept on the screen. Platform-neutral arithmetic; CenterDialog (dialog_placement_win32.h) feeds it the real
// window, reference area and screen.
#pragma once

struct PlacementRect {
  int left;
  int top;
  int right;
  int bottom;
};

struct PlacementPoint {
  int x;
  int y;
};

// reference: the owner's client area (or the desktop's) in screen coordinates; width and height:
// the dialog's outer size; captionButtonWidth: the system's caption button width, which the
// dialog is shifted left by (two thirds of it when the dialog has no system menu).
PlacementPoint CenterPosition(const PlacementRect& reference, int width, int height, int captionButtonWidth,
                              bool hasSystemMenu, int screenWidth, int screenHeight);
