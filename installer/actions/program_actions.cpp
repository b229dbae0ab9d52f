#include "program_actions.h"

#include "install_log.h"
#include "last_error.h"
#include "system_text.h"

#include <windows.h>
#include <shellapi.h>

namespace {

class Handle {
 public:
  explicit Handle(SC_HANDLE handle) : handle_(handle) {}
  ~Handle() {
    if (handle_) {
      LastErrorKeeper keep;
      CloseServiceHandle(handle_);
    }
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  SC_HANDLE get() const { return handle_; }

 private:
  SC_HANDLE handle_;
};

SC_HANDLE OpenManager() {
  return OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
}

template <typename Work>
bool WithService(const std::string& name, Work work) {
  Handle manager(OpenManager());
  if (!manager.get()) return false;
  Handle service(OpenServiceW(manager.get(), WideText(name).c_str(), SERVICE_ALL_ACCESS));
  return service.get() && work(service.get());
}

typedef HRESULT(STDAPICALLTYPE* RegistrationExport)();

// Loads the library and calls the export; false with the reason as last error when it could not.
bool CallExport(const std::string& path, const char* exportName) {
  HMODULE library = LoadLibraryW(WideText(path).c_str());
  if (!library) return false;
  auto call =
      reinterpret_cast<RegistrationExport>(reinterpret_cast<void*>(GetProcAddress(library, exportName)));
  HRESULT result = E_FAIL;
  if (call) result = call();
  const DWORD error = call ? static_cast<DWORD>(result) : GetLastError();
  FreeLibrary(library);
  if (call && SUCCEEDED(result)) return true;
  SetLastError(error);
  return false;
}

}  // namespace

bool ServiceControl::Create(const std::string& program, const std::string& name,
                            const std::string& displayName, unsigned long startType) {
  Handle manager(OpenManager());
  if (!manager.get()) return false;
  Handle service(CreateServiceW(manager.get(), WideText(name).c_str(), WideText(displayName).c_str(),
                                SERVICE_ALL_ACCESS, SERVICE_WIN32_OWN_PROCESS, startType,
                                SERVICE_ERROR_NORMAL, WideText(program).c_str(), nullptr, nullptr, nullptr,
                                nullptr, nullptr));
  return service.get() != nullptr;
}

bool ServiceControl::Start(const std::string& name) {
  return WithService(name, [](SC_HANDLE service) { return StartServiceW(service, 0, nullptr) != FALSE; });
}

bool ServiceControl::Stop(const std::string& name) {
  return WithService(name, [](SC_HANDLE service) {
    SERVICE_STATUS status;
    return ControlService(service, SERVICE_CONTROL_STOP, &status) != FALSE;
  });
}

bool ServiceControl::Delete(const std::string& name) {
  return WithService(name, [](SC_HANDLE service) { return DeleteService(service) != FALSE; });
}

int DllRegisterServerAction(InstallScript& script, const ActionFields& fields) {
  const std::string path = fields[0];
  script.ShowStatus("Register object", path.c_str());
  const bool registered = CallExport(path, "DllRegisterServer");
  Log("Dll Register Server: %s", path.c_str());
  return registered ? 1 : 0;
}

int DllUnRegisterServerAction(InstallScript& script, const ActionFields& fields) {
  const std::string path = fields[0];
  script.ShowStatus("Unregister object", path.c_str());
  CallExport(path, "DllUnregisterServer");
  Log("Dll Unregister Server: %s", path.c_str());
  return 1;
}

int RunExeFileAction(InstallScript& script, const ActionFields& fields) {
  const std::string file = fields[0];
  const std::string parameters = fields[1];
  script.ShowStatus("Run Exe File", file.c_str());
  const INT_PTR result = reinterpret_cast<INT_PTR>(ShellExecuteW(
      nullptr, L"open", WideText(file).c_str(), WideText(parameters).c_str(), nullptr, SW_SHOWNORMAL));
  if (result > 32) {
    Log("RunExeFile: %s %s", file.c_str(), parameters.c_str());
    return 1;
  }
  Log("RunExeFile Failed: %s %s error:%i", file.c_str(), parameters.c_str(), static_cast<int>(result));
  return 0;
}

int RegisterServerAction(InstallScript& script, const ActionFields& fields) {
  const std::string program = fields[0];
  const std::string display = fields[2];
  const DWORD startType = fields[3] == "Auto" ? SERVICE_AUTO_START : SERVICE_DEMAND_START;
  Log("RegisterServer: %s (%s)", program.c_str(), display.c_str());
  script.ShowStatus("Register Service", display.c_str());
  return ServiceControl::Create(program, fields[1], display, startType) ? 1 : 0;
}

int StartServerAction(InstallScript& script, const ActionFields& fields) {
  const std::string name = fields[0];
  script.ShowStatus("Start Service", name.c_str());
  return ServiceControl::Start(name) ? 1 : 0;
}

int UnRegisterServerAction(InstallScript& script, const ActionFields& fields) {
  const std::string name = fields[0];
  Log("UnRegisterServer: %s", name.c_str());
  script.ShowStatus("Unregister Service", name.c_str());
  ServiceControl::Stop(name);
  Sleep(5000);  // time for the service to stop
  return ServiceControl::Delete(name) ? 1 : 0;
}
