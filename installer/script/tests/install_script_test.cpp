#include "install_script.h"

#include "code_page.h"
#include "install_log.h"
#include "script_fakes.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

class InstallScriptTest : public ::testing::Test {
 protected:
  InstallScriptTest() { services.currentDirectory = folder.Path(); }

  // The actions these scripts name each record "Name:args"; an action fails while failures[args]
  // is above zero.
  ActionTable RecordingActions() {
    ActionTable table;
    for (const char* name :
         {"CopyFile", "DeleteFile", "DeleteDirectory", "RunExeFile", "AditionUninstallData"}) {
      table.push_back({name, 8, [this, name](InstallScript&, const ActionFields& fields) {
                         const std::string args = fields.Text();
                         calls.push_back(name + (":" + args));
                         int& failing = failures[args];
                         if (failing > 0) {
                           --failing;
                           return 0;
                         }
                         return 1;
                       }});
    }
    return table;
  }

  InstallScript& Load(const std::string& content) {
    script = std::make_unique<InstallScript>(services, RecordingActions());
    folder.Write("Install.ini", content);
    EXPECT_EQ(script->Load(folder.Path() + "/Install.ini", &sink), 1);
    return *script;
  }

  ScratchFolder folder;
  FakeServices services;
  RecordingSink sink;
  std::vector<std::string> calls;
  std::map<std::string, int> failures;
  std::unique_ptr<InstallScript> script;
};

const char* const kCopies[] = {"CopyFile:Install.exe,C:\\WINDOWS\\system32,Quenrow.exe,TRUE",
                               "CopyFile:Install.ini,C:\\WINDOWS\\system32,App.ini,TRUE"};

TEST_F(InstallScriptTest, SettingsBecomeVariables) {
  InstallScript& s = Load(
      "[SETTINGS]\n"
      "Name=App\n"
      "a=b=c\n"
      "a = b\n"
      "Twice=first\n"
      "Twice=second\n"
      "DefaultInstFolder=^SystemFolder^\\App\n"
      "Early=^Later^x\n"
      "Later=L\n"
      "Path=^Name^\\^Twice^\n"
      "[INSTALL_ORDER]\n"
      "1=CopyFile,^SystemFolder^\\App\n");
  EXPECT_EQ(s.GetVariable("a"), "b=c");
  EXPECT_EQ(s.GetVariable("a "), " b");
  EXPECT_EQ(s.GetVariable("Twice"), "second");
  // The built-in folders are set only after the settings are read.
  EXPECT_EQ(s.GetVariable("DefaultInstFolder"), "\\App");
  EXPECT_EQ(s.GetVariable("Early"), "x");
  EXPECT_EQ(s.GetVariable("Path"), "App\\second");
  EXPECT_EQ(s.GetVariable("SystemFolder"), "C:\\WINDOWS\\system32");
  EXPECT_EQ(s.GetVariable("WindowsFolder"), "C:\\WINDOWS");
  // In an entry the same reference sees the system folder.
  EXPECT_EQ(s.GetEntry("INSTALL_ORDER", 1), "CopyFile,C:\\WINDOWS\\system32\\App");
  EXPECT_EQ(s.StartFolder(), folder.Path());
}

TEST_F(InstallScriptTest, LookupsSeeVariablesAsTheyAreNow) {
  InstallScript& s =
      Load("[SETTINGS]\nInstallationFolder=\n[INSTALL_ORDER]\n1=x,^InstallationFolder^\\bin\n");
  EXPECT_EQ(s.GetEntry("INSTALL_ORDER", 1), "x,\\bin");
  s.SetVariable("InstallationFolder", "D:\\Apps");
  EXPECT_EQ(s.GetEntry("INSTALL_ORDER", 1), "x,D:\\Apps\\bin");
  EXPECT_EQ(s.GetValue("INSTALL_ORDER", "2"), "");
  EXPECT_EQ(s.GetValue("NOPE", "1"), "");
}

TEST_F(InstallScriptTest, Expand) {
  InstallScript& s = Load("[SETTINGS]\nA=1\nB=2\nC=^A^^B^\n");
  EXPECT_EQ(s.Expand("^A^^B^"), "12");
  EXPECT_EQ(s.Expand("50^ off"), "50^ off");
  EXPECT_EQ(s.Expand("^"), "^");
  EXPECT_EQ(s.Expand("no refs"), "no refs");
  EXPECT_EQ(s.Expand("^^"), "");  // the empty name
  EXPECT_EQ(s.Variables().count("Unknown"), 0u);
  EXPECT_EQ(s.Expand("[^Unknown^]"), "[]");
  ASSERT_EQ(s.Variables().count("Unknown"), 1u);
  EXPECT_EQ(s.Variables().at("Unknown"), "");
  // Text brought in by a replacement is expanded too.
  s.SetVariable("Outer", "<^C^>");
  EXPECT_EQ(s.Expand("^Outer^"), "<12>");
}

TEST_F(InstallScriptTest, SelfReferenceStopsExpanding) {
  InstallScript& s = Load("[SETTINGS]\nName=App\n");
  s.SetVariable("Self", "x^Self^");
  std::string expanded = s.Expand("^Self^ tail");
  EXPECT_EQ(expanded.size(), InstallScript::kExpandMax + std::string("^Self^ tail").size());
  EXPECT_EQ(expanded.substr(expanded.size() - 11), "^Self^ tail");

  // Through others, and growing: bounded in length as well.
  s.SetVariable("P", "^Q^^Q^");
  s.SetVariable("Q", "0123456789^P^");
  expanded = s.Expand("^P^");
  EXPECT_LE(expanded.size(), InstallScript::kExpandedTextMax);
  EXPECT_NE(expanded.find('^'), std::string::npos);
}

TEST(GetField, SplitsOnCommas) {
  const std::string args = "app.exe,/s";
  EXPECT_EQ(InstallScript::GetField(args, 0), "app.exe");
  EXPECT_EQ(InstallScript::GetField(args, 1), "/s");
  EXPECT_EQ(InstallScript::GetField(args, 2), "");
  EXPECT_EQ(InstallScript::GetField("single", 0), "single");
  EXPECT_EQ(InstallScript::GetField("single", 1), "");
  EXPECT_EQ(InstallScript::GetField("a,b,c,TRUE", 3), "TRUE");
  EXPECT_EQ(InstallScript::GetField("a,b,", 2), "");
  EXPECT_EQ(InstallScript::GetField("", 0), "");
  // Fields are not trimmed; an empty field's closing comma is searched one character on.
  EXPECT_EQ(InstallScript::GetField(" a , b ", 1), " b ");
  EXPECT_EQ(InstallScript::GetField("a,,b", 1), ",b");
}

// An entry is split as written and each field expanded on its own: a folder holding "," stays
// one field, and a "^" in a text variable's value starts no reference.
TEST_F(InstallScriptTest, FieldsAreSplitAsWrittenAndAFolderIsTakenWhole) {
  std::vector<std::vector<std::string>> seen;
  script = std::make_unique<InstallScript>(
      services, ActionTable{{"CopyFile", 5, [&seen](InstallScript&, const ActionFields& fields) {
                               seen.push_back({fields[0], fields[1], fields[2], fields[3], fields[4]});
                               return 1;
                             }}});
  folder.Write("Install.ini",
               "[SETTINGS]\nName=App\nSub=sub\n[INSTALL_ORDER]\n"
               "1=CopyFile,a.txt,^InstallationFolder^\\^Sub^,a.txt,TRUE\n");
  ASSERT_EQ(script->Load(folder.Path() + "/Install.ini", &sink), 1);
  const std::string chosen = "C:\\Tom, Anna^Sub^ ^";
  script->SetTextVariable("InstallationFolder", chosen);
  EXPECT_EQ(script->Expand("^InstallationFolder^|^Sub^"), chosen + "|sub");
  EXPECT_EQ(script->Run(true), 1);
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen[0], (std::vector<std::string>{"a.txt", chosen + "\\sub", "a.txt", "TRUE", ""}));
  EXPECT_EQ(seen.at(1)[1], "C:\\WINDOWS\\system32");  // the uninstaller copy
  // Set as an ordinary variable, the value is read for references again.
  script->SetVariable("InstallationFolder", chosen);
  EXPECT_EQ(script->Expand("^InstallationFolder^"), "C:\\Tom, Annasub ^");
}

// A handler reads only the fields its row declares.
TEST_F(InstallScriptTest, AFieldBeyondTheRowIsAFault) {
  InstallScript s(services, ActionTable{{"Two", 2,
                                         [](InstallScript&, const ActionFields& fields) {
                                           return fields[1] == "b" && fields[1].size() == 1 ? 1 : 0;
                                         }},
                                        {"One", 1, [](InstallScript&, const ActionFields& fields) {
                                           return fields[1].empty() ? 1 : 0;
                                         }}});
  EXPECT_EQ(s.Dispatch("Two", "a,b"), 1);
  EXPECT_EQ(s.Dispatch("Two", "a"), 0);  // missing fields read as ""
  EXPECT_THROW(s.Dispatch("One", "a,b"), std::logic_error);
}

// The 32-bit build on a double-byte code page (932 here): a "^" or "\\" that is the second byte of
// a character is part of it.
TEST_F(InstallScriptTest, ReferencesAreFoundCharacterByCharacter) {
  static const unsigned char kCodePage932[] = {0x81, 0x9F, 0xE0, 0xFC, 0, 0};
  SetLeadByteRanges(kCodePage932);
  const std::string data = "\x83\x66\x81\x5B\x83\x5E";  // "data" in katakana, its last byte "^"
  const std::string table = "\x95\x5C";                 // "table", its second byte "\\"
  InstallScript& s = Load("[SETTINGS]\nName=App\nSub=x\nFolder=C:\\" + data + "\\^Sub^\n");
  EXPECT_EQ(s.GetVariable("Folder"), "C:\\" + data + "\\x");
  EXPECT_EQ(s.Expand(data + "^Sub^" + data), data + "x" + data);
  EXPECT_EQ(FindCharacter(table + "\\", '\\'), 2u);
  EXPECT_EQ(FindCharacter(data, '^'), std::string::npos);
  SetLeadByteRanges(nullptr);
  EXPECT_EQ(FindCharacter(data, '^'), 5u);
}

TEST_F(InstallScriptTest, RunGoesThroughTheListUntilAGap) {
  InstallScript& s = Load(
      "[SETTINGS]\nName=App\n"
      "[INSTALL_ORDER]\n"
      "2=DeleteFile,second\n"
      "1=RunExeFile,app.exe,/s\n"
      "4=DeleteFile,fourth\n"
      "; comment\n"
      "[UN_INSTALL_ORDER]\n"
      "1=DeleteFile,u\n");
  EXPECT_EQ(s.Run(true), 1);
  EXPECT_EQ(calls,
            (std::vector<std::string>{"RunExeFile:app.exe,/s", "DeleteFile:second", kCopies[0], kCopies[1]}));
  EXPECT_EQ(sink.ranges, std::vector<int>{4});  // every line of the section counts
  EXPECT_EQ(sink.steps, 3);                     // two entries and the end of the list
  EXPECT_EQ(s.LastChoice(), 0);
  EXPECT_TRUE(services.prompts.empty());
}

TEST_F(InstallScriptTest, ValueWithoutCommaIsNameAndArguments) {
  InstallScript& s = Load("[SETTINGS]\nName=App\n[INSTALL_ORDER]\n1=AditionUninstallData\n");
  s.Run(true);
  EXPECT_EQ(calls.at(0), "AditionUninstallData:AditionUninstallData");
}

TEST_F(InstallScriptTest, MisspeltActionPromptsWithTheSystemText) {
  services.lastError = 87;
  services.answers = {kAnswerIgnore};
  InstallScript& s = Load("[SETTINGS]\nName=App\n[INSTALL_ORDER]\n1=Copyfile,a,b,c,TRUE\n2=DeleteFile,x\n");
  EXPECT_EQ(s.Run(true), 1);
  EXPECT_EQ(services.prompts, std::vector<std::string>{"Faild to Copyfile\nError=System text 87\r\n"});
  EXPECT_EQ(calls.at(0), "DeleteFile:x");
  EXPECT_EQ(s.LastChoice(), kAnswerIgnore);
}

TEST_F(InstallScriptTest, RetryRunsTheSameEntryAgain) {
  failures["flaky"] = 2;
  services.answers = {kAnswerRetry, kAnswerRetry};
  InstallScript& s = Load("[SETTINGS]\nName=App\n[INSTALL_ORDER]\n1=DeleteFile,flaky\n2=DeleteFile,next\n");
  EXPECT_EQ(s.Run(true), 1);
  EXPECT_EQ(calls, (std::vector<std::string>{"DeleteFile:flaky", "DeleteFile:flaky", "DeleteFile:flaky",
                                             "DeleteFile:next", kCopies[0], kCopies[1]}));
  EXPECT_EQ(sink.steps, 5);  // once per attempt, and the end of the list
  EXPECT_EQ(s.LastChoice(), kAnswerRetry);

  const std::string log = folder.Read("Install.log");
  EXPECT_NE(log.find("] Error: System text 5\n"), std::string::npos) << log;
  EXPECT_NE(log.find("] User selection: RETRY\n"), std::string::npos) << log;
}

TEST_F(InstallScriptTest, AbortStopsAtOnceWithoutUninstallerCopy) {
  failures["bad"] = 1;
  services.answers = {kAnswerAbort};
  InstallScript& s = Load("[SETTINGS]\nName=App\n[INSTALL_ORDER]\n1=DeleteFile,bad\n2=DeleteFile,next\n");
  EXPECT_EQ(s.Run(true), 0);
  EXPECT_EQ(calls, std::vector<std::string>{"DeleteFile:bad"});
  EXPECT_EQ(sink.steps, 0);
  EXPECT_EQ(s.LastChoice(), kAnswerAbort);
  EXPECT_NE(folder.Read("Install.log").find("] User selection: ABORT\n"), std::string::npos);
}

TEST_F(InstallScriptTest, IgnoreOnEveryFailureStillMakesTheCopy) {
  failures["a"] = 1;
  failures["b"] = 1;
  InstallScript& s = Load("[SETTINGS]\nName=App\n[INSTALL_ORDER]\n1=DeleteFile,a\n2=DeleteFile,b\n");
  EXPECT_EQ(s.Run(true), 1);
  EXPECT_EQ(calls, (std::vector<std::string>{"DeleteFile:a", "DeleteFile:b", kCopies[0], kCopies[1]}));
  EXPECT_EQ(services.prompts.size(), 2u);
  EXPECT_NE(folder.Read("Install.log").find("] User selection: IGNORE\n"), std::string::npos);
}

TEST_F(InstallScriptTest, PromptThatCannotBeShownEndsTheList) {
  failures["a"] = 1;
  services.answers = {0};
  InstallScript& s = Load("[SETTINGS]\nName=App\n[INSTALL_ORDER]\n1=DeleteFile,a\n2=DeleteFile,b\n");
  EXPECT_EQ(s.Run(true), 1);
  EXPECT_EQ(calls, (std::vector<std::string>{"DeleteFile:a", kCopies[0], kCopies[1]}));
  EXPECT_EQ(sink.steps, 1);
  EXPECT_EQ(folder.Read("Install.log").find("User selection"), std::string::npos);
}

// The folder an uninstall works in comes from the record of the install, else from the script's
// fixed folder; never from the folder merely offered to the user.
TEST_F(InstallScriptTest, UninstallUsesTheRecordedOrFixedFolderOnly) {
  services.hasRecord = true;
  services.recordFolder = "D:\\Recorded";
  InstallScript& s = Load(
      "[SETTINGS]\nName=App\nInstallationFolder=C:\\Fixed\n"
      "[UN_INSTALL_ORDER]\n1=DeleteDirectory,^InstallationFolder^\n");
  EXPECT_EQ(s.Run(false), 1);
  EXPECT_EQ(services.recordAskedFor, "App");
  EXPECT_EQ(calls, std::vector<std::string>{"DeleteDirectory:D:\\Recorded"});  // no uninstaller copy

  services.hasRecord = false;
  calls.clear();
  InstallScript& again = Load(
      "[SETTINGS]\nName=App\nInstallationFolder=C:\\Fixed\n"
      "[UN_INSTALL_ORDER]\n1=DeleteDirectory,^InstallationFolder^\n");
  again.Run(false);
  EXPECT_EQ(calls, std::vector<std::string>{"DeleteDirectory:C:\\Fixed"});
  const std::string log = folder.Read("Install.log");
  EXPECT_NE(log.find("] Start UnInstall\n"), std::string::npos) << log;

  // Neither: where the install went is unknown, so no entry naming the folder runs (it would act
  // on paths below the drive's root), and the others still do.
  calls.clear();
  sink.steps = 0;
  InstallScript& unknown = Load(
      "[SETTINGS]\nName=App\nDefaultInstFolder=C:\\Offered\n"
      "[UN_INSTALL_ORDER]\n1=DeleteFile,^InstallationFolder^\\app.exe\n2=DeleteFile,C:\\Shared\\app.ini\n"
      "3=DeleteDirectory,^InstallationFolder^\n");
  EXPECT_EQ(unknown.Run(false), 1);
  EXPECT_EQ(calls, std::vector<std::string>{"DeleteFile:C:\\Shared\\app.ini"});
  EXPECT_TRUE(services.prompts.empty());
  EXPECT_EQ(sink.steps, 4);
  const std::string skipped = folder.Read("Install.log");
  EXPECT_NE(skipped.find("] Skipped without installation folder: DeleteFile,^InstallationFolder^\\app.exe\n"),
            std::string::npos)
      << skipped;
  EXPECT_NE(skipped.find("] Skipped without installation folder: DeleteDirectory,^InstallationFolder^\n"),
            std::string::npos)
      << skipped;
}

TEST_F(InstallScriptTest, AppendHandleEndsTheList) {
  ActionTable table = RecordingActions();
  table.insert(table.begin(),
               {"AditionUninstallData", 1, [this](InstallScript& s, const ActionFields& fields) {
                  calls.push_back("AditionUninstallData:" + fields.Text());
                  s.ReopenForAppend();
                  return 1;
                }});
  script = std::make_unique<InstallScript>(services, table);
  const std::string content =
      "[SETTINGS]\nName=App\n[INSTALL_ORDER]\n1=AditionUninstallData,x\n2=DeleteFile,y\n";
  folder.Write("Install.ini", content);
  ASSERT_EQ(script->Load(folder.Path() + "/Install.ini", &sink), 1);
  EXPECT_EQ(script->Run(true), 1);
  // Entry 2 never runs; Name was read before, so the copies are still made.
  EXPECT_EQ(calls, (std::vector<std::string>{"AditionUninstallData:x", kCopies[0], kCopies[1]}));
  EXPECT_EQ(script->GetValue("SETTINGS", "Name"), "");
  EXPECT_EQ(script->CountEntries("INSTALL_ORDER"), 0);
  EXPECT_EQ(folder.Read("Install.ini"), content);  // nothing written
}

TEST_F(InstallScriptTest, MissingScriptDoesNotLoad) {
  InstallScript s(services, RecordingActions());
  EXPECT_EQ(s.Load(folder.Path() + "/Missing.ini", &sink), 0);
  EXPECT_EQ(s.GetValue("SETTINGS", "Name"), "");
  EXPECT_EQ(s.CountEntries("INSTALL_ORDER"), 0);
  EXPECT_EQ(s.ScriptPath(), folder.Path() + "/Missing.ini");
}

TEST_F(InstallScriptTest, EmptyPathMeansInstallIniInTheCurrentDirectory) {
  folder.Write("Install.ini", "[SETTINGS]\nName=Here\n");
  char* previous = getcwd(nullptr, 0);
  ASSERT_EQ(chdir(folder.Path().c_str()), 0);
  InstallScript s(services, RecordingActions());
  const int loaded = s.Load("", &sink);
  ASSERT_EQ(chdir(previous), 0);
  free(previous);
  EXPECT_EQ(loaded, 1);
  EXPECT_EQ(s.ScriptPath(), "Install.ini");
  EXPECT_EQ(s.ScriptFile(), folder.Path() + "/Install.ini");  // even after the directory changed
  EXPECT_EQ(s.GetVariable("Name"), "Here");

  // Reopening for appending goes to the loaded script, not to a new file in the current directory.
  s.ReopenForAppend();
  EXPECT_EQ(folder.Read("Install.ini"), "[SETTINGS]\nName=Here\n");
  EXPECT_EQ(s.GetValue("SETTINGS", "Name"), "");
  EXPECT_NE(access("Install.ini", F_OK), 0);
}

}  // namespace
