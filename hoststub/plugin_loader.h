// Loads the plug-in module and sends it host messages over a FakeHost, as the host would.
#pragma once

#include <windows.h>

#include "fake_host.h"

class LoadedPlugin {
 public:
  explicit LoadedPlugin(const char* path);  // LoadLibraryA; see Loaded()
  ~LoadedPlugin();                          // unloads (the module's final checks run then)
  LoadedPlugin(const LoadedPlugin&) = delete;
  LoadedPlugin& operator=(const LoadedPlugin&) = delete;

  bool Loaded() const { return entry_ != nullptr; }
  HMODULE Module() const { return module_; }

  // Any caller and selector, with params as the message's action parameters (may be null).
  SPErr Send(stub::FakeHost& host, const char* caller, const char* selector, PIActionParameters* params);
  SPErr About(stub::FakeHost& host) { return Send(host, "SP Interface", "About", nullptr); }
  // "Do It"; params->descriptor is where the plug-in leaves the step it records.
  SPErr DoIt(stub::FakeHost& host, PIActionParameters* params) {
    return Send(host, "PS Photoshop", "Do It", params);
  }

  void Unload();

 private:
  HMODULE module_ = nullptr;
  SPPluginEntry entry_ = nullptr;
};
