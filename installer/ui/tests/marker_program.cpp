// A program for the installer's end-to-end test: writes its command line into the marker file
// "ran.marker" in the folder named by QUENROW_TEST_MARKERS.
#include <windows.h>

#include <fstream>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  char folder[MAX_PATH];
  const DWORD length = GetEnvironmentVariableA("QUENROW_TEST_MARKERS", folder, sizeof folder);
  if (length > 0 && length < sizeof folder)
    std::ofstream(std::string(folder) + "\\ran.marker") << commandLine;
  return 0;
}
