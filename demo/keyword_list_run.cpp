// The keyword library meets a catalog's keyword list: imported through the tools menu, one of its
// groups added to the keyword box (synonyms after their keyword), and the whole library exported
// again. The editor is then cancelled: the document is not touched.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>

#include "demo.h"
#include "document_file.h"
#include "editor_dialog_res.h"
#include "editor_steps.h"
#include "plugin_loader.h"

namespace {

constexpr const char kImportCaption[] = "Import Keyword List";

std::string FileBytes(const std::string& path) {
  std::ifstream in(WideOf(path).c_str(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::size_t LineCount(const std::string& text) {
  std::size_t lines = 0;
  for (char c : text) lines += c == '\n' ? 1 : 0;
  return lines;
}

DialogStep Choose(std::vector<std::string> path) {
  return ChooseMenuItem([path](HMENU menu) { return MenuPathId(menu, path); }, EditorWindow,
                        [path] { Fail("the tools menu has no \"" + path.back() + "\""); });
}

}  // namespace

void KeywordListInAndOut(const std::string& plugin, const std::string& document, const std::string& list,
                         const std::string& exported, const std::string& pictures) {
  stub::FakeHost host;
  if (!LoadDocument(document.c_str(), host)) {
    Fail("cannot read the document " + document);
    return;
  }
  const std::string imported = FileBytes(list);
  std::printf("  a keyword list of %zu lines: %s\n", LineCount(imported), list.c_str());
  const std::vector<std::string> raptors = {"Add Keyword's Group", "Animals", "Birds \xE2\x80\xBA Raptors"};
  PIActionParameters params{kPlugInDialogDisplay, kPlugInDialogOptional, nullptr};
  LoadedPlugin module(plugin.c_str());
  if (!module.Loaded()) {
    Fail("cannot load " + plugin + " (error " + std::to_string(GetLastError()) + ")");
    return;
  }
  DialogScript script = {
      Click(IDC_TOOLS),
      Choose({"Import Keyword List..."}),
      EnterPathInFileDialog("Open Keyword List", list),
      {[] {
        HWND box = FindVisibleWindow("#32770", kImportCaption);
        if (!box) return false;
        std::printf("  message: \"%s\"\n", ItemTextUtf8(box, 0xFFFF).c_str());
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return true;
      }},
      WhenClosed(kImportCaption),
      Click(IDC_TOOLS),
      OpenSubmenus({raptors[0], raptors[1]},
                   [](HMENU menu) {
                     std::printf("  Add Keyword's Group > Animals: %s\n", MenuItemsUtf8(menu).c_str());
                   }),
      {[pictures] {
        if (!SaveMenuPicture(pictures + "\\group-menu.bmp")) Fail("no picture of the group menu");
        EndMenu();
        return true;
      }},
      {[] { return VisibleMenus().empty(); }},
      Click(IDC_TOOLS),
      Choose(raptors),
      OnEditor([](HWND editor) {
        std::printf("  keyword box after adding the group \"Birds \xE2\x80\xBA Raptors\": %s\n",
                    ItemTextUtf8(editor, IDC_KEYWORDS).c_str());
      }),
      Click(IDC_TOOLS),
      Choose({"Export Keyword List..."}),
      EnterPathInFileDialog("Save Keyword List", exported),
      {[exported, imported] {
        if (FindVisibleWindow("#32770", "Save Keyword List")) return false;
        const std::string bytes = FileBytes(exported);
        if (bytes.empty()) return false;
        std::printf("  exported %zu lines to %s: %s\n", LineCount(bytes), exported.c_str(),
                    bytes == imported ? "the imported list, byte for byte" : "NOT the imported list");
        if (bytes != imported) Fail("the exported keyword list differs from the imported one");
        return true;
      }},
      Do([] { std::printf("  Cancel: the document stays as it was\n"); }),
      Click(IDCANCEL),
  };
  bool finished = false;
  const INT_PTR result = RunScripted([&] { return static_cast<INT_PTR>(module.DoIt(host, &params)); },
                                     std::move(script), &finished, 60000);
  if (!finished) Fail("the keyword-list script did not run to its end");
  std::printf("  Do It returned %s, %zu set event(s) played on the document\n",
              result == Code("STOP") ? "'STOP' (cancelled)" : std::to_string(result).c_str(),
              host.played.size());
  if (!host.played.empty()) Fail("the cancelled run wrote the document");
  if (params.descriptor) host.FreeDescriptor(params.descriptor);
}
