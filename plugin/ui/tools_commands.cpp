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
  ShowMenuAtControl(kToolsMenuKind, list, editor.dialog, IDC_TOOLS, "");
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
