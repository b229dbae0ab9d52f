// Loads the plug-in module and sends it host messages over a FakeHost, as the host would.
#pragma once

#include <windows.h>

#include <string>

#include "fake_host.h"

class LoadedPlugin {
 public:
  // Reads the module's PiPL first and takes the entry point's name from the property of this
  // build's architecture ('wx86', '8664' or 'wa64'), as the host does; a module without it is refused
  // unloaded. Then LoadLibraryA and the named export. See Loaded() and Error().
  explicit LoadedPlugin(const char* path);
  ~LoadedPlugin();  // unloads (the module's final checks run then)
  LoadedPlugin(const LoadedPlugin&) = delete;
  LoadedPlugin& operator=(const LoadedPlugin&) = delete;

  bool Loaded() const { return entry_ != nullptr; }
  HMODULE Module() const { return module_; }
  // Why the module is not loaded, in one line; empty when it is.
  const std::string& Error() const { return error_; }

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
  std::string error_;
};

// The entry point's name from the PiPL resources of the module at path, for this build's
// architecture. False, with a one-line reason in error, when the module cannot be read or none of
// its PiPL resources names an entry point for this architecture.
bool ReadEntryName(const char* path, std::string& name, std::string& error);
