#include "action_table.h"

#include "file_actions.h"
#include "program_actions.h"
#include "registry_actions.h"
#include "shortcut_actions.h"
#include "uninstall_record.h"

ActionTable InstallerActions() {
  return {
      {"CopyFile", "source (relative to the start folder), destination folder, new name, overwrite",
       CopyFileAction},
      {"DeleteFile", "path", DeleteFileAction},
      {"DllRegisterServer", "library path", DllRegisterServerAction},
      {"DllUnRegisterServer", "library path", DllUnRegisterServerAction},
      {"CreateDirectory", "path", CreateDirectoryAction},
      {"DeleteDirectory", "path", DeleteDirectoryAction},
      {"CreateRegistry", "registry section header", CreateRegistryAction},
      {"DeleteRegistry", "not read, registry section header", DeleteRegistryAction},
      {"RunExeFile", "file, parameters", RunExeFileAction},
      {"CreateShortCut", "target, arguments, name, location, group, description, icon file, icon index",
       CreateShortCutAction},
      {"DeleteShortCut", "not read, name, location, group", DeleteShortCutAction},
      {"DeleteMenuGroup", "group", DeleteMenuGroupAction},
      {"RegisterServer", "program path, service name, display name, start type", RegisterServerAction},
      {"UnRegisterServer", "service name", UnRegisterServerAction},
      {"StartServer", "service name", StartServerAction},
      {"AditionUninstallData", "not read", AditionUninstallDataAction},
  };
}
