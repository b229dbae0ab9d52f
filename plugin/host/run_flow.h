// The plug-in's front door: what each host message means, and the "Do It" run flow (read the
// document's File Info, let the user edit it, record it for actions, write it back).
#pragma once

#include "file_info.h"
#include "host_interface.h"

// What the run needs from the windowing side; the DLL fills it with the real dialogs.
struct PluginShell {
  void (*showAbout)();                      // the about box, modal
  bool (*runEditor)();                      // the editor dialog, modal; true when it ended with OK
  FileInfoRecord& (*workingCopy)();         // the editor dialog's working copy
  void (*saveLast)(const FileInfoRecord&);  // saves the accepted values as template "Last"; may be null
  const char* logPath;                      // the error log
};

// One "Do It": returns 0, or 'STOP' after a cancel. Host errors are ignored; exceptions
// (a refused suite, a failed allocation) pass to the caller.
int32 RunFlow(PIActionParameters* params, const PluginShell& shell);

// The entry point's work for one message. Never throws; a run that ends by an exception or with
// an unexpected code is logged and reported to the host as 0. A cancel returns 'STOP'.
SPErr HandlePluginMessage(const char* caller, const char* selector, void* message, const PluginShell& shell);
