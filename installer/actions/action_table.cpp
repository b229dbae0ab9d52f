#include "action_table.h"

#include "file_actions.h"
#include "program_actions.h"
#include "registry_actions.h"
#include "shortcut_actions.h"
#include "uninstall_record.h"

ActionTable InstallerActions() {
  // The fields each handler reads are described at its declaration.
  return {
      {"CopyFile", 5, CopyFileAction},
      {"DeleteFile", 2, DeleteFileAction},
      {"DllRegisterServer", 1, DllRegisterServerAction},
      {"DllUnRegisterServer", 1, DllUnRegisterServerAction},
      {"CreateDirectory", 1, CreateDirectoryAction},
      {"DeleteDirectory", 1, DeleteDirectoryAction},
      {"CreateRegistry", 1, CreateRegistryAction},
      {"DeleteRegistry", 2, DeleteRegistryAction},
      {"RunExeFile", 2, RunExeFileAction},
      {"CreateShortCut", 8, CreateShortCutAction},
      {"DeleteShortCut", 4, DeleteShortCutAction},
      {"DeleteMenuGroup", 1, DeleteMenuGroupAction},
      {"RegisterServer", 4, RegisterServerAction},
      {"UnRegisterServer", 1, UnRegisterServerAction},
      {"StartServer", 1, StartServerAction},
      {"AditionUninstallData", 0, AditionUninstallDataAction},
  };
}
