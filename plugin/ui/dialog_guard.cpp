#include "dialog_guard.h"

#include <exception>

namespace {

// The first exception caught in a procedure since the last rethrow; later ones are consequences.
std::exception_ptr g_dialogException;

}  // namespace

void KeepDialogException(HWND dialog) {
  if (!g_dialogException) g_dialogException = std::current_exception();
  EndDialog(dialog, -1);
}

void RethrowDialogException() {
  if (!g_dialogException) return;
  std::exception_ptr kept = g_dialogException;
  g_dialogException = nullptr;
  std::rethrow_exception(kept);
}
