// The keyword-list import and export, and the tools menu of a large library, timed:
//   import   a list of 10,000 keywords with 10,000 synonyms making 500 groups (50 top-level nodes,
//            each with 10 nodes of 19 keywords each), read from its file into an empty library
//            (target: 2 seconds or less under Wine, x64)
//   export   that library written back to a file (target: 1 second or less)
//   menu     the tools menu of a library of 1,000 groups in 50 folders: the group list read and
//            laid out (on Windows also made into a real menu, as the Tools button does)
//            (target: 100 ms or less)
// Each figure is the median of ROUNDS runs (5 unless given), in milliseconds.
//   keyword_list_bench [ROUNDS]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "file_system.h"
#include "keyword_library.h"
#include "keyword_list_import.h"
#include "tools_menu.h"
#ifdef _WIN32
#include "list_menu_win32.h"
#endif

namespace {

namespace fs = std::filesystem;

double Milliseconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since).count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

std::string BigList() {
  std::string text;
  for (int top = 0; top < 50; ++top) {
    text += "Subject " + std::to_string(top) + "\r\n";
    for (int node = 0; node < 10; ++node) {
      const std::string name = "Topic " + std::to_string(top) + "." + std::to_string(node);
      text += "\t" + name + "\r\n\t\t{" + name + " alias}\r\n";
      for (int leaf = 0; leaf < 19; ++leaf) {
        const std::string keyword =
            "keyword " + std::to_string(top) + "." + std::to_string(node) + "." + std::to_string(leaf);
        text += "\t\t" + keyword + "\r\n\t\t\t{" + keyword + " synonym}\r\n";
      }
    }
  }
  return text;
}

// A fresh library folder under the system's temporary folder.
std::string FreshLibrary(const char* name) {
  const fs::path root = fs::temp_directory_path() / name;
  fs::remove_all(root);
  fs::create_directories(root / "Templates");
  fs::create_directories(root / "Groups");
  return root.string() + kPathSeparator;
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  const std::string listPath = (fs::temp_directory_path() / "kwbench-list.txt").string();
  const std::string outPath = (fs::temp_directory_path() / "kwbench-out.txt").string();
  ReplaceFileBytes(listPath, BigList());

  std::vector<double> imports, exports, menus;
  for (int round = 0; round < rounds; ++round) {
    const KeywordLibrary library(FreshLibrary("kwbench-import"));
    auto start = std::chrono::steady_clock::now();
    std::string text;
    ReadTextFile(listPath, text);
    const ImportReport report = ImportKeywordList(library, text);
    imports.push_back(Milliseconds(start));
    if (report.groups != 500 || report.keywords != 10000 || report.synonyms != 10000) {
      std::fprintf(stderr, "import: %zu groups, %zu keywords, %zu synonyms\n", report.groups, report.keywords,
                   report.synonyms);
      return 1;
    }
    start = std::chrono::steady_clock::now();
    const bool written = ReplaceFileBytes(outPath, ExportKeywordList(library));
    exports.push_back(Milliseconds(start));
    if (!written) return 1;
  }

  const std::string menuRoot = FreshLibrary("kwbench-menu");
  for (int folder = 0; folder < 50; ++folder) {
    const fs::path path = fs::path(menuRoot) / "Groups" / ("Folder " + std::to_string(folder));
    fs::create_directories(path);
    for (int group = 0; group < 20; ++group) {
      std::FILE* file =
          std::fopen((path / ("Group " + std::to_string(group) + ".tmp")).string().c_str(), "w");
      if (file == nullptr) return 1;
      std::fputs("Keywords=one; two; three; \n", file);
      std::fclose(file);
    }
  }
  const KeywordLibrary menuLibrary(menuRoot);
  for (int round = 0; round < rounds; ++round) {
    const auto start = std::chrono::steady_clock::now();
    TextList groups;
    menuLibrary.ListGroups(groups);
    const MenuRows rows = LayoutToolsMenu(groups);
#ifdef _WIN32
    DestroyMenu(CreateMenuFromRows(rows));
#endif
    menus.push_back(Milliseconds(start));
    if (groups.size() != 1050) return 1;
  }
  std::printf("import %.1f\nexport %.1f\nmenu %.1f\n", Median(imports), Median(exports), Median(menus));
  fs::remove_all(fs::temp_directory_path() / "kwbench-import");
  fs::remove_all(fs::temp_directory_path() / "kwbench-menu");
  fs::remove(listPath);
  fs::remove(outPath);
  return 0;
}
