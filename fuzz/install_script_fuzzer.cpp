// The install script: any file is read, indexed and run without harm (actions only record what
// they were given), lookups agree with the lines, and expansion and field splitting stay bounded.
#include <algorithm>

#include "fuzz_support.h"
#include "install_log.h"
#include "install_script.h"

namespace {

class QuietServices : public ScriptServices {
 public:
  std::string CurrentDirectory() override { return ScratchRoot(); }
  std::string SpecialFolder(int folderId) override {
    return folderId == kSystemFolderId    ? "C:\\WINDOWS\\system32"
           : folderId == kWindowsFolderId ? "C:\\WINDOWS"
                                          : "";
  }
  unsigned long LastError() override { return 2; }
  std::string ErrorText(unsigned long) override { return "The system cannot find the file specified.\r\n"; }
  int AskAbortRetryIgnore(const std::string&) override { return kAnswerIgnore; }
  bool ReadUninstallRecord(const std::string&, std::string& folder) override {
    folder = "C:\\Program Files\\Old";
    return true;
  }
};

void CheckExpand(InstallScript& script, const std::string& text) {
  const std::string expanded = script.Expand(text);
  if (text.find('^') == std::string::npos) FUZZ_CHECK(expanded == text);
  FUZZ_CHECK(expanded.size() <= std::max(text.size(), InstallScript::kExpandedTextMax));
}

void CheckFields(const std::string& args) {
  for (int i = 0; i < 10; ++i) {
    const std::string field = InstallScript::GetField(args, i);
    if (field.empty()) continue;
    FUZZ_CHECK(args.find(field) != std::string::npos);
    FUZZ_CHECK(field.find(',', 1) == std::string::npos);
  }
}

// Every action checks its fields; an action whose arguments hold a "!" fails, so that the error
// prompt and the log are used as well.
ActionTable CheckingActions() {
  ActionTable actions;
  for (const char* name : {"CopyFile", "DeleteFile", "DllRegisterServer", "DllUnRegisterServer",
                           "CreateDirectory", "DeleteDirectory", "CreateRegistry", "DeleteRegistry",
                           "RunExeFile", "CreateShortCut", "DeleteShortCut", "DeleteMenuGroup",
                           "RegisterServer", "UnRegisterServer", "StartServer", "AditionUninstallData"}) {
    actions.push_back({name, 8, [](InstallScript&, const ActionFields& fields) {
                         const std::string args = fields.Text();
                         CheckFields(args);
                         return args.find('!') == std::string::npos ? 1 : 0;
                       }});
  }
  return actions;
}

void CheckIndex(const ScriptText& text) {
  const std::vector<std::string>& lines = text.Lines();
  for (const std::string& line : lines) {
    FUZZ_CHECK(!line.empty() && line.size() <= kScriptLineMax);
    FUZZ_CHECK(line.find('\n') == std::string::npos);
  }
  for (std::size_t h = 0; h < lines.size(); ++h) {
    if (!ScriptText::IsBracketed(lines[h])) continue;
    const std::string name = lines[h].substr(1, lines[h].size() - 2);
    std::size_t begin, end;
    text.Range(name, begin, end);
    FUZZ_CHECK(begin <= end && end <= lines.size());
    FUZZ_CHECK(static_cast<int>(end - begin) == text.Count(name));
    // The first header of that name opens the section, which runs up to the next header.
    FUZZ_CHECK(text.LineIndex(lines[h]) + 1 == begin);
    FUZZ_CHECK(end == lines.size() || ScriptText::IsBracketed(lines[end]));
    for (std::size_t i = begin; i < end; ++i) {
      FUZZ_CHECK(!ScriptText::IsBracketed(lines[i]));
      std::string key, value;
      ScriptText::SplitKeyLine(lines[i], key, value);
      // A lookup finds the first line with that key.
      std::size_t first = begin;
      std::string firstKey, firstValue;
      for (;; ++first) {
        ScriptText::SplitKeyLine(lines[first], firstKey, firstValue);
        if (firstKey == key) break;
      }
      const std::string* found = text.Find(name, key);
      FUZZ_CHECK(found && *found == firstValue);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string content = InputText(data, size);

  ScriptText text;
  text.Parse(content);
  CheckIndex(text);

  const std::string path = ScratchRoot() + "Install.ini";
  FUZZ_CHECK(WriteWholeFile(path, content));
  QuietServices services;
  InstallScript script(services, CheckingActions());
  FUZZ_CHECK(script.Load(path, nullptr) == 1);

  for (const std::string& line : text.Lines()) {
    CheckExpand(script, line);
    CheckFields(line);
  }
  FUZZ_CHECK(script.Run(true) == 1);
  FUZZ_CHECK(script.Run(false) == 1);
  // The log grows with every run; start each input with none.
  std::remove(LogFilePath().c_str());
  return 0;
}
