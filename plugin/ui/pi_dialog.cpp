#include "pi_dialog.h"

#include <exception>

#include "about_box_res.h"
#include "dialog_placement.h"

namespace {

constexpr int kSaveBoxResource = 121;

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

PIDialog* DialogObject(HWND dialog) {
  return reinterpret_cast<PIDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

PIDialog* StartDialogObject(HWND dialog, LPARAM lParam) {
  CenterDialog(dialog);
  // The object lives in the caller of Modal for as long as the dialog runs.
  PIDialog* object = reinterpret_cast<PIDialog*>(lParam);
  SetWindowLongPtrA(dialog, DWLP_USER, lParam);
  if (object) {
    object->AttachWindow(dialog);
    object->Init();
  }
  return object;
}

HINSTANCE PluginModule() {
  HMODULE module = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCSTR>(&PluginModule), &module);
  return module;
}

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

INT_PTR PIDialog::Modal(HINSTANCE module, const char* name, int resourceId) {
  (void)name;
  resourceId_ = resourceId;
  module_ = module;
  DLGPROC procedure = resourceId == kSaveBoxResource ? GenericSaveProc : GenericProc;
  const INT_PTR result = DialogBoxParamA(module, MAKEINTRESOURCEA(resourceId), GetActiveWindow(), procedure,
                                         reinterpret_cast<LPARAM>(this));
  RethrowDialogException();
  return result;
}

void EndOnClickOrKey(HWND dialog, UINT message, WPARAM wParam) {
  const bool closingKey = message == WM_CHAR && (wParam == VK_ESCAPE || wParam == VK_RETURN);
  if (message == WM_LBUTTONDOWN || closingKey) EndDialog(dialog, 0);
}

void PIAboutBox::Message(UINT message, WPARAM wParam, LPARAM lParam) {
  (void)lParam;
  EndOnClickOrKey(window_, message, wParam);
}

void ShowAboutBox() {
  PIAboutBox box;
  box.Modal(PluginModule(), "Generic About Box", IDD_ABOUT);
}

namespace {

INT_PTR GenericMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  PIDialog* object = DialogObject(dialog);
  switch (message) {
    case WM_INITDIALOG:
      object = StartDialogObject(dialog, lParam);
      SetDlgItemTextA(dialog, IDC_VERSION, kPluginVersion);
      return TRUE;
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if (object) object->Notify(id);
      if ((id == IDOK || id == IDCANCEL) && HIWORD(wParam) == 0) EndDialog(dialog, id);
      return TRUE;
    }
    case WM_DESTROY:
      SetWindowLongPtrA(dialog, DWLP_USER, 0);
      return FALSE;
    default:
      if (object) object->Message(message, wParam, lParam);
      return FALSE;
  }
}

}  // namespace

INT_PTR CALLBACK GenericProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return GuardDialogWork(dialog, [&] { return GenericMessage(dialog, message, wParam, lParam); });
}
