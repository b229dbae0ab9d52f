// A modal dialog bound to a template, with a map from window messages to member handlers.
#pragma once

#include <windows.h>

#include <functional>
#include <map>

class DialogBase {
 public:
  using Handler = std::function<INT_PTR(WPARAM, LPARAM)>;

  // Becomes the process's current dialog: its procedure serves the next dialog window.
  DialogBase(int templateId, HWND parent);
  virtual ~DialogBase();
  DialogBase(const DialogBase&) = delete;
  DialogBase& operator=(const DialogBase&) = delete;

  INT_PTR DoModal(HINSTANCE instance);
  HWND Window() const { return window_; }

 protected:
  void Map(UINT message, Handler handler) { handlers_[message] = std::move(handler); }
  void End(INT_PTR code) { EndDialog(window_, code); }
  HWND Parent() const { return parent_; }

 private:
  static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  int templateId_;
  HWND parent_;
  HWND window_ = nullptr;
  std::map<UINT, Handler> handlers_;
};
