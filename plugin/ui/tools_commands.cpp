#include "tools_commands.h"

#include "editor_dialog.h"
#include "editor_dialog_res.h"
#include "list_menu_win32.h"
#include "tools_menu.h"
#include "window_text.h"

void OnToolsButton(EditorContext& editor, const EditorCommandCall&) {
  TextList& list = editor.state.menuList;
  list.clear();
  editor.library.ListGroups(list);
  std::vector<LanguageMenuItem> languages;
  for (const LanguageChoiceItem& language : editor.library.Languages())
    languages.push_back({language.name, language.chosen});
  ShowRowsAtControl(LayoutToolsMenu(list, languages), editor.dialog, IDC_TOOLS);
}

void OnLanguage(EditorContext& editor, const EditorCommandCall& call) {
  if (!editor.library.ToggleLanguage(static_cast<std::size_t>(call.id - kLanguageItems.first)))
    MessageBeep(MB_ICONWARNING);  // the choice file could not be written: the choice stays
}

void OnKeywordTool(EditorContext& editor, const EditorCommandCall& call) {
  char text[kKeywordTextSize];
  if (!ReadKeywordBox(editor.dialog, text, sizeof text)) {
    MessageBeep(MB_ICONWARNING);  // more than the field holds: nothing is written back cut
    return;
  }
  switch (call.id) {
    case kSortCommand:
      if (!SortKeywords(text, sizeof text)) return;
      break;
    case kDeleteDuplicatesCommand:
      if (!DeleteDuplicateKeywords(text, sizeof text)) return;
      break;
    case kUpperCaseCommand:
      UpperCaseKeywords(text);
      break;
    case kLowerCaseCommand:
      LowerCaseKeywords(text);
      break;
    default:
      return;
  }
  WriteItemText(editor.dialog, IDC_KEYWORDS, text);
}
