#include "tools_commands.h"

#include "editor_dialog.h"
#include "editor_dialog_res.h"
#include "keyword_library.h"
#include "popup_menu.h"
#include "tools_menu.h"

void OnToolsButton(HWND dialog, const CommandRoute&, int, int) {
  TextList& list = Editor().menuList;
  list.clear();
  ModuleKeywordLibrary().ListGroups(list);
  ShowMenuAtControl(kToolsMenuKind, list, dialog, IDC_TOOLS, "");
}

void OnKeywordTool(HWND dialog, const CommandRoute&, int id, int) {
  char text[kKeywordTextSize];
  if (!ReadKeywordBox(dialog, text, sizeof text)) {
    MessageBeep(MB_ICONWARNING);  // more than the field holds: nothing is written back cut
    return;
  }
  switch (id) {
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
  SetDlgItemTextA(dialog, IDC_KEYWORDS, text);
}
