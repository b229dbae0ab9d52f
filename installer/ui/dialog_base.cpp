#include "dialog_base.h"

namespace {
DialogBase* g_current = nullptr;
}

DialogBase::DialogBase(int templateId, HWND parent) : templateId_(templateId), parent_(parent) {
  g_current = this;
}

DialogBase::~DialogBase() {
  if (g_current == this) g_current = nullptr;
}

INT_PTR DialogBase::DoModal(HINSTANCE instance) {
  g_current = this;
  return DialogBoxParamA(instance, MAKEINTRESOURCEA(templateId_), parent_, Procedure, 0);
}

INT_PTR CALLBACK DialogBase::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DialogBase* dialog = g_current;
  if (!dialog) return FALSE;
  if (!dialog->window_) dialog->window_ = window;
  auto handler = dialog->handlers_.find(message);
  if (handler == dialog->handlers_.end()) return FALSE;
  handler->second(wParam, lParam);
  return TRUE;
}
