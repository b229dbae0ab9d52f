// The tools menu's "Import Keyword List..." and "Export Keyword List..." (x64 and ARM64 builds):
// a keyword list file brought into the group library and the library written out as one
// (keyword_list_import.h), the file chosen in the system's standard open and save dialogs.
#pragma once

#include <string>

#include "editor_commands.h"

void OnImportKeywordList(EditorContext& editor, const EditorCommandCall& call);
void OnExportKeywordList(EditorContext& editor, const EditorCommandCall& call);

// Where an import names the lines it did not understand: the module hands over its error log.
// Unset, they are named only by their count in the closing message.
using KeywordListLog = void (*)(const char* line);
void SetKeywordListLog(KeywordListLog log);

// Where the commands get the file's path instead of the standard dialogs (tests and scripted
// runs): asked with whether it is for saving; false for a cancelled choice. Null (the default)
// shows the dialogs.
using KeywordListPathSource = bool (*)(bool saving, std::string& path);
void SetKeywordListPathSource(KeywordListPathSource source);
