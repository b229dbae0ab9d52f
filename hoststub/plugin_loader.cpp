#include "plugin_loader.h"

LoadedPlugin::LoadedPlugin(const char* path) {
  module_ = LoadLibraryA(path);
  if (!module_) return;
  // Through void*: FARPROC is only a placeholder type for any exported function.
  entry_ =
      reinterpret_cast<SPPluginEntry>(reinterpret_cast<void*>(GetProcAddress(module_, "AutoPluginMain")));
}

LoadedPlugin::~LoadedPlugin() {
  Unload();
}

void LoadedPlugin::Unload() {
  if (module_) FreeLibrary(module_);
  module_ = nullptr;
  entry_ = nullptr;
}

SPErr LoadedPlugin::Send(stub::FakeHost& host, const char* caller, const char* selector,
                         PIActionParameters* params) {
  if (!entry_) return kSPBadParameterError;
  PSActionsPlugInMessage message{};
  message.d.SPCheck = kSPValidSPMessageData;
  message.d.self = host.Self();
  message.d.globals = nullptr;
  message.d.basic = host.Basic();
  message.actionParameters = params;
  return entry_(caller, selector, &message);
}
