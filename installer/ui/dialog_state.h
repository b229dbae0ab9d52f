// How the installer's dialogs keep their state: a plain struct made by the function that runs the
// dialog, handed over as the lParam of the dialog's creation and kept with its window. The dialog
// procedure keeps it on WM_INITDIALOG and reads it back for every later message; messages before
// that (WM_SETFONT) find none.
#pragma once

#include <windows.h>

template <class T>
T* KeepDialogState(HWND window, LPARAM state) {
  SetWindowLongPtrW(window, DWLP_USER, state);
  return reinterpret_cast<T*>(state);
}

template <class T>
T* DialogState(HWND window) {
  return reinterpret_cast<T*>(GetWindowLongPtrW(window, DWLP_USER));
}
