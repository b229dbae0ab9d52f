// How long the first language operation (loading the speller and the thesaurus) and a
// spell-check walk over a full keyword text of correct words take, next to the hunspell
// command-line tool checking the same words with the same dictionary. Prints the ratio; the
// target is at most 1.3. Then the memory each of English (US), German and Polish takes once loaded
// (the growth of the process's resident memory), and the three together.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include <malloc.h>

#include "language_services.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kRounds = 5;

double Seconds(Clock::time_point since) {
  return std::chrono::duration<double>(Clock::now() - since).count();
}

// Plain lower-case words of the dictionary, spread over the whole alphabet, joined in the
// keyword text's produced form up to its capacity.
std::string KeywordText(const fs::path& dictionary) {
  std::ifstream in(dictionary);
  std::string line;
  std::vector<std::string> words;
  std::getline(in, line);  // word count
  while (std::getline(in, line)) {
    const std::string word = line.substr(0, line.find('/'));
    if (word.size() > 2 &&
        std::all_of(word.begin(), word.end(), [](char c) { return c >= 'a' && c <= 'z'; })) {
      words.push_back(word);
    }
  }
  std::string text;
  for (std::size_t i = 0; !words.empty(); i = (i + 37) % words.size()) {
    if (text.size() + words[i].size() + 2 > kKeywordCapacity) break;  // a full keyword box
    text += words[i] + "; ";
  }
  return text;
}

// The bytes the process has allocated and not freed.
double AllocatedMiB() {
  const struct mallinfo2 info = mallinfo2();
  return static_cast<double>(info.uordblks + info.hblkhd) / (1024.0 * 1024.0);
}

// The memory the services take once the languages (tags, with their speller and thesaurus from
// the system's folders) are loaded.
double LoadedMiB(const std::vector<std::string>& tags) {
  const fs::path root = fs::temp_directory_path() / "language-bench-memory";
  fs::remove_all(root);
  fs::create_directories(root);
  std::ofstream choice(root / "Languages.txt");
  for (const std::string& tag : tags) {
    // en_US is installed; the others are unpacked under the build root.
    const std::string share = tag == "en_US" ? "/usr/share" : UNPACKED_DICTIONARIES;
    fs::copy_file(share + "/hunspell/" + tag + ".aff", root / (tag + ".aff"));
    fs::copy_file(share + "/hunspell/" + tag + ".dic", root / (tag + ".dic"));
    fs::copy_file(share + "/mythes/th_" + tag + "_v2.idx", root / (tag + ".idx"));
    fs::copy_file(share + "/mythes/th_" + tag + "_v2.dat", root / (tag + ".dat"));
    choice << tag << "\n";
  }
  choice.close();
  const double before = AllocatedMiB();
  double taken = 0;
  {
    LanguageServices services(root.string() + "/");
    services.Load();
    taken = AllocatedMiB() - before;
  }
  fs::remove_all(root);
  return taken;
}

void ReportMemory() {
  for (const char* tag : {"en_US", "de_DE", "pl_PL"})
    std::printf("memory once loaded, %s:                %8.1f MiB\n", tag, LoadedMiB({tag}));
  std::printf("memory once loaded, all three:          %8.1f MiB\n", LoadedMiB({"en_US", "de_DE", "pl_PL"}));
}

}  // namespace

int main() {
  const fs::path root = fs::temp_directory_path() / "language-bench";
  fs::remove_all(root);
  fs::create_directories(root);
  fs::copy_file("/usr/share/hunspell/en_US.aff", root / "en_US.aff");
  fs::copy_file("/usr/share/hunspell/en_US.dic", root / "en_US.dic");
  fs::copy_file("/usr/share/mythes/th_en_US_v2.idx", root / "en_US.idx");
  fs::copy_file("/usr/share/mythes/th_en_US_v2.dat", root / "en_US.dat");

  const std::string text = KeywordText(root / "en_US.dic");
  TextList words;
  SplitKeywords(text.c_str(), words, true, false);
  {
    std::ofstream list(root / "words.txt");
    for (const std::string& word : words) list << word << "\n";
  }

  double bestLoad = 1e9, bestWalk = 1e9, bestTool = 1e9;
  int wrong = 0;
  for (int round = 0; round < kRounds; ++round) {
    LanguageServices library(root.string() + "/");
    const Clock::time_point start = Clock::now();
    library.IsWordCorrect(words.front().c_str());  // first use: loads both files
    const double load = Seconds(start);
    const Clock::time_point walkStart = Clock::now();
    wrong = 0;
    for (const std::string& word : words) wrong += library.IsWordCorrect(word.c_str()) ? 0 : 1;
    bestLoad = std::min(bestLoad, load);
    bestWalk = std::min(bestWalk, Seconds(walkStart));

    const std::string command = "hunspell -l -d " + (root / "en_US").string() + " < " +
                                (root / "words.txt").string() + " > " + (root / "tool.txt").string();
    const Clock::time_point toolStart = Clock::now();
    if (std::system(command.c_str()) != 0) {
      std::cerr << "hunspell command-line tool failed\n";
      return 1;
    }
    bestTool = std::min(bestTool, Seconds(toolStart));
  }
  fs::remove_all(root);

  const double ours = bestLoad + bestWalk;
  std::printf("keyword text: %zu bytes, %zu words, %d reported wrong\n", text.size(), words.size(), wrong);
  std::printf("first use (speller + thesaurus load): %8.1f ms\n", bestLoad * 1000);
  std::printf("spell-check walk:                     %8.1f ms\n", bestWalk * 1000);
  std::printf("hunspell -l, same words:              %8.1f ms\n", bestTool * 1000);
  std::printf("ratio (load + walk) / hunspell: %.2f (target <= 1.30)\n", ours / bestTool);
  ReportMemory();
  return 0;
}
