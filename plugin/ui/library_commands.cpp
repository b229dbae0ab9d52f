#include "library_commands.h"

#include <string>

#include "editor_dialog.h"
#include "editor_dialog_res.h"
#include "keyword_append.h"
#include "keyword_library.h"
#include "list_menu.h"
#include "name_prompt.h"
#include "field_controls.h"
#include "list_menu_win32.h"
#include "window_text.h"

namespace {

constexpr const char kLastTemplate[] = "Last";

bool Confirm(HWND dialog, const std::string& question, const char* caption) {
  return ShowMessage(dialog, question.c_str(), caption, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

// The group behind a menu item of the group list; nullptr for an index outside the menu list or
// for a folder header, which no item of these menus stands for.
const std::string* ChosenName(const EditorContext& editor, const EditorCommandCall& call) {
  const std::string* entry = ChosenEntry(editor.state.menuList, call.index);
  return entry && !IsMenuHeader(*entry) ? entry : nullptr;
}

// The folder name (marker removed) behind a folder item; empty when the item is not a folder.
std::string ChosenFolder(const EditorContext& editor, const EditorCommandCall& call) {
  const std::string* entry = ChosenEntry(editor.state.menuList, call.index);
  return entry && IsMenuHeader(*entry) ? ListHeaderName(*entry) : std::string();
}

void OpenNamePrompt(EditorContext& editor, int purpose) {
  editor.state.promptPurpose = purpose;
  ShowNamePrompt();
}

}  // namespace

void OnLoadTemplateMenu(EditorContext& editor, const EditorCommandCall&) {
  TextList& list = editor.state.menuList;
  list.clear();
  list.push_back(kLastTemplate);
  editor.library.ListTemplates(list);
  ShowMenuAtControl(kLoadTemplateMenuKind, list, editor.dialog, IDC_LOAD_TEMPLATE, "");
}

void OnSaveTemplate(EditorContext& editor, const EditorCommandCall&) {
  OpenNamePrompt(editor, kSaveTemplatePurpose);
}

void OnDeleteTemplateMenu(EditorContext& editor, const EditorCommandCall&) {
  TextList& list = editor.state.menuList;
  list.clear();
  editor.library.ListTemplates(list);
  ShowMenuAtControl(kDeleteTemplateMenuKind, list, editor.dialog, IDC_DELETE_TEMPLATE, "");
}

void OnLoadTemplate(EditorContext& editor, const EditorCommandCall& call) {
  const std::string* name = ChosenEntry(editor.state.menuList, call.index);
  if (!name) return;
  // Fields the template does not hold stay empty.
  ClearFileInfo(editor.fields);
  editor.library.LoadTemplate(name->c_str(), editor.fields);
  ShowFields(editor.dialog, editor.fields);
  UpdateCount(editor.dialog);
}

void OnDeleteTemplate(EditorContext& editor, const EditorCommandCall& call) {
  const std::string* name = ChosenEntry(editor.state.menuList, call.index);
  if (!name) return;
  if (Confirm(editor.dialog, "Are you sure you want to delete " + *name + " template?",
              "Confirm Template Delete")) {
    editor.library.DeleteEntryFile("", name->c_str(), kTemplateEntry);
  }
}

void OnAddGroup(EditorContext& editor, const EditorCommandCall& call) {
  const std::string* group = ChosenName(editor, call);
  if (!group) return;
  const std::string folder = FolderOfEntry(editor.state.menuList, call.index);
  char groupText[kKeywordTextSize] = {};
  // A group whose file cannot be read adds nothing, not even the separator.
  if (!editor.library.LoadGroup(folder.c_str(), group->c_str(), groupText, sizeof groupText)) return;
  HWND dialog = editor.dialog;
  FileInfoRecord& copy = editor.fields;
  if (!ReadKeywordBox(dialog, copy.keywords, sizeof copy.keywords)) {
    MessageBeep(MB_ICONWARNING);  // more than the field holds: nothing is written back cut
    return;
  }
  // Keywords that would pass the keyword text's capacity are left out whole.
  AppendGroupKeywords(copy.keywords, sizeof copy.keywords, groupText);
  WriteItemText(dialog, IDC_KEYWORDS, copy.keywords);
  UpdateCount(dialog);
  SendDlgItemMessageA(dialog, IDC_KEYWORDS, EM_SETSEL, 0, -1);
}

void OnSaveGroup(EditorContext& editor, const EditorCommandCall& call) {
  const std::string folder = ChosenFolder(editor, call);
  if (folder.empty()) return;
  editor.state.targetFolder = folder;
  OpenNamePrompt(editor, kSaveGroupPurpose);
}

void OnSaveGroupInDefaultFolder(EditorContext& editor, const EditorCommandCall&) {
  editor.state.targetFolder = kDefaultFolder;
  OpenNamePrompt(editor, kSaveGroupPurpose);
}

void OnDeleteGroup(EditorContext& editor, const EditorCommandCall& call) {
  const std::string* group = ChosenName(editor, call);
  if (!group) return;
  const std::string folder = FolderOfEntry(editor.state.menuList, call.index);
  if (Confirm(editor.dialog, "Are you sure you want to delete " + *group + " group?",
              "Confirm Group Delete")) {
    editor.library.DeleteEntryFile(folder.c_str(), group->c_str(), kGroupEntry);
  }
}

void OnCreateFolder(EditorContext& editor, const EditorCommandCall&) {
  OpenNamePrompt(editor, kCreateFolderPurpose);
}

void OnDeleteFolder(EditorContext& editor, const EditorCommandCall& call) {
  const std::string folder = ChosenFolder(editor, call);
  if (folder.empty()) return;
  if (!Confirm(editor.dialog, "Are you sure you want to delete " + folder + " Folder?",
               "Confirm Folder Delete"))
    return;
  if (!editor.library.RemoveFolder(folder.c_str(), kGroupEntry)) {
    ShowMessage(nullptr, "Failed to Delete folder\nCan't delete non empty folders.", "Delete Error",
                MB_OK | MB_ICONWARNING);
  }
}

void OnRecentMenu(EditorContext& editor, const EditorCommandCall& call) {
  const int field = FieldOfRecentButton(call.id);
  if (field < 0) return;
  const int kind = RecentItems(kFileInfoFields[field].recentLine).first;
  TextList& list = editor.state.recentList;
  editor.library.GetRecentValues(kind, list);
  ShowMenuAtControl(kind, list, editor.dialog, call.id, "");
}

void OnRecentValue(EditorContext& editor, const EditorCommandCall& call) {
  const int field = FieldOfRecentItem(call.id);
  if (field < 0) return;
  const std::string* value =
      ChosenEntry(editor.state.recentList,
                  static_cast<std::size_t>(call.id - RecentItems(kFileInfoFields[field].recentLine).first));
  if (!value) return;
  ShowField(editor.dialog, field, value->c_str());
}

void OnNameEntered(EditorContext& editor, const char* name) {
  if (!name) name = "";
  ReadFields(editor.dialog, editor.fields);
  const FileInfoRecord& copy = editor.fields;
  const KeywordLibrary& library = editor.library;
  switch (editor.state.promptPurpose) {
    case kSaveTemplatePurpose:
      library.SaveTemplate(name, copy);
      break;
    case kSaveGroupPurpose:
      library.SaveGroup(editor.state.targetFolder.c_str(), name, copy.keywords);
      break;
    case kCreateFolderPurpose:
      library.CreateFolder(name, kGroupFolder);
      break;
    default:
      break;
  }
}

void LoadRecentValues(EditorContext& editor) {
  editor.library.LoadRecent();
}

void SaveRecentValues(EditorContext& editor) {
  editor.library.SaveRecent(editor.fields);
}

void SaveLastTemplate(const KeywordLibrary& library, const FileInfoRecord& record) {
  library.SaveTemplate(kLastTemplate, record);
}
