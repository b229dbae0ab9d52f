// The plug-in module loaded and driven as the host drives it: real dialogs, real debugger output.
#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "ansi_code_page.h"
#include "dialog_driver.h"
#include "editor_steps.h"
#include "host_calls.h"
#include "module_output.h"
#include "plugin_loader.h"

namespace {

using Strings = std::vector<std::pair<DescriptorKeyID, std::string>>;
using Calls = std::vector<std::string>;

constexpr int kTitle = 1034, kDescription = 1036, kKeywords = 1019, kCopyright = 1030, kUrl = 1031,
              kCount = 1026;
constexpr int kLoadTemplate = 6, kSaveTemplate = 7, kRecentTitles = 20, kSpellCheckerCommand = 25000,
              kNameCancel = 3001;

const Strings kRecorded = {{Code("KeWo"), "k1; k2; "}, {Code("Titl"), "T"}, {Code("Phot"), "P"},
                           {Code("Desc"), "D"},        {Code("Copy"), "C"}, {Code("URLP"), "U"}};

// The system directory's kwTemplates folder (the classic root), and the user's that the x64
// module keeps its library in.
std::string ClassicRoot() {
  char system[MAX_PATH] = {};
  GetSystemDirectoryA(system, sizeof system);
  return std::string(system) + "\\kwTemplates\\";
}
std::string UserRoot() {
  char appData[MAX_PATH] = {};
  SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData);
  return std::string(appData) + "\\Tavimor\\kwTemplates\\";
}

class PluginDll : public ::testing::Test {
 protected:
  void SetUp() override {
    DeleteFileA(LogPath().c_str());
    DeleteFileA(kClassicLogPath);
    // The x64 module makes its log's folder.
    if (sizeof(void*) == 8) RemoveDirectoryA(LogPath().substr(0, LogPath().rfind('\\')).c_str());
    gDebugger.clear();
    if (sizeof(void*) == 8) std::filesystem::remove_all(UserRoot());
    plugin = std::make_unique<LoadedPlugin>(PLUGIN_PATH);
    ASSERT_TRUE(plugin->Loaded()) << PLUGIN_PATH;
  }
  void TearDown() override {
    if (params.descriptor) host.FreeDescriptor(params.descriptor);
    plugin.reset();
    // Unloaded: suites released, every block given back, every object freed.
    EXPECT_EQ(host.liveSuites, 0);
    EXPECT_EQ(host.LiveBlocks(), 0);
    EXPECT_EQ(host.LiveObjects(), 0);
    EXPECT_TRUE(host.errors.empty()) << host.errors.front();
    EXPECT_TRUE(gDebugger.empty()) << gDebugger.front();
    // The x64 module makes the user's library when it first needs it: no test leaves one behind.
    if (sizeof(void*) == 8) std::filesystem::remove_all(UserRoot());
  }

  SPErr DoIt(PIDialogPlayOptions playInfo) {
    params.playInfo = playInfo;
    return plugin->DoIt(host, &params);
  }
  // "Do It" with the dialog, while script drives it.
  SPErr Interactive(DialogScript script) {
    bool finished = false;
    const SPErr result = static_cast<SPErr>(RunScripted(
        [this] { return static_cast<INT_PTR>(DoIt(kPlugInDialogDisplay)); }, std::move(script), &finished));
    EXPECT_TRUE(finished);
    return result;
  }
  int Plays() const {
    int n = 0;
    for (const std::string& call : host.calls) n += call.rfind("Control.Play", 0) == 0;
    return n;
  }

  stub::FakeHost host;
  std::unique_ptr<LoadedPlugin> plugin;
  PIActionParameters params{kPlugInDialogDisplay, kPlugInDialogRequired, nullptr};
};

// The module's library as the installation (or, for the x64 module, its first load) leaves it,
// with Templates and Groups; removed again with everything in it.
struct SystemLibrary {
  explicit SystemLibrary(std::string at = sizeof(void*) == 8 ? UserRoot() : ClassicRoot())
      : root(std::move(at)) {
    for (const char* folder : {"Templates", "Groups"}) std::filesystem::create_directories(root + folder);
  }
  ~SystemLibrary() { std::filesystem::remove_all(root); }
  std::string Read(const char* file) const {
    std::ifstream in(root + file);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  void Write(const char* file, const std::string& text) const { std::ofstream(root + file) << text; }
  std::string root;
};

// A dialog opens over its owner's client area (the desktop's without an owner): centred across,
// less the width of a caption button (two thirds of it without a system menu), and a third of
// the way down. The windows of these tests leave it room on the screen.
void ExpectCentred(HWND window, HWND owner, const char* what) {
  RECT reference;
  GetClientRect(owner ? owner : GetDesktopWindow(), &reference);
  MapWindowPoints(owner, nullptr, reinterpret_cast<POINT*>(&reference), 2);
  RECT at;
  GetWindowRect(window, &at);
  const int width = at.right - at.left, height = at.bottom - at.top;
  int shift = GetSystemMetrics(SM_CXSIZE);
  if (!(GetWindowLongA(window, GWL_STYLE) & WS_SYSMENU)) shift -= shift / 3;
  ASSERT_LE(width, reference.right - reference.left) << what;
  ASSERT_LE(height, reference.bottom - reference.top) << what;
  EXPECT_EQ(at.left, (reference.right - reference.left - width) / 2 + reference.left - shift) << what;
  EXPECT_EQ(at.top, (reference.bottom - reference.top - height) / 3 + reference.top) << what;
}

// A modal window: owned by owner, which stays disabled while the window is open, and centred on it.
void ExpectOwnedBy(HWND window, HWND owner, const char* what) {
  EXPECT_EQ(GetWindow(window, GW_OWNER), owner) << what;
  if (owner) {
    EXPECT_FALSE(IsWindowEnabled(owner)) << what;
  }
  ExpectCentred(window, owner, what);
}

// The module's file version as Windows shows it ("1.1.0.0"); empty without version information.
std::string FileVersion(const char* path) {
  DWORD ignored = 0;
  std::string data(GetFileVersionInfoSizeA(path, &ignored), '\0');
  char* value = nullptr;
  UINT length = 0;
  if (data.empty() || !GetFileVersionInfoA(path, 0, static_cast<DWORD>(data.size()), &data[0]) ||
      !VerQueryValueA(data.data(), "\\StringFileInfo\\040904E4\\FileVersion",
                      reinterpret_cast<void**>(&value), &length) ||
      !value)
    return "";
  return value;
}

// With no window active the about box has no owner and opens over the desktop. The host's
// IsEqual decides what a message is: caller and selector are both compared through it. The
// version it names is the module's file version without its last number.
TEST_F(PluginDll, AboutShowsTheAboutBoxAndReturnsZero) {
  ASSERT_EQ(GetActiveWindow(), nullptr);
  std::vector<std::string> texts;
  std::string version;
  bool finished = false;
  const INT_PTR result = RunScripted(
      [this] { return static_cast<INT_PTR>(plugin->About(host)); },
      {OnWindow("About Tavimor",
                [&](HWND box) {
                  ExpectOwnedBy(box, nullptr, "about box");
                  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
                    if (GetDlgCtrlID(child) == 1051)
                      version = WindowText(child);
                    else
                      texts.push_back(WindowText(child));
                  }
                  EXPECT_EQ(LOWORD(SendMessageA(box, DM_GETDEFID, 0, 0)), IDOK);
                  PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
                })},
      &finished);
  EXPECT_TRUE(finished);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(texts, (std::vector<std::string>{
                       "Tavimor", "Version:", "This product is using OpenOffice.org MySpell", "OK"}));
  EXPECT_EQ(FileVersion(PLUGIN_PATH), "1.1.0.0");
  EXPECT_EQ(version + ".0", FileVersion(PLUGIN_PATH));
  EXPECT_TRUE(host.calls.empty());
  EXPECT_EQ(host.compared, (Calls{"SP Interface|SP Interface", "About|About", "SP Interface|PS Photoshop"}));

  host.compared.clear();
  EXPECT_EQ(DoIt(kPlugInDialogSilent), 0);
  EXPECT_EQ(host.compared, (Calls{"PS Photoshop|SP Interface", "PS Photoshop|PS Photoshop", "Do It|Do It"}));
}

// The editor is owned by the window active when the run starts (the host's), the spell-check
// dialog and the name prompt by the editor, active when they open; each owner stays disabled
// while its window is open, and each window opens centred on it.
TEST_F(PluginDll, ModalWindowsAreOwnedByTheActiveWindowAndCentredOnIt) {
  HWND hostWindow = CreateWindowExA(0, "STATIC", "Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 30, 900, 700,
                                    nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(hostWindow, nullptr);
  SetActiveWindow(hostWindow);
  ASSERT_EQ(GetActiveWindow(), hostWindow);
  host.SetKeywords({"sea"});  // without dictionaries the spell check stops at every word
  HWND editor = nullptr;
  const SPErr result = Interactive({
      OnEditor([&](HWND window) {
        editor = window;
        ExpectOwnedBy(editor, hostWindow, "editor");
        PostMessageA(editor, WM_COMMAND, MAKEWPARAM(kSpellCheckerCommand, 0), 0);
      }),
      OnWindow("Spell Checker",
               [&](HWND dialog) {
                 ExpectOwnedBy(dialog, editor, "spell-check dialog");
                 EXPECT_FALSE(IsWindowEnabled(hostWindow));
                 PostMessageA(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
               }),
      WhenClosed("Spell Checker"),
      Click(kSaveTemplate),
      OnWindow("Save Dialog",
               [&](HWND prompt) {
                 ExpectOwnedBy(prompt, editor, "name prompt");
                 PostMessageA(GetDlgItem(prompt, kNameCancel), BM_CLICK, 0, 0);
               }),
      WhenClosed("Save Dialog"),
      OnEditor([](HWND window) { EXPECT_TRUE(IsWindowEnabled(window)); }),
      Click(IDCANCEL),
  });
  EXPECT_EQ(result, kResultStop);
  EXPECT_TRUE(IsWindowEnabled(hostWindow));
  DestroyWindow(hostWindow);
}

// Refuses every window the thread would create: DialogBoxParam then gives -1.
LRESULT CALLBACK RefuseWindows(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) return 1;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

INT_PTR CALLBACK NoDialogWork(HWND, UINT, WPARAM, LPARAM) {
  return FALSE;
}

// A dialog that cannot be made ends an interactive run as a cancel: nothing is written, recorded
// or logged. An About request that fails the same way shows nothing and returns 0; one that ends
// by an exception (here a missing message) is logged once as 'Parm' and returns 0 as well.
TEST_F(PluginDll, DialogsThatCannotBeMadeAndAFailedAboutRequest) {
  host.SetField(Code("ObjN"), "Keep");
  PIActionDescriptor previous = params.descriptor = host.MakeDescriptor(kRecorded);
  HHOOK hook = SetWindowsHookExA(WH_CBT, RefuseWindows, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  EXPECT_EQ(DialogBoxParamA(plugin->Module(), MAKEINTRESOURCEA(18501), nullptr, NoDialogWork, 0), -1);
  EXPECT_EQ(DoIt(kPlugInDialogDisplay), kResultStop);
  EXPECT_EQ(plugin->About(host), 0);
  UnhookWindowsHookEx(hook);
  EXPECT_EQ(Plays(), 0);
  EXPECT_EQ(host.Field(Code("ObjN")), "Keep");
  EXPECT_EQ(params.descriptor, previous);
  EXPECT_EQ(host.Strings(previous), kRecorded);
  EXPECT_TRUE(LogLines().empty());

  auto entry = reinterpret_cast<SPPluginEntry>(
      reinterpret_cast<void*>(GetProcAddress(plugin->Module(), "AutoPluginMain")));
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry("SP Interface", "About", nullptr), 0);
  const std::vector<std::string> lines = LogLines();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].substr(19), " Error: 1348563565");
  // The x64 module's log is the user's, where a standard user may write; the 32-bit module's at
  // the root of drive C:.
  EXPECT_EQ(GetFileAttributesA(kClassicLogPath) != INVALID_FILE_ATTRIBUTES, sizeof(void*) == 4);
}

// Text beyond ASCII through an interactive run closed with OK (the title, which the user edits,
// keeps its other characters), the recorded step's replay, and the template "Last" loaded into
// the editor. The x64 module keeps every character; the 32-bit module the ANSI code page's form.
TEST_F(PluginDll, EveryCharacterSurvivesOkTheReplayAndATemplate) {
  const std::vector<std::string>& samples = kUnicodeSamples;
  const char* const* keys = kTextFieldKeys;
  const SystemLibrary library;
  auto kept = [](const std::string& text) {
    return sizeof(void*) == 8 ? text : stub::Utf8FromAnsi(stub::AnsiFromUtf8(text));
  };
  auto expectDocument = [&](const char* what) {
    EXPECT_EQ(host.Field(Code("ObjN")), kept(samples[0]) + "!") << what;
    for (std::size_t i = 1; i < 5; ++i) EXPECT_EQ(host.Field(Code(keys[i])), kept(samples[i])) << what;
    std::vector<std::string> keywords;
    for (const std::string& sample : samples) keywords.push_back(kept(sample));
    EXPECT_EQ(host.Keywords(), keywords) << what;
  };
  auto reset = [&] {
    host.fileInfo.items.clear();
    host.SetKeywords(samples);
    for (std::size_t i = 0; i < 5; ++i) host.SetField(Code(keys[i]), samples[i]);
  };
  reset();
  ASSERT_EQ(Interactive({OnEditor([](HWND dialog) {
                           HWND title = GetDlgItem(dialog, kTitle);
                           SendMessageW(title, EM_SETSEL, 0x7FFF, 0x7FFF);
                           SendMessageW(title, WM_CHAR, L'!', 1);
                         }),
                         Click(IDOK)}),
            0);
  expectDocument("OK");
  reset();
  ASSERT_EQ(DoIt(kPlugInDialogSilent), 0);
  expectDocument("replay");
  reset();
  ASSERT_EQ(
      Interactive({Click(kLoadTemplate), Choose({"Last"}, [] { ADD_FAILURE() << "no Last"; }), Click(IDOK)}),
      0);
  expectDocument("template");
}

// For this process only, the user's shell folders name an application-data folder under profile
// (HKEY_CURRENT_USER overridden by a volatile copy of the two keys), as a profile folder named
// outside the code page gives it. Undone, with the folder, when destroyed.
class ProfileOverride {
 public:
  explicit ProfileOverride(const std::wstring& profile) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    folder_ = std::filesystem::path(temp) / profile;
    appData_ = folder_ / L"AppData" / L"Roaming";
    std::filesystem::create_directories(appData_);
    RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, &root_,
                    nullptr);
    const std::wstring value = appData_.wstring();
    for (const wchar_t* key : {L"User Shell Folders", L"Shell Folders"}) {
      HKEY folders = nullptr;
      RegCreateKeyExW(
          root_, (std::wstring(L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\") + key).c_str(), 0,
          nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, &folders, nullptr);
      RegSetValueExW(folders, L"AppData", 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
      RegCloseKey(folders);
    }
    RegOverridePredefKey(HKEY_CURRENT_USER, root_);
  }
  ~ProfileOverride() {
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    RegCloseKey(root_);
    SHDeleteKeyW(HKEY_CURRENT_USER, kKey);
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  std::filesystem::path AppData() const { return appData_; }

 private:
  static constexpr const wchar_t* kKey = L"Software\\TavimorTestProfile";
  std::filesystem::path folder_, appData_;
  HKEY root_ = nullptr;
};

// The command id of the open menu's item whose text (compared as Unicode) is text; -1 when none.
int UnicodeItemId(HMENU menu, const std::wstring& text) {
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    wchar_t item[128] = {};
    GetMenuStringW(menu, static_cast<UINT>(i), item, 128, MF_BYPOSITION);
    if (text == item) return static_cast<int>(GetMenuItemID(menu, i));
  }
  return -1;
}

// The x64 module under a profile folder named outside code page 1252 makes its per-user root
// there, and a template named "Łódź" is saved, listed in the menu and loaded. The 32-bit module
// keeps its classic root and names in its code page ("Café").
TEST_F(PluginDll, AProfileAndATemplateNamedOutsideTheCodePage) {
  const bool x64 = sizeof(void*) == 8;
  const ProfileOverride profile(L"\u0141ukasz");
  const std::wstring name = x64 ? L"\u0141\u00F3d\u017A" : L"Caf\u00E9";
  const std::filesystem::path root =
      x64 ? profile.AppData() / L"Tavimor" / L"kwTemplates" : std::filesystem::path(ClassicRoot());
  const SystemLibrary classic(ClassicRoot());  // a 32-bit module's library, made by its installer
  host.SetField(Code("ObjN"), "Harbour");
  ASSERT_EQ(Interactive({Click(kSaveTemplate),
                         OnWindow("Save Dialog",
                                  [&](HWND prompt) {
                                    SetDlgItemTextW(prompt, 1025, name.c_str());
                                    PostMessageA(GetDlgItem(prompt, 3000), BM_CLICK, 0, 0);
                                  }),
                         WhenClosed("Save Dialog"), Click(IDCANCEL)}),
            Code("STOP"));
  EXPECT_TRUE(std::filesystem::exists(root / L"Templates" / (name + L".tmp")));
  host.SetField(Code("ObjN"), "changed");
  ASSERT_EQ(Interactive({Click(kLoadTemplate),
                         ChooseMenuItem([&](HMENU menu) { return UnicodeItemId(menu, name); }, EditorWindow,
                                        [] { ADD_FAILURE() << "the template is not in the menu"; }),
                         Click(IDOK)}),
            0);
  EXPECT_EQ(host.Field(Code("ObjN")), "Harbour");
}

TEST_F(PluginDll, OkWritesTheSixEditedValuesInOneSetEvent) {
  // The exact calls below are the char* route's: an older host's, which refuses the ZString suite,
  // and the 32-bit build's with any host, which never asks for it.
  const bool ansiBuild = sizeof(void*) == 4;
  if (!ansiBuild) host.refusedSuite = kASZStringSuite;
  host.SetKeywords({"sea", "boats"});
  host.SetField(Code("ObjN"), "Harbour");
  host.SetField(Code("Byln"), "R. Vale");
  std::string shownKeywords, shownTitle, count, typedCount, clickedCount;
  const SPErr result = Interactive({OnEditor([&](HWND dialog) {
    shownKeywords = ItemText(dialog, kKeywords);
    shownTitle = ItemText(dialog, kTitle);
    count = ItemText(dialog, kCount);
    TypeText(GetDlgItem(dialog, kKeywords), "gulls, ");
    typedCount = ItemText(dialog, kCount);
    SetDlgItemTextA(dialog, kCount, "?");
    SendMessageA(dialog, WM_LBUTTONDOWN, 0, MAKELPARAM(3, 3));  // a click on the background
    clickedCount = ItemText(dialog, kCount);
    SetDlgItemTextA(dialog, kTitle, "Harbour at dawn");
    SetDlgItemTextA(dialog, kDescription, "Boats");
    SetDlgItemTextA(dialog, kCopyright, "(c) Vale");
    SetDlgItemTextA(dialog, kUrl, "http://vale");
    PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
  })});
  EXPECT_EQ(result, 0);
  EXPECT_EQ(shownKeywords, "sea; boats; ");
  EXPECT_EQ(shownTitle, "Harbour");
  EXPECT_EQ(count, "2");
  EXPECT_EQ(typedCount, "3");
  EXPECT_EQ(clickedCount, "3");

  // Read: keywords, then the five fields; then one write, everything freed.
  const Calls& get = kGetFileInfoCalls;
  Calls expected = get;
  for (const char* call :
       {"Descriptor.GetList Kywd", "List.GetCount", "List.GetStringLength 0", "List.GetString 0 4",
        "List.GetStringLength 1", "List.GetString 1 6", "Descriptor.Free", "List.Free"})
    expected.push_back(call);
  expected.insert(expected.end(), get.begin(), get.end());
  for (const char* call :
       {"Descriptor.GetString ObjN 255", "Descriptor.GetString Byln 255", "Descriptor.GetString Cptn 1000",
        "Descriptor.GetString CprN 1000", "Descriptor.GetString URL  255", "Descriptor.Free"})
    expected.push_back(call);
  ASSERT_GE(host.calls.size(), expected.size());
  EXPECT_EQ(Calls(host.calls.begin(), host.calls.begin() + expected.size()), expected);
  if (ansiBuild) {
    for (const std::string& call : host.suiteCalls)
      EXPECT_EQ(call.find(kASZStringSuite), std::string::npos) << call;
  }
  ASSERT_EQ(Plays(), 1);
  ASSERT_EQ(host.played.size(), 1u);
  const stub::Descriptor& written = host.played[0];
  ASSERT_EQ(written.items.size(), 6u);
  EXPECT_EQ(host.Keywords(), (std::vector<std::string>{"gulls", "sea", "boats"}));
  EXPECT_EQ(host.Field(Code("ObjN")), "Harbour at dawn");
  EXPECT_EQ(host.Field(Code("Byln")), "R. Vale");
  EXPECT_EQ(host.Field(Code("Cptn")), "Boats");
  EXPECT_EQ(host.Field(Code("CprN")), "(c) Vale");
  EXPECT_EQ(host.Field(Code("URL ")), "http://vale");

  // The recorded step: the six values under the plug-in's keys, in order.
  EXPECT_EQ(host.Strings(params.descriptor), (Strings{{Code("KeWo"), "gulls, sea; boats; "},
                                                      {Code("Titl"), "Harbour at dawn"},
                                                      {Code("Phot"), "R. Vale"},
                                                      {Code("Desc"), "Boats"},
                                                      {Code("Copy"), "(c) Vale"},
                                                      {Code("URLP"), "http://vale"}}));
}

// OK with fields left as the editor showed them writes them back as the document held them: a
// title and a description longer than their boxes hold, 1,200 keywords, one holding a comma. The
// replay of the recorded step writes the same. The URL, edited, is written from its box.
TEST_F(PluginDll, OkAndTheReplayKeepWhatTheUserDidNotTouch) {
  std::string title, description;
  for (int i = 0; i < 400; ++i) title += "\xE6\x9D\xB1";     // "東"
  for (int i = 0; i < 1500; ++i) description += "\xD0\x96";  // "Ж"
  std::vector<std::string> keywords = {"Washington, D.C."};
  for (int i = 0; i < 1200; ++i) keywords.push_back("keyword" + std::to_string(10000 + i));
  // The 32-bit module has the char* routines' form: the code page's, cut at the host's maximum.
  auto kept = [](const std::string& text, std::size_t maximum) {
    return sizeof(void*) == 8 ? text : stub::Utf8FromAnsi(stub::AnsiFromUtf8(text).substr(0, maximum - 1));
  };
  auto setDocument = [&] {
    host.fileInfo.items.clear();
    host.SetKeywords(keywords);
    host.SetField(Code("ObjN"), title);
    host.SetField(Code("Cptn"), description);
    host.SetField(Code("URL "), "http://old");
  };
  auto expectDocument = [&](const char* what) {
    EXPECT_TRUE(host.Keywords() == keywords) << what << ": " << host.Keywords().size() << " keywords";
    EXPECT_EQ(host.Field(Code("ObjN")), kept(title, 255)) << what;
    EXPECT_EQ(host.Field(Code("Cptn")), kept(description, 1000)) << what;
    EXPECT_EQ(host.Field(Code("URL ")), "http://new") << what;
  };
  setDocument();
  ASSERT_EQ(Interactive({OnEditor([](HWND dialog) {
              SetDlgItemTextA(dialog, kUrl, "http://new");
              PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
            })}),
            0);
  expectDocument("OK");
  setDocument();
  ASSERT_EQ(DoIt(kPlugInDialogSilent), 0);
  expectDocument("replay");
}

// A host without the ZString suite hands the x64 module its ANSI text through the char*
// routines: converted, "Café" is shown as itself and written back intact, as is what the user
// types.
TEST_F(PluginDll, TheCharRoutinesTextIsShownAndWrittenInTheHostsCodePage) {
  host.refusedSuite = kASZStringSuite;
  host.SetField(Code("ObjN"), "Caf\xC3\xA9");
  host.SetField(Code("Cptn"), "Cr\xC3\xA8me");
  std::wstring shown;
  ASSERT_EQ(Interactive({OnEditor([&](HWND dialog) {
              wchar_t text[64] = {};
              GetDlgItemTextW(dialog, kTitle, text, 64);
              shown = text;
              SetDlgItemTextW(dialog, kKeywords, L"Zo\u00EB");
              PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
            })}),
            0);
  EXPECT_EQ(shown, L"Caf\u00E9");
  EXPECT_EQ(host.Field(Code("ObjN")), "Caf\xC3\xA9");
  EXPECT_EQ(host.Field(Code("Cptn")), "Cr\xC3\xA8me");
  EXPECT_EQ(host.Keywords(), std::vector<std::string>{"Zo\xC3\xAB"});
}

// The module's library (under the system directory; the user's for the x64 module): what the
// installation provides there receives "Last" and the recent values of a confirmed run.
TEST_F(PluginDll, OkSavesLastAndTheRecentValuesInTheLibrary) {
  const SystemLibrary library;
  host.SetField(Code("ObjN"), "Harbour");
  EXPECT_EQ(Interactive({OnEditor([](HWND dialog) {
              SetDlgItemTextA(dialog, kTitle, "Dawn");
              PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
            })}),
            0);
  EXPECT_EQ(library.Read("Templates\\Last.tmp"),
            "Copyright=\nDescription=\nKeywords=\nPhotographer=\nTitle=Dawn\nURL=\n");
  EXPECT_EQ(library.Read("Recent.dat"),
            "Title=Dawn\nPhotographer=\nDescription=\nKeywords=\nCopyright=\nURL=\n");
}

#if defined(_WIN64)
// The x64 module's first use finds no library of the user's but earlier ones: where the 32-bit
// module kept it on 64-bit Windows (the 32-bit system folder, with a standard user's virtual store
// in front) and the classic root. It copies the user's templates, groups, recent values and added
// words into the user's root and works there; the earlier roots stay as they were.
TEST_F(PluginDll, X64ModuleMovesTheEarlierLibraryIntoTheUsersRoot) {
  std::filesystem::remove_all(UserRoot());
  char wow64[MAX_PATH] = {}, local[MAX_PATH] = {};
  ASSERT_GT(GetSystemWow64DirectoryA(wow64, sizeof wow64), 2u);
  ASSERT_TRUE(SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, local)));
  const SystemLibrary classic(ClassicRoot()), redirected(std::string(wow64) + "\\kwTemplates\\"),
      store(std::string(local) + "\\VirtualStore" + (wow64 + 2) + "\\kwTemplates\\");
  std::filesystem::create_directories(store.root + "Groups\\Nature");
  redirected.Write("Templates\\Studio.tmp", "Title=Studio\n");
  store.Write("Groups\\Nature\\Trees.tmp", "Keywords=oak; ash; \n");
  const std::string recent = "Title=Dawn\nPhotographer=\nDescription=\nKeywords=\nCopyright=\nURL=\n";
  classic.Write("Recent.dat", recent);
  classic.Write("SavedWords.dat", "qwixel\n");
  // A template another program holds cannot be copied: it stays, named in the error log.
  classic.Write("Templates\\Held.tmp", "Title=Held\n");
  const std::string held = classic.root + "Templates\\Held.tmp";
  const HANDLE holder = CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  EXPECT_EQ(Interactive({OnEditor([](HWND dialog) {
              SetDlgItemTextA(dialog, kTitle, "Evening");
              PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
            })}),
            0);
  CloseHandle(holder);
  const std::vector<std::string> log = LogLines();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].substr(log[0].find(']') + 2), "Not moved: " + held);
  const SystemLibrary user(UserRoot());
  EXPECT_FALSE(std::filesystem::exists(user.root + "Templates\\Held.tmp"));
  EXPECT_EQ(user.Read("Templates\\Studio.tmp"), "Title=Studio\n");
  EXPECT_EQ(user.Read("Groups\\Nature\\Trees.tmp"), "Keywords=oak; ash; \n");
  EXPECT_EQ(user.Read("SavedWords.dat"), "qwixel\n");
  EXPECT_EQ(user.Read("Recent.dat"),
            "Title=Evening|Dawn\nPhotographer=\nDescription=\nKeywords=\nCopyright=\nURL=\n");
  EXPECT_EQ(user.Read("Templates\\Last.tmp"),
            "Copyright=\nDescription=\nKeywords=\nPhotographer=\nTitle=Evening\nURL=\n");
  EXPECT_FALSE(std::filesystem::exists(classic.root + "Templates\\Last.tmp"));
  EXPECT_EQ(classic.Read("Recent.dat"), recent);
  EXPECT_EQ(redirected.Read("Templates\\Studio.tmp"), "Title=Studio\n");
  EXPECT_EQ(store.Read("Groups\\Nature\\Trees.tmp"), "Keywords=oak; ash; \n");
}
#endif

// Recent.dat that cannot be written does not stop OK: the run still saves "Last" and writes the
// document. A later dialog that cannot read Recent.dat still offers the values read before.
TEST_F(PluginDll, RecentValuesThatCannotBeWrittenOrReadLoseNothingElse) {
  const SystemLibrary library;
  const std::string recent = "Title=Dawn|Lake\nPhotographer=\nDescription=\nKeywords=\nCopyright=\nURL=\n";
  library.Write("Recent.dat", recent);
  // The replacement file cannot be created where a folder of its name stands.
  ASSERT_TRUE(CreateDirectoryA((library.root + "Recent.dat.new").c_str(), nullptr));
  host.SetField(Code("ObjN"), "Harbour");
  EXPECT_EQ(Interactive({OnEditor([](HWND dialog) {
              SetDlgItemTextA(dialog, kTitle, "Evening");
              PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
            })}),
            0);
  EXPECT_EQ(host.Field(Code("ObjN")), "Evening");
  EXPECT_EQ(library.Read("Templates\\Last.tmp"),
            "Copyright=\nDescription=\nKeywords=\nPhotographer=\nTitle=Evening\nURL=\n");
  EXPECT_EQ(library.Read("Recent.dat"), recent);

  std::filesystem::remove_all(library.root + "Recent.dat");
  std::filesystem::remove_all(library.root + "Recent.dat.new");
  std::string offered;
  EXPECT_EQ(Interactive({
                Click(kRecentTitles),
                {[&offered] {
                  HMENU menu = OpenPopupMenu();
                  if (!menu) return false;
                  offered = DescribeMenu(menu);
                  EndMenu();
                  return true;
                }},
                Click(IDCANCEL),
            }),
            kResultStop);
  EXPECT_EQ(offered, "Dawn=31000, Lake=31001");
}

TEST_F(PluginDll, CancelEscapeAndCloseReturnStopAndWriteNothing) {
  host.SetField(Code("ObjN"), "Keep");
  const std::vector<std::pair<const char*, DialogStep>> ways = {
      {"Cancel", OnEditor([](HWND d) { PostMessageA(GetDlgItem(d, IDCANCEL), BM_CLICK, 0, 0); })},
      {"Escape", OnEditor([](HWND d) {
         SetFocus(GetDlgItem(d, kTitle));
         PostKey(VK_ESCAPE);
       })},
      {"close", OnEditor([](HWND d) { PostMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0); })},
  };
  for (const auto& way : ways) {
    params.descriptor = host.MakeDescriptor(kRecorded);
    PIActionDescriptor previous = params.descriptor;
    const SPErr result =
        Interactive({OnEditor([](HWND d) { SetDlgItemTextA(d, kTitle, "changed"); }), way.second});
    EXPECT_EQ(result, kResultStop) << way.first;
    EXPECT_EQ(Plays(), 0) << way.first;
    EXPECT_EQ(host.Field(Code("ObjN")), "Keep");
    EXPECT_EQ(params.descriptor, previous);
    host.FreeDescriptor(params.descriptor);
    params.descriptor = nullptr;
  }
  EXPECT_TRUE(LogLines().empty());
}

TEST_F(PluginDll, ReplaysWithAndWithoutDescriptor) {
  params.descriptor = host.MakeDescriptor(kRecorded);
  EXPECT_EQ(DoIt(kPlugInDialogSilent), 0);
  EXPECT_EQ(host.Keywords(), (std::vector<std::string>{"k1", "k2"}));
  EXPECT_EQ(host.Field(Code("Cptn")), "D");
  EXPECT_EQ(host.Strings(params.descriptor), kRecorded);

  host.FreeDescriptor(params.descriptor);
  params.descriptor = nullptr;
  EXPECT_EQ(DoIt(kPlugInDialogDontDisplay), 0);
  EXPECT_EQ(host.Keywords(), (std::vector<std::string>{"k1", "k2"}));
  EXPECT_EQ(host.Field(Code("Cptn")), "");
  EXPECT_EQ(host.Strings(params.descriptor).size(), 6u);
}

TEST_F(PluginDll, RefusedSuiteOrMemoryIsLoggedAndTheHostGetsZero) {
  host.refusedSuite = "df135117-c769-11d0-8079-00c04fd7ec47";
  EXPECT_EQ(DoIt(kPlugInDialogSilent), 0);
  std::vector<std::string> lines = LogLines();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].substr(19), " Error: 1348563565");

  // The module's memory comes from the host: without it the run ends the same way.
  host.refusedSuite.clear();
  host.failAllocate = true;
  EXPECT_EQ(DoIt(kPlugInDialogSilent), 0);
  host.failAllocate = false;
  lines = LogLines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1].substr(19), " Error: 1348563565");
}

TEST_F(PluginDll, EveryFailingHostCallOfAReplayLeaksNothing) {
  params.descriptor = host.MakeDescriptor(kRecorded);
  host.callCount = 0;
  DoIt(kPlugInDialogSilent);
  const int total = host.callCount;
  for (int n = 1; n <= total; ++n) {
    if (params.descriptor) host.FreeDescriptor(params.descriptor);
    params.descriptor = host.MakeDescriptor(kRecorded);
    host.calls.clear();
    host.callCount = 0;
    host.failCall = n;
    EXPECT_EQ(DoIt(kPlugInDialogSilent), 0);
    if (host.calls[n - 1].find(".Free ->") != std::string::npos ||
        host.calls[n - 1].find(".Release") != std::string::npos) {
      // A failed Free or Release is the host's own loss.
      params.descriptor = nullptr;
      host.ForgetLiveObjects();
      continue;
    }
    EXPECT_EQ(host.LiveObjects(), 1) << "call " << n << ": " << host.calls[n - 1];  // the step
  }
  host.failCall = 0;
  EXPECT_TRUE(LogLines().empty());
}

// Every block the module asks for is a host block with guard bytes around it; a damaged guard is
// reported to the debugger when the block goes back, here at unload.
TEST_F(PluginDll, MemoryWatchGuardsHostBlocks) {
  PVOID handler = AddVectoredExceptionHandler(1, CatchDebugText);
  params.descriptor = host.MakeDescriptor(kRecorded);
  DoIt(kPlugInDialogSilent);
  ASSERT_GT(host.LiveBlocks(), 0);  // the run history
  for (void* block : host.blocks_) {
    EXPECT_EQ(std::memcmp(block, "AAAA", 4), 0);
    static_cast<char*>(block)[0] = 'x';
  }
  const int damaged = host.LiveBlocks();
  plugin.reset();
  RemoveVectoredExceptionHandler(handler);
  EXPECT_EQ(gDebugger, std::vector<std::string>(damaged, "MW:BAD SIGNATURE AT BEGINNING!\n"));
  gDebugger.clear();
}

int CountOf(const std::vector<std::string>& texts, const char* text) {
  return static_cast<int>(std::count(texts.begin(), texts.end(), text));
}

// The run history keeps a block per run: past 500 live blocks the table is full, further blocks
// are handed out unrecorded, and each of them still goes back to the host. The 32-bit module
// reports each of them as it comes and goes; the 64-bit one reports the overflow once, when the
// table fills, and releases them quietly.
TEST_F(PluginDll, MemoryWatchTableFillsUp) {
  constexpr bool kReportsEach = sizeof(void*) == 4;
  PVOID handler = AddVectoredExceptionHandler(1, CatchDebugText);
  for (int run = 0; run < 600; ++run) {
    if (params.descriptor) host.FreeDescriptor(params.descriptor);
    params.descriptor = host.MakeDescriptor(kRecorded);
    ASSERT_EQ(DoIt(kPlugInDialogSilent), 0);
  }
  const int unrecorded = host.LiveBlocks() - 500;
  ASSERT_GT(unrecorded, 0);
  const int full = CountOf(gDebugger, "MW:MEMCHECK FULL!\n");
  if (kReportsEach) {
    // Blocks of a run that came and went while the table was full: unknown size, not found.
    EXPECT_GE(full, unrecorded);
    EXPECT_EQ(CountOf(gDebugger, "MW:NO SIZE!\n"), CountOf(gDebugger, "MW:NOT FOUND!\n"));
    EXPECT_EQ(full + 2 * CountOf(gDebugger, "MW:NO SIZE!\n"), static_cast<int>(gDebugger.size()));
  } else {
    EXPECT_GE(full, 1);
    EXPECT_EQ(full, static_cast<int>(gDebugger.size()));
  }

  // At unload the recorded history goes first; the unrecorded rest is released all the same.
  gDebugger.clear();
  plugin.reset();
  RemoveVectoredExceptionHandler(handler);
  EXPECT_EQ(CountOf(gDebugger, "MW:NO SIZE!\n"), kReportsEach ? unrecorded : 0);
  EXPECT_EQ(CountOf(gDebugger, "MW:NOT FOUND!\n") + CountOf(gDebugger, "MW:EMPTY!\n"),
            kReportsEach ? unrecorded : 0);
  EXPECT_EQ(host.LiveBlocks(), 0);
  gDebugger.clear();
}

}  // namespace
