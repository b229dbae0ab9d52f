#include "editor_steps.h"

#include <utility>

HWND EditorWindow() {
  return FindVisibleWindow(nullptr, kEditorCaption);
}

HWND KeywordBox() {
  HWND editor = EditorWindow();
  return editor ? GetDlgItem(editor, IDC_KEYWORDS) : nullptr;
}

DialogStep OnEditor(std::function<void(HWND)> action) {
  return OnWindow(kEditorCaption, std::move(action));
}

DialogStep Click(int id) {
  return ClickButton(kEditorCaption, id);
}

DialogStep SetText(int id, std::string text) {
  return OnEditor([id, text](HWND dialog) { SetDlgItemTextA(dialog, id, text.c_str()); });
}

DialogStep Command(int id) {
  return OnEditor([id](HWND editor) { SendMessageA(editor, WM_COMMAND, MAKEWPARAM(id, 0), 0); });
}

DialogStep Choose(std::vector<std::string> path, std::function<void()> missing) {
  return ChooseMenuItem([path](HMENU menu) { return MenuItemId(menu, path); }, EditorWindow,
                        std::move(missing));
}

DialogStep ChooseAnywhere(std::string text, std::function<void()> missing) {
  return ChooseMenuItem([text](HMENU menu) { return AnyMenuItemId(menu, text); }, EditorWindow,
                        std::move(missing));
}
