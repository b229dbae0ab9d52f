// Small modal dialogs run from a resource of the plug-in module: the about box and the name prompt.
#pragma once

#include <windows.h>

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

// Ends dialog with result 0 on a left click on its surface and on Escape or Enter typed to the
// dialog itself: how the about box and the name prompt close.
void EndOnClickOrKey(HWND dialog, UINT message, WPARAM wParam);

// The PIDialog behind a dialog run by Modal, or nullptr before WM_INITDIALOG.
PIDialog* DialogObject(HWND dialog);

// WM_INITDIALOG of a dialog run by Modal: centres it, keeps the object passed as lParam with the
// window, attaches the window and calls Init. Returns the object (nullptr when none was passed).
PIDialog* StartDialogObject(HWND dialog, LPARAM lParam);

// What a procedure of a dialog run by Modal does with the messages it leaves: WM_DESTROY forgets
// the object, the rest go to its Message. Returns FALSE (not handled) for both.
INT_PTR PassToDialogObject(HWND dialog, PIDialog* object, UINT message, WPARAM wParam, LPARAM lParam);

// The procedures Modal runs: the generic one (about_box.cpp) and the name prompt's (name_prompt.cpp).
INT_PTR CALLBACK GenericProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK GenericSaveProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
