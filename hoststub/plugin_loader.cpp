#include "plugin_loader.h"

#include "pipl_reader.h"

namespace {

struct PiplSearch {
  std::string name;
  bool malformed = false;
};

// Every PiPL resource of the module, in turn, until one names the entry point.
BOOL CALLBACK ReadPipl(HMODULE module, LPCSTR type, LPSTR id, LONG_PTR param) {
  PiplSearch& search = *reinterpret_cast<PiplSearch*>(param);
  HRSRC found = FindResourceA(module, id, type);
  const void* data = found ? LockResource(LoadResource(module, found)) : nullptr;
  if (!data) return TRUE;
  switch (FindEntryName(static_cast<const unsigned char*>(data), SizeofResource(module, found),
                        kEntryPropertyKey, search.name)) {
    case PiplEntry::kFound:
      return FALSE;
    case PiplEntry::kMalformed:
      search.malformed = true;
      break;
    case PiplEntry::kMissing:
      break;
  }
  search.name.clear();
  return TRUE;
}

std::string LastError(const char* what, const char* path) {
  return std::string(what) + " " + path + " (error " + std::to_string(GetLastError()) + ")";
}

}  // namespace

bool ReadEntryName(const char* path, std::string& name, std::string& error) {
  // Resources only: nothing of the module runs before its PiPL has been read.
  HMODULE data = LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!data) {
    error = LastError("cannot read", path);
    return false;
  }
  PiplSearch search;
  EnumResourceNamesA(data, "PIPL", ReadPipl, reinterpret_cast<LONG_PTR>(&search));
  FreeLibrary(data);
  if (search.name.empty()) {
    error = std::string(path) + " is not a plug-in for this host: its PiPL " +
            (search.malformed ? "is damaged and " : "") + "names no entry point for this architecture ('" +
            stub::CodeText(kEntryPropertyKey) + "')";
    return false;
  }
  name = search.name;
  return true;
}

LoadedPlugin::LoadedPlugin(const char* path) {
  std::string name;
  if (!ReadEntryName(path, name, error_)) return;
  module_ = LoadLibraryA(path);
  if (!module_) {
    error_ = LastError("cannot load", path);
    return;
  }
  // Through void*: FARPROC is only a placeholder type for any exported function.
  entry_ = reinterpret_cast<SPPluginEntry>(reinterpret_cast<void*>(GetProcAddress(module_, name.c_str())));
  if (!entry_)
    error_ = std::string(path) + " does not export \"" + name + "\", the entry point its PiPL names";
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
