// How every dialog of the plug-in keeps its state: a plain struct, made by the function that runs
// the dialog and handed to it as the creation parameter. The dialog's one procedure keeps the
// pointer with the window on WM_INITDIALOG and reads it back for every later message; a message
// that comes before WM_INITDIALOG (WM_SETFONT) finds nullptr.
#pragma once

#include <windows.h>

template <class T>
T* KeepDialogState(HWND dialog, LPARAM state) {
  SetWindowLongPtrW(dialog, DWLP_USER, state);
  return reinterpret_cast<T*>(state);
}

template <class T>
T* DialogState(HWND dialog) {
  return reinterpret_cast<T*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

// Ends dialog with result 0 on a left click on its surface and on Escape or Enter typed to the
// dialog itself: how the about box and the name prompt close.
inline void EndOnClickOrKey(HWND dialog, UINT message, WPARAM wParam) {
  const bool closingKey = message == WM_CHAR && (wParam == VK_ESCAPE || wParam == VK_RETURN);
  if (message == WM_LBUTTONDOWN || closingKey) EndDialog(dialog, 0);
}
