#include "keyword_list_commands.h"

#include <commdlg.h>

#include <vector>

#include "file_system.h"
#include "keyword_library.h"
#include "keyword_list_import.h"
#include "system_text.h"
#include "window_text.h"

namespace {

constexpr const char kImportCaption[] = "Import Keyword List";
constexpr const char kExportCaption[] = "Export Keyword List";

KeywordListLog gLog = nullptr;
KeywordListPathSource gPathSource = nullptr;

// The path the user chose in the standard dialog; false when it was cancelled.
bool ChoosePath(HWND owner, bool saving, std::string& path) {
  if (gPathSource != nullptr) return gPathSource(saving, path);
  std::vector<wchar_t> file(32768, L'\0');
  OPENFILENAMEW dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = L"Keyword lists (*.txt)\0*.txt\0All files (*.*)\0*.*\0";
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrDefExt = L"txt";
  dialog.lpstrTitle = saving ? L"Save Keyword List" : L"Open Keyword List";
  dialog.Flags = OFN_NOCHANGEDIR | OFN_HIDEREADONLY |
                 (saving ? OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST : OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST);
  if (!(saving ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog))) return false;
  bool lossless = true;
  path = PluginText(file.data(), -1, &lossless);
  return lossless;  // a path the plug-in's text cannot hold would name another file
}

}  // namespace

void SetKeywordListLog(KeywordListLog log) {
  gLog = log;
}

void SetKeywordListPathSource(KeywordListPathSource source) {
  gPathSource = source;
}

void OnImportKeywordList(EditorContext& editor, const EditorCommandCall&) {
  std::string path, text;
  if (!ChoosePath(editor.dialog, false, path)) return;
  if (!ReadTextFile(path, text)) {
    ShowMessage(editor.dialog, ("The keyword list could not be read:\n" + path).c_str(), kImportCaption,
                MB_OK | MB_ICONWARNING);
    return;
  }
  const ImportReport report = ImportKeywordList(editor.library, text);
  if (gLog != nullptr) {
    for (const KeywordListLine& line : report.notUnderstood)
      gLog(
          ("Keyword list " + path + ", line " + std::to_string(line.number) + " not understood: " + line.text)
              .c_str());
  }
  const bool whole = report.notWritten.empty();
  ShowMessage(editor.dialog, ImportMessage(report).c_str(), kImportCaption,
              MB_OK | (whole ? MB_ICONINFORMATION : MB_ICONWARNING));
}

void OnExportKeywordList(EditorContext& editor, const EditorCommandCall&) {
  std::string path;
  if (!ChoosePath(editor.dialog, true, path)) return;
  if (!ReplaceFileBytes(path, ExportKeywordList(editor.library))) {
    ShowMessage(editor.dialog, ("The keyword list could not be written:\n" + path).c_str(), kExportCaption,
                MB_OK | MB_ICONWARNING);
  }
}
