#include "tools_commands.h"

#include <iterator>

#include "editor_dialog.h"
#include "editor_dialog_res.h"
#include "list_menu_win32.h"
#include "plugin_text.h"
#include "tools_menu.h"
#include "user_language.h"
#include "window_text.h"
#include "word_menu_win32.h"

void OnToolsButton(EditorContext& editor, const EditorCommandCall&) {
  TextList& list = editor.state.menuList;
  list.clear();
  editor.library.ListGroups(list);
  std::vector<LanguageMenuItem> languages;
  for (const LanguageChoiceItem& language : editor.library.Languages())
    languages.push_back({language.name, language.chosen});
  ShowRowsAtControl(LayoutToolsMenu(list, editor.state.keywordLimit, languages), editor.dialog, IDC_TOOLS);
}

void OnLanguage(EditorContext& editor, const EditorCommandCall& call) {
  if (!editor.library.ToggleLanguage(static_cast<std::size_t>(call.id - kLanguageItems.first))) {
    MessageBeep(MB_ICONWARNING);  // the choice file could not be written: the choice stays
    return;
  }
  KeywordsTyped(editor);  // the box's words again, in the languages now chosen
}

void OnKeywordTool(EditorContext& editor, const EditorCommandCall& call) {
  char text[kKeywordTextSize];
  if (!ReadKeywordBox(editor.dialog, text, sizeof text)) {
    MessageBeep(MB_ICONWARNING);  // more than the field holds: nothing is written back cut
    return;
  }
  switch (call.id) {
    case kSortCommand:
      // The UTF-8 builds sort as the user's language does; the ANSI build by the bytes.
      if (!(kUtf8Text ? SortKeywordsInOrder(text, sizeof text, CompareInUserLanguage)
                      : SortKeywords(text, sizeof text)))
        return;
      break;
    case kDeleteDuplicatesCommand:
      if (!DeleteDuplicateKeywords(text, sizeof text)) return;
      break;
    case kDeleteDuplicatesIgnoringCaseCommand:
      if (!DeleteDuplicateKeywordsIgnoringCase(text, sizeof text)) return;
      break;
    case kUpperCaseCommand:
    case kLowerCaseCommand:
      if (!(call.id == kUpperCaseCommand ? UpperCaseKeywords(text, sizeof text, UserCaseRules())
                                         : LowerCaseKeywords(text, sizeof text, UserCaseRules()))) {
        MessageBeep(MB_ICONWARNING);  // the changed case would not fit the field: the box stays
        return;
      }
      break;
    default:
      return;
  }
  WriteItemText(editor.dialog, IDC_KEYWORDS, text);
}

void OnKeywordLimit(EditorContext& editor, const EditorCommandCall& call) {
  if (call.index >= std::size(kKeywordLimits)) return;
  editor.state.keywordLimit = kKeywordLimits[call.index];
  // The limit holds for this run even where it cannot be kept; the beep says it was not.
  if (!editor.library.SaveKeywordLimit(editor.state.keywordLimit)) MessageBeep(MB_ICONWARNING);
}
