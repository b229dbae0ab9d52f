// Exceptions never pass through the system's code between a dialog or control procedure and the
// DialogBoxParam that runs the dialog: they cannot unwind through it (in the 32-bit module the
// host would be ended), and the dialog would stay open with its owner disabled. Every procedure
// runs its work through GuardDialogWork, which on an exception keeps it and ends the dialog;
// whoever ran the dialog calls RethrowDialogException once DialogBoxParam has returned, so the
// exception goes on from there (to the entry point, which ends the run).
#pragma once

#include <windows.h>

void KeepDialogException(HWND dialog);  // only inside a catch block
void RethrowDialogException();

template <typename Work>
auto GuardDialogWork(HWND dialog, Work work) noexcept -> decltype(work()) {
  try {
    return work();
  } catch (...) {
    KeepDialogException(dialog);
    return 0;
  }
}
