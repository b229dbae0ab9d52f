#include "install_script.h"

#include "code_page.h"
#include "install_log.h"
#include "log_file.h"

#include <stdexcept>
#include <utility>

const std::string& ActionFields::operator[](int i) const {
  if (i < 0 || i >= declared_) throw std::logic_error("an action read a field its row does not declare");
  static const std::string kNone;
  return i < static_cast<int>(fields_.size()) ? fields_[static_cast<std::size_t>(i)] : kNone;
}

std::string ActionFields::Text() const {
  std::string text;
  for (std::size_t i = 0; i < fields_.size(); ++i) text += (i ? "," : "") + fields_[i];
  return text;
}

InstallScript::InstallScript(ScriptServices& services, ActionTable actions)
    : services_(services), actions_(std::move(actions)) {}

InstallScript::~InstallScript() {
  if (file_) std::fclose(file_);
  CloseLogFile();  // the run is over
}

int InstallScript::Load(const std::string& path, ProgressSink* sink) {
  sink_ = sink;
  startFolder_ = services_.CurrentDirectory();
  SetLogFolder(startFolder_);

  scriptPath_ = path.empty() ? "Install.ini" : path;
  if (file_) std::fclose(file_);
  file_ = nullptr;
  // Read whole and indexed at once: no handle stays open to keep an uninstall from deleting its
  // own script copy.
  readable_ = ReadScriptFile(scriptPath_, text_);
  if (!readable_) return 0;

  // Set before the settings, so that a script may define its own value and settings can use it.
  SetTextVariable("PhotoshopPlugins", services_.PhotoshopPluginsFolder());
  SetTextVariable("Version", services_.ProgramVersion());
  // Settings see only the variables of earlier lines; the folders are added afterwards.
  std::size_t begin, end;
  text_.Range("SETTINGS", begin, end);
  std::string key, value;
  for (std::size_t i = begin; i < end; ++i) {
    ScriptText::SplitKeyLine(text_.Lines()[i], key, value);
    SetVariable(key, value.find('^') == std::string::npos ? value : Expand(value));
  }
  SetTextVariable("SystemFolder", services_.SpecialFolder(kSystemFolderId));
  SetTextVariable("WindowsFolder", services_.SpecialFolder(kWindowsFolderId));
  return 1;
}

std::string InstallScript::GetValue(const std::string& section, const std::string& key) {
  if (!readable_) return "";
  const std::string* value = text_.Find(section, key);
  return value ? Expand(*value) : std::string();
}

std::string InstallScript::GetEntry(const std::string& section, int n) {
  return GetValue(section, std::to_string(n));
}

int InstallScript::CountEntries(const std::string& section) {
  return readable_ ? text_.Count(section) : 0;
}

std::string InstallScript::GetVariable(const std::string& name) {
  return variables_[name];
}

void InstallScript::SetVariable(const std::string& name, const std::string& value) {
  variables_[name] = value;
  textVariables_.erase(name);
}

void InstallScript::SetTextVariable(const std::string& name, const std::string& value) {
  variables_[name] = value;
  textVariables_.insert(name);
}

std::string InstallScript::Expand(const std::string& text) {
  std::string result = text;
  std::size_t from = 0;  // before it, the text is final
  for (int replaced = 0; replaced < kExpandMax; ++replaced) {
    const std::size_t open = FindCharacter(result, '^', from);
    if (open == std::string::npos) break;
    const std::size_t close = FindCharacter(result, '^', open + 1);
    if (close == std::string::npos) break;
    const std::string name = result.substr(open + 1, close - open - 1);
    const std::string value = GetVariable(name);
    if (result.size() - (close + 1 - open) + value.size() > kExpandedTextMax) break;
    result.replace(open, close + 1 - open, value);
    from = textVariables_.count(name) ? open + value.size() : open;
  }
  return result;
}

std::string InstallScript::GetField(const std::string& args, int i) {
  // Each field's closing comma is searched from one character after the field's start.
  std::size_t start = 0;
  for (; i > 0; --i) {
    const std::size_t comma = args.find(',', start + 1);
    if (comma == std::string::npos) return "";
    start = comma + 1;
  }
  if (start >= args.size()) return "";
  const std::size_t comma = args.find(',', start + 1);
  return args.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
}

std::vector<std::string> InstallScript::SplitFields(const std::string& args) {
  std::vector<std::string> fields;
  for (int i = 0;; ++i) {
    std::string field = GetField(args, i);
    if (field.empty()) break;  // only the end of the text gives an empty field
    fields.push_back(std::move(field));
  }
  return fields;
}

void InstallScript::ShowStatus(const char* text, const char* detail) {
  if (sink_) sink_->ShowStatus(text, detail);
}

std::string InstallScript::ScriptFile() const {
#ifdef _WIN32
  const char separator = '\\';
#else
  const char separator = '/';
#endif
  const bool absolute = (scriptPath_.size() >= 2 && scriptPath_[1] == ':') ||
                        (!scriptPath_.empty() && (scriptPath_[0] == '\\' || scriptPath_[0] == '/'));
  return absolute || startFolder_.empty() ? scriptPath_ : startFolder_ + separator + scriptPath_;
}

void InstallScript::ReopenForAppend() {
  if (file_) std::fclose(file_);
  file_ = OpenFile(ScriptFile(), "a");
  readable_ = false;
}

int InstallScript::Dispatch(const std::string& name, const std::string& args) {
  return Dispatch(name, SplitFields(args));
}

int InstallScript::Dispatch(const std::string& name, std::vector<std::string> fields) {
  for (const Action& action : actions_)
    if (name == action.name)
      return action.handler ? action.handler(*this, ActionFields(std::move(fields), action.fields)) : 0;
  return 0;
}

int InstallScript::AskAfterFailure(const std::string& actionName) {
  // Fetch the error first: whatever runs next may overwrite it.
  std::string text = services_.ErrorText(services_.LastError());
  const std::string prompt = "Faild to " + actionName + "\nError=" + text;

  // The system's text ends in a line break; the log keeps one line per message.
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  Log("Error: %s", text.c_str());

  if (sink_) sink_->ShowPending();
  lastChoice_ = services_.AskAbortRetryIgnore(prompt);
  if (lastChoice_ == kAnswerAbort) Log("User selection: %s", "ABORT");
  if (lastChoice_ == kAnswerRetry) Log("User selection: %s", "RETRY");
  if (lastChoice_ == kAnswerIgnore) Log("User selection: %s", "IGNORE");
  return lastChoice_;
}

const std::string* InstallScript::WrittenEntry(const std::string& section, int n) const {
  return readable_ ? text_.Find(section, std::to_string(n)) : nullptr;
}

int InstallScript::Run(bool install) {
  const std::string systemFolder = services_.SpecialFolder(kSystemFolderId);
  const std::string name = GetValue("SETTINGS", "Name");

  const char* list = install ? "INSTALL_ORDER" : "UN_INSTALL_ORDER";
  if (install) {
    Log("Start Installation");
  } else {
    Log("Start UnInstall");
    std::string folder;
    if (services_.ReadUninstallRecord(GetVariable("Name"), folder))
      SetTextVariable("InstallationFolder", folder);
  }
  // Without a record or a fixed folder nobody knows where the install went: a reference to the
  // folder would expand to nothing and aim the entry at the drive's root instead.
  const bool folderUnknown = !install && GetVariable("InstallationFolder").empty();
  if (sink_) sink_->SetRange(CountEntries(list));

  for (int n = 1;; ++n) {
    // The list ends at the first entry that is missing or empty once expanded.
    const std::string* written = n <= kEntryMax ? WrittenEntry(list, n) : nullptr;
    if (!written || written->empty() ||
        (written->find('^') != std::string::npos && Expand(*written).empty())) {
      if (sink_) sink_->Step();
      break;
    }
    if (folderUnknown && written->find("^InstallationFolder^") != std::string::npos) {
      Log("Skipped without installation folder: %s", written->c_str());
      if (sink_) sink_->Step();
      continue;
    }
    // Split as written, then each part expanded: what a reference brings in stays in its field.
    const std::size_t comma = written->find(',');
    const std::string action = Expand(written->substr(0, comma));
    std::vector<std::string> fields =
        SplitFields(comma == std::string::npos ? *written : written->substr(comma + 1));
    for (std::string& field : fields) field = Expand(field);

    bool leave = false;
    if (Dispatch(action, std::move(fields)) == 0) {
      const int answer = AskAfterFailure(action);
      if (answer == kAnswerAbort) return 0;
      if (answer == kAnswerRetry)
        --n;  // the same entry again
      else if (answer != kAnswerIgnore)
        leave = true;
    }
    if (sink_) sink_->Step();
    if (leave) break;
  }

  // The uninstaller copy, which every product's install leaves under one name: best effort,
  // results ignored. A script that marks it shared has it counted like its other shared files.
  const bool sharedUninstaller = GetVariable("SharedUninstaller") == "TRUE";
  std::vector<std::string> uninstaller = {systemFolder + "\\Quenrow.exe", "SHARED"};
  if (!install && sharedUninstaller) Dispatch("DeleteFile", uninstaller);
  if (install) {
    uninstaller = {"Install.exe", systemFolder, "Quenrow.exe", "TRUE"};
    if (sharedUninstaller) uninstaller.push_back("SHARED");
    Dispatch("CopyFile", uninstaller);
    Dispatch("CopyFile", std::vector<std::string>{"Install.ini", systemFolder, name + ".ini", "TRUE"});
  }
  if (sink_) sink_->ShowPending();
  return 1;
}
