#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "demo.h"
#include "dialog_driver.h"
#include "editor_steps.h"
#include "document_file.h"
#include "editor_dialog_res.h"
#include "plugin_loader.h"
#include "spell_check_dialog_res.h"

namespace {

constexpr const char kSpellCaption[] = "Spell Checker";

// The recorded step that is replayed: what an earlier accepted run handed the host.
const std::vector<std::pair<DescriptorKeyID, std::string>> kRecordedStep = {
    {Code("KeWo"), "harbor; boats; dawn; "},
    {Code("Titl"), "Harbor at dawn"},
    {Code("Phot"), "R. Vale"},
    {Code("Desc"), "Fishing boats leave the harbor at first light."},
    {Code("Copy"), "(c) 2006 R. Vale"},
    {Code("URLP"), "http://example.com/rvale"}};

// What the dialog run types into the keyword box: one word is misspelt on purpose.
constexpr const char kTypedKeywords[] = "harbor; boats; dawn; lighthous; fog; ";
// The Unicode products check in the languages chosen: English and German keywords side by side.
constexpr const char kTypedKeywordsTwoLanguages[] =
    "harbor; boats; dawn; lighthous; fog; Hafen; Leuchtturm; M\xC3\xB6we; Morgend\xC3\xA4mmerung; ";
constexpr const char kMisspelt[] = "lighthous";
constexpr const char kCorrection[] = "lighthouse";
constexpr const char kTypedDescription[] =
    "Fishing boats leave the harbor at first light; the lighthouse is still on.";

// A value's later lines continue under its first line.
std::string Indented(const std::string& value) {
  std::string out;
  for (char c : value) {
    if (c == '\r') continue;
    out += c;
    if (c == '\n') out += std::string(18, ' ');
  }
  return out;
}

// The six fields in the editor's order, by their keys in the document's File Info; the keywords
// are the document's list.
void PrintFileInfo(const char* when, const stub::FakeHost& host) {
  const struct {
    const char* label;
    const char* key;  // null: the keyword list
  } kFields[] = {{"Title", "ObjN"},     {"Photographer", "Byln"}, {"Description", "Cptn"},
                 {"Keywords", nullptr}, {"Copyright", "CprN"},    {"Copyright URL", "URL "}};
  std::printf("  File Info %s:\n", when);
  for (const auto& field : kFields) {
    std::string value;
    if (!field.key) {
      for (const std::string& keyword : host.Keywords()) value += (value.empty() ? "" : "; ") + keyword;
    } else if (host.HasField(Code(field.key))) {
      value = Indented(host.Field(Code(field.key)));
    }
    std::printf("    %-13s %s\n", field.label, value.empty() ? "(none)" : value.c_str());
  }
}

void PrintRecorded(stub::FakeHost& host, PIActionDescriptor descriptor) {
  if (!descriptor) {
    Fail("the run recorded no step");
    return;
  }
  std::printf("  recorded step:");
  for (const auto& item : host.Strings(descriptor))
    std::printf(" %s=\"%s\"", stub::CodeText(item.first).c_str(), item.second.c_str());
  std::printf("\n");
}

bool Load(const std::string& document, stub::FakeHost& host) {
  if (LoadDocument(document.c_str(), host)) return true;
  Fail("cannot read the document " + document);
  return false;
}

void Save(const std::string& document, const stub::FakeHost& host) {
  if (SaveDocument(document.c_str(), host))
    std::printf("  saved %s\n", document.c_str());
  else
    Fail("cannot save the document " + document);
}

// Checks what a run returned and that it wrote the document once.
void CheckRun(SPErr result, const stub::FakeHost& host) {
  std::printf("  Do It returned %ld, %zu set event(s) played on the document\n", static_cast<long>(result),
              host.played.size());
  if (result != 0) Fail("Do It failed with " + std::to_string(result));
  if (host.played.size() != 1) Fail("the run did not write the document's File Info once");
}

// ---- steps of the dialog script

DialogStep Picture(HWND (*find)(), std::string path, const char* what) {
  return {[find, path, what] {
    HWND window = find();
    if (!window) return false;
    if (!SaveWindowPicture(window, path)) Fail(std::string("no picture of the ") + what);
    return true;
  }};
}

DialogStep MenuPicture(std::string path, const char* what) {
  return {[path, what] {
    if (!FindVisibleWindow(kMenuClass, nullptr)) return false;
    if (!SaveMenuPicture(path)) Fail(std::string("no picture of the ") + what);
    return true;
  }};
}

DialogStep CloseMenus() {
  return {[] {
    if (FindVisibleWindow(kMenuClass, nullptr)) EndMenu();
    return FindVisibleWindow(kMenuClass, nullptr) == nullptr;
  }};
}

// A right click on the middle of word in the keyword box, as the mouse makes it.
DialogStep RightClickOn(std::string word) {
  return {[word] {
    HWND editor = EditorWindow();
    if (!editor) return false;
    HWND box = GetDlgItem(editor, IDC_KEYWORDS);
    const std::size_t at = ItemText(editor, IDC_KEYWORDS).find(word);
    if (at == std::string::npos) {
      Fail("the keyword box has no \"" + word + "\"");
      return true;
    }
    const LRESULT place = SendMessageA(box, EM_POSFROMCHAR, at + word.size() / 2, 0);
    POINT point = {static_cast<short>(LOWORD(place)) + 2, static_cast<short>(HIWORD(place)) + 4};
    ClientToScreen(box, &point);
    return RightClickAt(point);
  }};
}

std::string MenuItems(HMENU menu) {
  std::string items;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    char text[128] = "";
    GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
    if (!*text) continue;  // separator
    items += (items.empty() ? "" : " | ") + std::string(text) + (GetSubMenu(menu, i) ? " >" : "");
  }
  return items;
}

DialogStep PrintMenu(const char* what) {
  return {[what] {
    HMENU menu = OpenPopupMenu();
    if (!menu) return false;
    std::printf("  %s: %s\n", what, MenuItems(menu).c_str());
    return true;
  }};
}

int OpenMenus() {
  return static_cast<int>(VisibleMenus().size());
}

// Opens the first item's submenu with the keyboard, as a user going down and right would; gives
// up after a second and leaves the menu as it is.
DialogStep OpenFirstSubmenu() {
  auto start = std::make_shared<DWORD>(0);
  return {[start] {
    if (*start == 0) {
      *start = GetTickCount() | 1;
      PressKey(VK_DOWN);
      PressKey(VK_RIGHT);
    }
    return OpenMenus() >= 2 || GetTickCount() - *start > 1000;
  }};
}

// The spell-check dialog, or the message box it shows at the end: both are captioned alike.
HWND SpellWindow(bool dialog) {
  return FindVisibleWindow("#32770", kSpellCaption, [dialog](HWND window) {
    return (GetDlgItem(window, IDC_SPELL_WORD) != nullptr) == dialog;
  });
}

HWND SpellDialog() {
  return SpellWindow(true);
}

// The spell check over the keyword box: the misspelt word gets its correction; any other word
// the speller stops at is ignored; the completion message is acknowledged.
DialogScript SpellCheckSteps(const std::string& pictures) {
  return {
      {[] {
        HWND dialog = SpellDialog();
        if (!dialog) return false;
        HWND list = GetDlgItem(dialog, IDC_SPELL_SUGGESTIONS);
        std::string suggestions;
        const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count && i < 8; ++i) {
          char text[128] = "";
          if (SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0) < 127)
            SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
          suggestions += (suggestions.empty() ? "" : ", ") + std::string(text);
        }
        std::printf("  spell check stops at \"%s\", suggests: %s\n", ItemText(dialog, IDC_SPELL_WORD).c_str(),
                    suggestions.c_str());
        if (ItemText(dialog, IDC_SPELL_WORD) != kMisspelt)
          Fail(std::string("the spell check missed ") + kMisspelt);
        const LRESULT found = SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                           reinterpret_cast<LPARAM>(kCorrection));
        if (found == LB_ERR) Fail(std::string("no suggestion \"") + kCorrection + "\"");
        SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(found == LB_ERR ? 0 : found), 0);
        return true;
      }},
      Picture(SpellDialog, pictures + "\\spell-check.bmp", "spell-check dialog"),
      {[] {
        std::printf("  Replace\n");
        PostMessageA(GetDlgItem(SpellDialog(), IDC_SPELL_REPLACE), BM_CLICK, 0, 0);
        return true;
      }},
      {[] {
        // The replacement was posted to this thread before this tick, so the dialog has moved on:
        // to the completion message, or to another word the speller stops at.
        if (HWND box = SpellWindow(false)) {
          std::printf("  message: \"%s\"\n", ItemText(box, 0xFFFF).c_str());
          PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
          return true;
        }
        if (HWND dialog = SpellDialog()) {
          std::printf("  spell check also stops at \"%s\": Ignore\n",
                      ItemText(dialog, IDC_SPELL_WORD).c_str());
          PostMessageA(GetDlgItem(dialog, IDC_SPELL_IGNORE), BM_CLICK, 0, 0);
        }
        return false;
      }},
      WhenClosed(kSpellCaption),
  };
}

// The tools menu's Languages submenu shown in a picture, then German chosen beside English.
DialogScript LanguageSteps(const std::string& pictures) {
  return {
      Click(IDC_TOOLS),
      OpenSubmenus({"Languages"},
                   [](HMENU menu) { std::printf("  Languages: %s\n", MenuItemsUtf8(menu).c_str()); }),
      {[pictures] {
        if (!SaveMenuPicture(pictures + "\\languages-menu.bmp")) Fail("no picture of the Languages submenu");
        EndMenu();
        return true;
      }},
      {[] { return VisibleMenus().empty(); }},
      Click(IDC_TOOLS),
      ChooseMenuItem(
          [](HMENU menu) {
            return MenuPathId(menu, {"Languages", "Deutsch"});
          },
          EditorWindow, [] { Fail("the Languages submenu has no German"); }),
      Click(IDC_TOOLS),
      OpenSubmenus({"Languages"},
                   [](HMENU menu) {
                     std::printf("  Languages, German chosen: %s\n", MenuItemsUtf8(menu).c_str());
                     EndMenu();
                   }),
      {[] { return VisibleMenus().empty(); }},
  };
}

}  // namespace

void ReplayRecordedStep(const std::string& plugin, const std::string& document) {
  stub::FakeHost host;
  if (!Load(document, host)) return;
  PrintFileInfo("before", host);
  PIActionParameters params{kPlugInDialogSilent, kPlugInDialogOptional, host.MakeDescriptor(kRecordedStep)};
  {
    LoadedPlugin module(plugin.c_str());
    if (!module.Loaded()) {
      Fail("cannot load " + plugin + " (error " + std::to_string(GetLastError()) + ")");
      return;  // the host frees the step it made
    }
    std::printf("  replaying a recorded step, no dialog\n");
    CheckRun(module.DoIt(host, &params), host);
  }
  if (params.descriptor) host.FreeDescriptor(params.descriptor);
  PrintFileInfo("after", host);
  Save(document, host);
}

void EditWithDialog(const std::string& plugin, const std::string& document, const std::string& pictures) {
  stub::FakeHost host;
  if (!Load(document, host)) return;
  PrintFileInfo("before", host);
  PIActionParameters params{kPlugInDialogDisplay, kPlugInDialogOptional, nullptr};
  {
    LoadedPlugin module(plugin.c_str());
    if (!module.Loaded()) {
      Fail("cannot load " + plugin + " (error " + std::to_string(GetLastError()) + ")");
      return;
    }
    DialogScript script = {
        OnEditor([](HWND editor) {
          const char* keywords = kUnicodeProduct ? kTypedKeywordsTwoLanguages : kTypedKeywords;
          std::printf("  the editor opens; typing a description and keywords: %s\n", keywords);
          SetDlgItemTextA(editor, IDC_DESCRIPTION, kTypedDescription);
          SetDlgItemTextW(editor, IDC_KEYWORDS, WideOf(keywords).c_str());
        }),
    };
    if (kUnicodeProduct) {
      for (DialogStep& step : LanguageSteps(pictures)) script.push_back(std::move(step));
    }
    for (DialogStep& step : DialogScript{
             RightClickOn(kMisspelt),
             PrintMenu("word menu"),
             OpenFirstSubmenu(),
             MenuPicture(pictures + "\\word-menu.bmp", "word menu"),
             CloseMenus(),
             Click(IDC_TOOLS),
             PrintMenu("tools menu"),
             MenuPicture(pictures + "\\tools-menu.bmp", "tools menu"),
             Choose({"Spell Checker"}, [] { Fail("the menu has no \"Spell Checker\""); }),
         })
      script.push_back(std::move(step));
    for (DialogStep& step : SpellCheckSteps(pictures)) script.push_back(std::move(step));
    script.push_back(OnEditor([](HWND editor) {
      const std::string keywords = ItemText(editor, IDC_KEYWORDS);
      std::printf("  keyword box after the spell check: %s\n", ItemTextUtf8(editor, IDC_KEYWORDS).c_str());
      if (keywords.find(kCorrection) == std::string::npos) Fail("the correction is not in the keyword box");
    }));
    script.push_back(Picture(EditorWindow, pictures + "\\editor.bmp", "editor dialog"));
    script.push_back(Do([] { std::printf("  OK\n"); }));
    script.push_back(Click(IDOK));

    bool finished = false;
    const INT_PTR result = RunScripted([&] { return static_cast<INT_PTR>(module.DoIt(host, &params)); },
                                       std::move(script), &finished, 60000);
    if (!finished) Fail("the dialog script did not run to its end");
    CheckRun(static_cast<SPErr>(result), host);
    PrintRecorded(host, params.descriptor);
  }
  if (params.descriptor) host.FreeDescriptor(params.descriptor);
  PrintFileInfo("after", host);
  Save(document, host);
}
