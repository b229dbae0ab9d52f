#include <cstdio>
#include <vector>

#include "demo.h"

bool SaveScreenPicture(const RECT& area, const std::string& path, const std::vector<HWND>& own) {
  const int width = area.right - area.left, height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return false;
  BITMAPINFO info = {};
  BITMAPINFOHEADER& header = info.bmiHeader;
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;  // bottom-up rows, as a BMP file keeps them
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
  header.biSizeImage = stride * static_cast<DWORD>(height);

  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bool copied = false;
  if (bitmap && bits) {
    HGDIOBJ previous = SelectObject(memory, bitmap);
    copied = BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY | CAPTUREBLT) != FALSE;
    // What the screen shows of a window may lag behind its painting; the window's own DC has it
    // as painted, children included.
    for (HWND window : own) {
      RECT place;
      GetWindowRect(window, &place);
      HDC drawn = GetWindowDC(window);
      copied = BitBlt(memory, place.left - area.left, place.top - area.top, place.right - place.left,
                      place.bottom - place.top, drawn, 0, 0, SRCCOPY) != FALSE &&
               copied;
      ReleaseDC(window, drawn);
    }
    GdiFlush();
    SelectObject(memory, previous);
  }
  bool written = false;
  if (copied) {
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + header.biSizeImage;
    if (FILE* out = std::fopen(path.c_str(), "wb")) {
      written = std::fwrite(&file, sizeof file, 1, out) == 1 &&
                std::fwrite(&header, sizeof header, 1, out) == 1 &&
                std::fwrite(bits, header.biSizeImage, 1, out) == 1;
      written = std::fclose(out) == 0 && written;
    }
  }
  if (bitmap) DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return written;
}

bool SaveWindowPicture(HWND window, const std::string& path) {
  RedrawWindow(window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  RECT area;
  return GetWindowRect(window, &area) && SaveScreenPicture(area, path, {window});
}

namespace {

BOOL CALLBACK CollectMenu(HWND window, LPARAM found) {
  char kind[16] = "";
  GetClassNameA(window, kind, sizeof kind);
  if (std::string(kind) == "#32768" && IsWindowVisible(window))
    reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
  return TRUE;
}

}  // namespace

std::vector<HWND> VisibleMenus() {
  std::vector<HWND> menus;
  EnumWindows(CollectMenu, reinterpret_cast<LPARAM>(&menus));
  return menus;
}

bool SaveMenuPicture(const std::string& path) {
  const std::vector<HWND> menus = VisibleMenus();
  if (menus.empty()) return false;
  RECT all = {};
  for (HWND menu : menus) {
    RedrawWindow(menu, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    RECT area;
    GetWindowRect(menu, &area);
    UnionRect(&all, &all, &area);
  }
  return SaveScreenPicture(all, path, menus);
}
