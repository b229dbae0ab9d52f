#include "run_flow.h"

#include <string>

#include "error_log.h"
#include "file_info_exchange.h"
#include "host_suites.h"
#include "recorded_parameters.h"

namespace {

bool Equal(SPBasicSuite* basic, const char* a, const char* b) {
  if (!a || !b) return false;
  return basic->IsEqual(a, b) != 0;
}

}  // namespace

int32 RunFlow(PIActionParameters* params, const PluginShell& shell) {
  FileInfoRecord record;  // the run's record, made empty for each run
  ClearFileInfo(record);
  int32 result = 0;
  FileInfoValues values;  // what is recorded and written, whole
  // Without action parameters the host has not said the dialog may be skipped: the user confirms
  // every value rather than having the document's fields replaced by empty ones.
  const bool interactive = !params || params->playInfo == kPlugInDialogDisplay;
  if (interactive) {
    FileInfoRecord& working = shell.workingCopy();
    FileInfoValues document;
    ReadKeywordText(record, &document);
    // The dialog shows the keywords read and, until the read below fills them, empty fields:
    // never the values of an earlier run on another document.
    CopyFileInfo(working, record);
    ReadFileInfoFields(record, working, &document);
    std::string shown[kFileInfoFieldCount];
    for (int field = 0; field < kFileInfoFieldCount; ++field) shown[field] = FieldText(working, field);
    result = shell.runEditor() ? 0 : kResultStop;
    if (result == 0) {
      CopyFileInfo(record, working);
      if (shell.saveLast) shell.saveLast(record);
      // A field the user left as it was shown goes back as the document held it: whole, however
      // long, and the keywords item by item. Only a changed field is taken from its box.
      values = ValuesOf(record);
      for (int field = 0; field < kFileInfoFieldCount; ++field) {
        if (shown[field] != FieldText(record, field)) continue;
        values.text[field].swap(document.text[field]);
        if (field == kKeywordsField) {
          values.keywords.swap(document.keywords);
          values.putKeywords = document.putKeywords;
        }
      }
    }
  } else {
    ReadRecordedParameters(params, record, &values);
  }
  if (result == 0) {
    AppendRunRecord(values);
    RecordParameters(params);
  }
  if (result != kResultStop) WriteFileInfo(values);
  return result;
}

SPErr HandlePluginMessage(const char* caller, const char* selector, void* message, const PluginShell& shell) {
  int32 result = 0;
  try {
    auto* pluginMessage = static_cast<PSActionsPlugInMessage*>(message);
    if (!pluginMessage) throw HostException{kResultParm};
    SetHostMessage(pluginMessage->d.basic, pluginMessage->d.self);
    SPBasicSuite* basic = pluginMessage->d.basic;
    if (!basic) throw HostException{kResultParm};
    if (Equal(basic, caller, kSPInterfaceCaller) && Equal(basic, selector, kSPAboutSelector))
      shell.showAbout();
    if (Equal(basic, caller, kPSPhotoshopCaller) && Equal(basic, selector, kPSDoIt)) {
      result = RunFlow(pluginMessage->actionParameters, shell);
    }
  } catch (...) {
    if (result == 0) result = kResultParm;
  }
  if (result != 0 && result != kResultStop) {
    AppendErrorLog(shell.logPath, result);
    return 0;
  }
  return result;
}
