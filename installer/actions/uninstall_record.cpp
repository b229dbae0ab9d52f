#include "uninstall_record.h"

#include "registry_access.h"

namespace {
const char kRecordParent[] = "SOFTWARE\\Quenrow";
}

void WriteUninstallRecord(const std::string& name, const std::string& folder) {
  RegistryAccess::CreateKey(HKEY_LOCAL_MACHINE, kRecordParent, name);
  RegistryAccess::WriteString(HKEY_LOCAL_MACHINE, std::string(kRecordParent) + "\\" + name,
                              "InstallationFolder", folder);
}

bool ReadUninstallRecord(const std::string& name, std::string& folder) {
  return RegistryAccess::ReadString(HKEY_LOCAL_MACHINE, std::string(kRecordParent) + "\\" + name,
                                    "InstallationFolder", folder);
}

int AditionUninstallDataAction(InstallScript& script, const ActionFields&) {
  script.ReopenForAppend();
  return 1;
}
