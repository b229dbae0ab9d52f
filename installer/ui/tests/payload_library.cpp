// A self-registering library for the installer's end-to-end test: each export leaves a marker
// file in the folder named by the environment variable QUENROW_TEST_MARKERS.
#include <windows.h>

#include <fstream>
#include <string>

namespace {
void Mark(const char* name) {
  char folder[MAX_PATH];
  const DWORD length = GetEnvironmentVariableA("QUENROW_TEST_MARKERS", folder, sizeof folder);
  if (length > 0 && length < sizeof folder) std::ofstream(std::string(folder) + "\\" + name) << name;
}
}  // namespace

extern "C" __declspec(dllexport) HRESULT __stdcall DllRegisterServer() {
  Mark("registered.marker");
  return S_OK;
}

extern "C" __declspec(dllexport) HRESULT __stdcall DllUnregisterServer() {
  Mark("unregistered.marker");
  return S_OK;
}
