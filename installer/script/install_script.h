// The install script: settings as variables, lookups of any key, and the runner that works
// through an action list entry by entry.
//
// Script layout: a [SETTINGS] section of variables, the action lists [INSTALL_ORDER] and
// [UN_INSTALL_ORDER] with entries "1", "2", ... whose values are "ActionName,field0,field1,...",
// and registry sections at the end. References "^name^" inside values are replaced by the
// variables' values when a value is looked up.
#pragma once

#include "progress_sink.h"
#include "script_text.h"

#include <cstdio>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

class InstallScript;

// Special folder numbers the runner asks for.
constexpr int kWindowsFolderId = 36;
constexpr int kSystemFolderId = 37;

// Answers of the error prompt (the message box results).
constexpr int kAnswerAbort = 3;
constexpr int kAnswerRetry = 4;
constexpr int kAnswerIgnore = 5;

// Highest entry number of an action list.
constexpr int kEntryMax = 9999;

// What the runner needs from the operating system. The installer program supplies the real
// services; tests supply their own.
class ScriptServices {
 public:
  virtual ~ScriptServices() = default;
  virtual std::string CurrentDirectory() = 0;           // "" when it cannot be read
  virtual std::string SpecialFolder(int folderId) = 0;  // "" when unknown
  virtual unsigned long LastError() = 0;
  virtual std::string ErrorText(unsigned long code) = 0;  // as the system words it
  // Modal Abort/Retry/Ignore prompt; returns one of the answers above, or anything else when
  // the prompt could not be shown.
  virtual int AskAbortRetryIgnore(const std::string& text) = 0;
  // The installation folder recorded by an earlier install of the product name.
  virtual bool ReadUninstallRecord(const std::string& name, std::string& folder) = 0;
  // The folder for the built-in variable PhotoshopPlugins; "" where the system has none.
  virtual std::string PhotoshopPluginsFolder() { return ""; }
  // The installer's own version, for the built-in variable Version ("1.1.0.0").
  virtual std::string ProgramVersion() { return ""; }
};

// The fields of an entry after its action name, split at the commas as written and each expanded
// on its own, so that a value brought in by a reference (a chosen folder holding ",") stays one
// field. A handler reads only the fields its table row declares: reading any other is a fault of
// the table or the handler and throws std::logic_error, so that every test that runs the handler
// checks the row.
class ActionFields {
 public:
  ActionFields(std::vector<std::string> fields, int declared)
      : fields_(std::move(fields)), declared_(declared) {}
  // Field i; "" where the entry has fewer fields.
  const std::string& operator[](int i) const;
  // The fields joined by ",".
  std::string Text() const;

 private:
  std::vector<std::string> fields_;
  int declared_;
};

// An action returns 1 (success) or 0 (failure, which leads to the error prompt with the thread's
// last error as the action left it).
using ActionHandler = std::function<int(InstallScript& script, const ActionFields& fields)>;

// One action of the script: the name an entry starts with (matched exactly, by the first row that
// has it), how many fields its handler reads, and the handler.
struct Action {
  const char* name;
  int fields;
  ActionHandler handler;
};
using ActionTable = std::vector<Action>;

class InstallScript {
 public:
  InstallScript(ScriptServices& services, ActionTable actions);
  ~InstallScript();
  InstallScript(const InstallScript&) = delete;
  InstallScript& operator=(const InstallScript&) = delete;

  // Reads the script ("Install.ini" for an empty path) and its [SETTINGS]. Returns 1, or 0 when
  // the file cannot be opened.
  int Load(const std::string& path, ProgressSink* sink);

  // Expanded value of the first line of the section with this key; "" when there is none or the
  // script can no longer be read.
  std::string GetValue(const std::string& section, const std::string& key);
  std::string GetEntry(const std::string& section, int n);
  int CountEntries(const std::string& section);

  // Reading a missing variable adds it with an empty value.
  std::string GetVariable(const std::string& name);
  void SetVariable(const std::string& name, const std::string& value);
  // A variable whose value is text as it stands, such as a folder's path: a "^" in it starts no
  // reference when it is brought into a text.
  void SetTextVariable(const std::string& name, const std::string& value);
  const std::map<std::string, std::string>& Variables() const { return variables_; }

  // Replaces "^name^" references, searching again from the start after each replacement so that
  // references brought in by a value are replaced too (not in the value of a text variable, after
  // which the search goes on). A "^" is looked for character by character: in the 32-bit build on
  // a double-byte code page the second byte of a character is never one. A value that refers to itself would
  // never end: after kExpandMax replacements, or when the text would grow past kExpandedTextMax, the rest of
  // the text stays as it is.
  static constexpr int kExpandMax = 1000;
  static constexpr std::size_t kExpandedTextMax = 65536;
  std::string Expand(const std::string& text);

  // Field i of an argument text split on ","; "" when the text has fewer fields.
  static std::string GetField(const std::string& args, int i);
  // Every field of an argument text as GetField reads them, without empty ones at the end.
  static std::vector<std::string> SplitFields(const std::string& args);

  // Runs [INSTALL_ORDER] (install) or [UN_INSTALL_ORDER]. Returns 0 only when the user aborted.
  // After an install's list the runner copies Install.exe to <system folder>\Quenrow.exe and the
  // script to <system folder>\<Name>.ini; with the setting SharedUninstaller=TRUE the uninstaller
  // copy is a shared file ("SHARED" of CopyFile), which an uninstall releases after its list.
  // An uninstall takes the installation folder from the uninstall record, else keeps the script's
  // own; when it has neither, entries that refer to the folder are skipped with a log line.
  int Run(bool install);
  // Runs one action by name on fields (or on an argument text split into them); an unknown name
  // fails.
  int Dispatch(const std::string& name, const std::string& args);
  int Dispatch(const std::string& name, std::vector<std::string> fields);

  // The user's last answer to the error prompt; 0 before the first prompt.
  int LastChoice() const { return lastChoice_; }
  const std::string& StartFolder() const { return startFolder_; }
  const std::string& ScriptPath() const { return scriptPath_; }
  // The script path for opening the script again: a relative path is taken from the start folder,
  // where it was loaded, since the folder browser may have changed the current directory.
  std::string ScriptFile() const;
  ScriptServices& Services() { return services_; }
  void ShowStatus(const char* text, const char* detail);

  // Reopens the script for appending: from then on lookups find nothing, so the action list ends
  // after the current entry. Nothing is written.
  void ReopenForAppend();

 private:
  int AskAfterFailure(const std::string& actionName);
  // Entry n of the section as written in the script (references not expanded); null when none.
  const std::string* WrittenEntry(const std::string& section, int n) const;

  int lastChoice_ = 0;
  std::string startFolder_;
  std::string scriptPath_;
  std::FILE* file_ = nullptr;  // only the append handle; the script is read whole by Load
  std::map<std::string, std::string> variables_;
  std::set<std::string> textVariables_;
  ProgressSink* sink_ = nullptr;

  ScriptServices& services_;
  ActionTable actions_;
  ScriptText text_;        // the script as read by Load
  bool readable_ = false;  // whether lookups may use text_
};
