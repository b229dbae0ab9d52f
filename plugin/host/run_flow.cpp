#include "run_flow.h"

#include "error_log.h"
#include "file_info_exchange.h"
#include "host_suites.h"
#include "recorded_parameters.h"

namespace {

FileInfoRecord gRun;

bool Equal(SPBasicSuite* basic, const char* a, const char* b) {
  if (!a || !b) return false;
  return basic->IsEqual(a, b) != 0;
}

}  // namespace

FileInfoRecord& RunFileInfo() {
  return gRun;
}

int32 RunFlow(PIActionParameters* params, const PluginShell& shell) {
  ClearFileInfo(gRun);
  int32 result = 0;
  // Without action parameters the host has not said the dialog may be skipped: the user confirms
  // every value rather than having the document's fields replaced by empty ones.
  const bool interactive = !params || params->playInfo == kPlugInDialogDisplay;
  if (interactive) {
    FileInfoRecord& working = shell.workingCopy();
    ReadKeywordText(gRun);
    // The dialog shows the keywords read and, until the read below fills them, empty fields:
    // never the values of an earlier run on another document.
    CopyFileInfo(working, gRun);
    ReadFileInfoFields(gRun, working);
    result = shell.runEditor() ? 0 : kResultStop;
    if (result == 0) {
      CopyFileInfo(gRun, working);
      if (shell.saveLast) shell.saveLast(gRun);
    }
  } else {
    ReadRecordedParameters(params, gRun);
  }
  if (result == 0) {
    AppendRunRecord(gRun);
    RecordParameters(params);
  }
  if (result != kResultStop) {
    WriteFileInfo(gRun.keywords, gRun.title, gRun.photographer, gRun.description, gRun.copyright, gRun.url);
  }
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
