#include "dialog_placement_win32.h"

#include "dialog_placement.h"

void CenterDialog(HWND window) {
  HWND parent = GetParent(window);
  if (!parent) parent = GetDesktopWindow();
  RECT client;
  GetClientRect(parent, &client);
  POINT origin = {0, 0};
  ClientToScreen(parent, &origin);
  const PlacementRect reference = {origin.x, origin.y, origin.x + client.right, origin.y + client.bottom};

  RECT outer;
  GetWindowRect(window, &outer);
  const bool hasSystemMenu = (GetWindowLongA(window, GWL_STYLE) & WS_SYSMENU) != 0;
  const PlacementPoint at = CenterPosition(reference, outer.right - outer.left, outer.bottom - outer.top,
                                           GetSystemMetrics(SM_CXSIZE), hasSystemMenu,
                                           GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  SetWindowPos(window, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
