#include "library_commands.h"

#include <string>

#include "editor_dialog.h"
#include "editor_dialog_res.h"
#include "keyword_append.h"
#include "keyword_library.h"
#include "list_menu.h"
#include "name_prompt.h"
#include "popup_menu.h"

namespace {

constexpr const char kLastTemplate[] = "Last";

bool Confirm(HWND dialog, const std::string& question, const char* caption) {
  return MessageBoxA(dialog, question.c_str(), caption, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

// The plain entry (a template or group) behind a menu item; nullptr for an index outside the
// menu list or for a folder marker, which no item of these menus stands for.
const std::string* ChosenName(const CommandRoute& route, int id) {
  const std::string* entry = ChosenEntry(Editor().menuList, route.first, id);
  return entry && !IsMenuHeader(*entry) ? entry : nullptr;
}

// The folder name (marker removed) behind a folder item; empty when the item is not a folder.
std::string ChosenFolder(const CommandRoute& route, int id) {
  const std::string* entry = ChosenEntry(Editor().menuList, route.first, id);
  return entry && IsMenuHeader(*entry) ? entry->substr(1) : std::string();
}

void OpenNamePrompt(int purpose) {
  Editor().promptPurpose = purpose;
  ShowNamePrompt();
}

}  // namespace

void OnLoadTemplateMenu(HWND dialog, const CommandRoute&, int, int) {
  TextList& list = Editor().menuList;
  list.clear();
  list.push_back(kLastTemplate);
  ModuleKeywordLibrary().ListTemplates(list);
  ShowMenuAtControl(kLoadTemplateMenuKind, list, dialog, IDC_LOAD_TEMPLATE, "");
}

void OnSaveTemplate(HWND, const CommandRoute&, int, int) {
  OpenNamePrompt(kSaveTemplatePurpose);
}

void OnDeleteTemplateMenu(HWND dialog, const CommandRoute&, int, int) {
  TextList& list = Editor().menuList;
  list.clear();
  ModuleKeywordLibrary().ListTemplates(list);
  ShowMenuAtControl(kDeleteTemplateMenuKind, list, dialog, IDC_DELETE_TEMPLATE, "");
}

void OnLoadTemplate(HWND dialog, const CommandRoute& route, int id, int) {
  const std::string* name = ChosenName(route, id);
  if (!name) return;
  // Fields the template does not hold stay empty.
  FileInfoRecord& copy = DialogWorkingCopy();
  ClearFileInfo(copy);
  ModuleKeywordLibrary().LoadTemplate(name->c_str(), copy);
  ShowFields(dialog);
  UpdateCount(dialog);
}

void OnDeleteTemplate(HWND dialog, const CommandRoute& route, int id, int) {
  const std::string* name = ChosenName(route, id);
  if (!name) return;
  if (Confirm(dialog, "Are you sure you want to delete " + *name + " template?", "Confirm Template Delete")) {
    ModuleKeywordLibrary().DeleteEntryFile("", name->c_str(), kTemplateEntry);
  }
}

void OnAddGroup(HWND dialog, const CommandRoute& route, int id, int) {
  const std::string* group = ChosenName(route, id);
  if (!group) return;
  const std::string folder = FolderOfEntry(Editor().menuList, static_cast<std::size_t>(id - route.first));
  char groupText[kKeywordTextSize] = {};
  // A group whose file cannot be read adds nothing, not even the separator.
  if (!ModuleKeywordLibrary().LoadGroup(folder.c_str(), group->c_str(), groupText, sizeof groupText)) return;
  FileInfoRecord& copy = DialogWorkingCopy();
  if (!ReadKeywordBox(dialog, copy.keywords, sizeof copy.keywords)) {
    MessageBeep(MB_ICONWARNING);  // more than the field holds: nothing is written back cut
    return;
  }
  // Keywords that would pass the keyword text's capacity are left out whole.
  AppendGroupKeywords(copy.keywords, sizeof copy.keywords, groupText);
  SetDlgItemTextA(dialog, IDC_KEYWORDS, copy.keywords);
  UpdateCount(dialog);
  SendDlgItemMessageA(dialog, IDC_KEYWORDS, EM_SETSEL, 0, -1);
}

void OnSaveGroup(HWND, const CommandRoute& route, int id, int) {
  const std::string folder = ChosenFolder(route, id);
  if (folder.empty()) return;
  Editor().targetFolder = folder;
  OpenNamePrompt(kSaveGroupPurpose);
}

void OnSaveGroupInDefaultFolder(HWND, const CommandRoute&, int, int) {
  Editor().targetFolder = kDefaultFolder;
  OpenNamePrompt(kSaveGroupPurpose);
}

void OnDeleteGroup(HWND dialog, const CommandRoute& route, int id, int) {
  const std::string* group = ChosenName(route, id);
  if (!group) return;
  const std::string folder = FolderOfEntry(Editor().menuList, static_cast<std::size_t>(id - route.first));
  if (Confirm(dialog, "Are you sure you want to delete " + *group + " group?", "Confirm Group Delete")) {
    ModuleKeywordLibrary().DeleteEntryFile(folder.c_str(), group->c_str(), kGroupEntry);
  }
}

void OnCreateFolder(HWND, const CommandRoute&, int, int) {
  OpenNamePrompt(kCreateFolderPurpose);
}

void OnDeleteFolder(HWND dialog, const CommandRoute& route, int id, int) {
  const std::string folder = ChosenFolder(route, id);
  if (folder.empty()) return;
  if (!Confirm(dialog, "Are you sure you want to delete " + folder + " Folder?", "Confirm Folder Delete"))
    return;
  if (!ModuleKeywordLibrary().RemoveFolder(folder.c_str(), kGroupEntry)) {
    MessageBoxA(nullptr, "Failed to Delete folder\nCan't delete non empty folders.", "Delete Error",
                MB_OK | MB_ICONWARNING);
  }
}

void OnRecentMenu(HWND dialog, const CommandRoute&, int id, int) {
  const int kind = kRecentMenuKind + 1000 * (id - IDC_RECENT_TITLE);
  TextList& list = Editor().recentList;
  ModuleKeywordLibrary().GetRecentValues(kind, list);
  ShowMenuAtControl(kind, list, dialog, id, "");
}

void OnRecentValue(HWND dialog, const CommandRoute& route, int id, int) {
  // The "..." buttons and recent-value menus go by the lines of Recent.dat.
  const int line = (route.first - kRecentMenuKind) / 1000;
  const std::string* value = ChosenEntry(Editor().recentList, route.first, id);
  const int control = FieldControl(FieldOfRecentLine(line));
  if (!value || control == 0) return;
  SetDlgItemTextA(dialog, control, value->c_str());
}

void OnNameEntered(const char* name) {
  if (!name) name = "";
  ReadFields();
  const FileInfoRecord& copy = DialogWorkingCopy();
  const KeywordLibrary& library = ModuleKeywordLibrary();
  switch (Editor().promptPurpose) {
    case kSaveTemplatePurpose:
      library.SaveTemplate(name, copy.keywords, copy.title, copy.photographer, copy.description,
                           copy.copyright, copy.url);
      break;
    case kSaveGroupPurpose:
      library.SaveGroup(Editor().targetFolder.c_str(), name, copy.keywords);
      break;
    case kCreateFolderPurpose:
      library.CreateFolder(name, kGroupFolder);
      break;
    default:
      break;
  }
}

void LoadRecentValues() {
  ModuleKeywordLibrary().LoadRecent();
}

void SaveRecentValues() {
  const FileInfoRecord& copy = DialogWorkingCopy();
  ModuleKeywordLibrary().SaveRecent(copy.keywords, copy.title, copy.photographer, copy.description,
                                    copy.copyright, copy.url);
}

void SaveLastTemplate(const FileInfoRecord& record) {
  ModuleKeywordLibrary().SaveTemplate(kLastTemplate, record.keywords, record.title, record.photographer,
                                      record.description, record.copyright, record.url);
}
