#include "window_text.h"

#include "system_text.h"

std::string ReadWindowText(HWND window) {
  const int units = GetWindowTextLengthW(window);
  if (units <= 0) return std::string();
  std::wstring text(static_cast<std::size_t>(units) + 1, L'\0');
  const int read = GetWindowTextW(window, &text[0], units + 1);
  return PluginText(text.c_str(), read);
}

std::wstring ReadWindowUnits(HWND window) {
  const int units = GetWindowTextLengthW(window);
  if (units <= 0) return std::wstring();
  std::wstring text(static_cast<std::size_t>(units) + 1, L'\0');
  const int read = GetWindowTextW(window, &text[0], units + 1);
  text.resize(read > 0 ? static_cast<std::size_t>(read) : 0);
  return text;
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

namespace {

bool IsLeadUnit(wchar_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsTrailUnit(wchar_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Bytes that count units of text from first take in the plug-in's text.
std::size_t PluginBytes(const std::wstring& text, std::size_t first, std::size_t count) {
  return count == 0 ? 0 : PluginText(text.c_str() + first, static_cast<int>(count)).size();
}

}  // namespace

bool KeepEditWithin(HWND edit, std::wstring& accepted, std::size_t characters, std::size_t bytes) {
  static bool cutting = false;  // the cut's own notification
  if (cutting) return false;
  const std::wstring text = ReadWindowUnits(edit);
  const std::size_t textBytes = PluginBytes(text, 0, text.size());
  const bool grew = text.size() > accepted.size() || textBytes > PluginBytes(accepted, 0, accepted.size());
  if ((text.size() <= characters && textBytes <= bytes) || !grew) {
    accepted = text;
    return false;
  }
  // What the edit inserted lies between the longest beginning and end the two texts share; a
  // surrogate pair is never taken apart.
  const std::size_t shorter = text.size() < accepted.size() ? text.size() : accepted.size();
  std::size_t front = 0;
  while (front < shorter && text[front] == accepted[front]) ++front;
  std::size_t back = 0;
  while (back < shorter - front && text[text.size() - 1 - back] == accepted[accepted.size() - 1 - back])
    ++back;
  if (front > 0 && front < text.size() && IsTrailUnit(text[front])) --front;
  if (back > 0 && IsTrailUnit(text[text.size() - back])) --back;
  const std::size_t end = text.size() - back;

  std::size_t keptUnits = front + back;
  std::size_t keptBytes = PluginBytes(text, 0, front) + PluginBytes(text, end, back);
  std::size_t cut = front;
  while (cut < end) {
    const std::size_t step = cut + 1 < end && IsLeadUnit(text[cut]) && IsTrailUnit(text[cut + 1]) ? 2 : 1;
    const std::size_t more = PluginBytes(text, cut, step);
    if (keptUnits + step > characters || keptBytes + more > bytes) break;
    keptUnits += step;
    keptBytes += more;
    cut += step;
  }
  cutting = true;
  SendMessageW(edit, EM_SETSEL, cut, static_cast<LPARAM>(end));
  SendMessageW(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L""));
  cutting = false;
  accepted = text.substr(0, cut) + text.substr(end);
  MessageBeep(MB_ICONWARNING);
  return true;
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
