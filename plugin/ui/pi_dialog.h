// Small modal dialogs run from a resource of the plug-in module (the about box, later the name
// prompt), and the placement rule every dialog of the plug-in applies when it opens.
#pragma once

#include <windows.h>

#include "version.h"

// The module holding the dialog resources: the one this code is linked into, so the dialogs work
// both from the plug-in and from a program that links this library.
HINSTANCE PluginModule();

// Moves window to the centre of its owner's client area (the desktop's when it has none), a third
// of the way down, keeping it on the screen; size and z-order are kept.
void CenterDialog(HWND window);

// A dialog object driven by GenericProc (or GenericSaveProc for the name prompt, resource 121).
class PIDialog {
 public:
  virtual ~PIDialog() = default;
  // Called once the dialog window exists.
  virtual void Init() {}
  // Called with the command id of every WM_COMMAND.
  virtual void Notify(int id) { (void)id; }
  // Called with every message the dialog procedure does not handle itself.
  virtual void Message(UINT message, WPARAM wParam, LPARAM lParam) {
    (void)message, (void)wParam, (void)lParam;
  }
  // Runs the dialog modally, owned by the active window; name is only a label. Returns the
  // dialog's result (-1 when the dialog cannot be created).
  virtual INT_PTR Modal(HINSTANCE module, const char* name, int resourceId);

  HWND Window() const { return window_; }
  void AttachWindow(HWND window) { window_ = window; }

 protected:
  int resourceId_ = 0;
  HINSTANCE module_ = nullptr;
  HWND window_ = nullptr;
};

// Exceptions never pass through the system's code between a dialog or control procedure and the
// DialogBoxParam that runs the dialog: they cannot unwind through it (in the 32-bit module the
// host would be ended), and the dialog would stay open with its owner disabled. Every procedure
// runs its work through GuardDialogWork, which on an exception keeps it and ends the dialog;
// whoever ran the dialog calls RethrowDialogException once DialogBoxParam has returned, so the
// exception goes on from there (to the entry point, which ends the run).
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

// Ends dialog with result 0 on a left click on its surface and on Escape or Enter typed to the
// dialog itself: how the about box and the name prompt close.
void EndOnClickOrKey(HWND dialog, UINT message, WPARAM wParam);

// Closes on a click on its surface and on Escape or Enter typed to the dialog itself.
class PIAboutBox : public PIDialog {
 public:
  void Message(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// The PIDialog behind a dialog run by Modal, or nullptr before WM_INITDIALOG.
PIDialog* DialogObject(HWND dialog);

// WM_INITDIALOG of a dialog run by Modal: centres it, keeps the object passed as lParam with the
// window, attaches the window and calls Init. Returns the object (nullptr when none was passed).
PIDialog* StartDialogObject(HWND dialog, LPARAM lParam);

// Version shown in the about box: the product's version, as the module's version resource has it.
constexpr const char kPluginVersion[] = TAVIMOR_VERSION;

// Runs the about box (resource 18502) through a PIAboutBox.
void ShowAboutBox();

INT_PTR CALLBACK GenericProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// The name prompt's procedure (name_prompt.cpp).
INT_PTR CALLBACK GenericSaveProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
