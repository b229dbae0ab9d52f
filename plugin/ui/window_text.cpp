#include "window_text.h"

#include "system_text.h"

std::string ReadWindowText(HWND window) {
  const int units = GetWindowTextLengthW(window);
  if (units <= 0) return std::string();
  std::wstring text(static_cast<std::size_t>(units) + 1, L'\0');
  const int read = GetWindowTextW(window, &text[0], units + 1);
  return PluginText(text.c_str(), read);
}

std::string ReadItemText(HWND dialog, int id) {
  return ReadWindowText(GetDlgItem(dialog, id));
}

void WriteWindowText(HWND window, const char* text) {
  SetWindowTextW(window, SystemText(text).c_str());
}

void WriteItemText(HWND dialog, int id, const char* text) {
  SetDlgItemTextW(dialog, id, SystemText(text).c_str());
}

int ShowMessage(HWND owner, const char* text, const char* caption, UINT type) {
  return MessageBoxW(owner, SystemText(text).c_str(), SystemText(caption).c_str(), type);
}

void ReplaceSelection(HWND edit, const char* text) {
  const std::wstring wide = SystemText(text);
  SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(wide.c_str()));
}

std::size_t TextOffset(const std::string& text, std::size_t units) {
  const std::wstring wide = SystemText(text);
  if (units >= wide.size()) return text.size();
  // A unit between the halves of a surrogate pair belongs to the character that begins before it.
  if (units > 0 && wide[units] >= 0xDC00 && wide[units] <= 0xDFFF) --units;
  return PluginText(wide.c_str(), static_cast<int>(units)).size();
}

std::size_t TextUnits(const std::string& text, std::size_t bytes) {
  return SystemText(text.substr(0, bytes)).size();
}

INT_PTR RunDialog(HINSTANCE module, int resourceId, HWND owner, DLGPROC procedure, LPARAM parameter) {
  return DialogBoxParamW(module, MAKEINTRESOURCEW(resourceId), owner, procedure, parameter);
}
