#include "system_text.h"

#include <windows.h>

namespace {
const UINT kCodePage = kUtf8Text ? CP_UTF8 : CP_ACP;
}

std::wstring WideText(const std::string& text) {
  if (text.empty()) return std::wstring();
  const int size = static_cast<int>(text.size());
  std::wstring wide(
      static_cast<std::size_t>(MultiByteToWideChar(kCodePage, 0, text.data(), size, nullptr, 0)), L'\0');
  if (!wide.empty())
    MultiByteToWideChar(kCodePage, 0, text.data(), size, &wide[0], static_cast<int>(wide.size()));
  return wide;
}

std::string NarrowText(const std::wstring& text) {
  if (text.empty()) return std::string();
  const int size = static_cast<int>(text.size());
  std::string narrow(static_cast<std::size_t>(
                         WideCharToMultiByte(kCodePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr)),
                     '\0');
  if (!narrow.empty())
    WideCharToMultiByte(kCodePage, 0, text.data(), size, &narrow[0], static_cast<int>(narrow.size()), nullptr,
                        nullptr);
  return narrow;
}

std::string NarrowText(const wchar_t* text) {
  return text ? NarrowText(std::wstring(text)) : std::string();
}
