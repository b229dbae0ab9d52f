// Runs Hunspell's own test suite (the tests folder of its source package) against the Hunspell
// library this build links: Debian's natively, the cross-built static library in the Windows
// trees. For each case named in the suite's Makefile.am it does what the suite's test.sh does with
// the upstream command-line tools, through the same library calls and the same tokenizer:
//   NAME.good  every word is accepted               (hunspell -l -i UTF-8)
//   NAME.wrong no word is accepted                  (hunspell -G -i UTF-8)
//   NAME.root  the roots of the good words          (hunspell, lines "+ ROOT")
//   NAME.morph analysis, stems and generation       (analyze NAME.aff NAME.dic NAME.good)
//   NAME.sug   the suggestions for the wrong words  (hunspell -a -i UTF-8, lines "&")
// and prints, per tree, how many cases pass. Cases known to fail for a reason outside this build
// are listed below with the reason; any other failing case fails the run.
//
// hunspell_upstream TESTS-FOLDER LABEL
#include <hunspell.hxx>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "charset.h"
#include "csutil.hxx"
#include "firstparser.hxx"
#include "textparser.hxx"

namespace {

// Cases that fail in every build, this one and Debian's native one alike, with the reason.
const std::vector<std::pair<std::string, std::string>> kKnownFailures = {};

const char* const kUtf8 = "UTF-8";
const std::string kEntityApos = "&apos;", kUtf8Apos = "\xe2\x80\x99";

struct Case {
  std::string name;
  bool firstField = false;  // "-1": only the first tab-separated field of each line is a word
};

std::string Slurp(const std::string& path, bool& found) {
  std::ifstream in(path, std::ios::binary);
  found = bool(in);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The lines of a file as the upstream tools read them with fgets into a buffer of width bytes:
// each line without its "\n"; a longer line comes in pieces.
std::vector<std::string> Lines(const std::string& text, std::size_t width) {
  std::vector<std::string> lines;
  for (std::size_t at = 0; at < text.size();) {
    std::size_t take = std::min(width - 1, text.size() - at);
    const std::size_t end = text.find('\n', at);
    if (end != std::string::npos && end - at < take) take = end - at + 1;
    std::string line = text.substr(at, take);
    if (!line.empty() && line.back() == '\n') line.pop_back();
    lines.push_back(line);
    at += take;
  }
  return lines;
}

// What the shell's $(...) and $(<file) keep: the text without its trailing line ends.
std::string Trimmed(std::string text) {
  while (!text.empty() && text.back() == '\n') text.pop_back();
  return text;
}

std::string WithoutCr(std::string text) {
  text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
  return text;
}

void Replace(std::string& text, const std::string& what, const std::string& with) {
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + with.size()))
    text.replace(at, what.size(), with);
}

class Runner {
 public:
  Runner(const std::string& folder, const Case& c)
      : base_(folder + "/" + c.name),
        firstField_(c.firstField),
        speller_(new Hunspell((base_ + ".aff").c_str(), (base_ + ".dic").c_str())),
        encoding_(speller_->get_dict_encoding()) {}

  // Empty when the case passes; otherwise what failed.
  std::string Run() {
    bool found = false;
    const std::string good = Slurp(base_ + ".good", found);
    if (found) {
      const std::string out = Trimmed(WithoutCr(Words(good, false)));
      if (!out.empty()) return "good words recognised as wrong: " + out;
    }
    const std::string wrong = Slurp(base_ + ".wrong", found);
    if (found) {
      const std::string out = Trimmed(WithoutCr(Words(wrong, true)));
      if (!out.empty()) return "bad words recognised as good: " + out;
    }
    std::string expected = Slurp(base_ + ".root", found);
    if (found && Trimmed(Roots(good)) != Trimmed(expected)) return "roots differ:\n" + Roots(good);
    expected = Slurp(base_ + ".morph", found);
    if (found && Trimmed(WithoutCr(Analyze(good))) != Trimmed(expected))
      return "morphological analysis differs:\n" + Analyze(good);
    expected = Slurp(base_ + ".sug", found);
    if (found && Trimmed(Suggestions(wrong)) != Trimmed(expected))
      return "suggestions differ:\n" + Suggestions(wrong);
    return std::string();
  }

 private:
  // The tokenizer of input read as UTF-8: letters and the dictionary's word characters.
  std::unique_ptr<TextParser> Parser() {
    if (firstField_) return std::unique_ptr<TextParser>(new FirstParser(""));
    if (encoding_ == kUtf8) {
      const std::vector<w_char>& chars = speller_->get_wordchars_utf16();
      return std::unique_ptr<TextParser>(
          new TextParser(chars.empty() ? nullptr : chars.data(), int(chars.size())));
    }
    wordchars_.clear();
    const std::string& chars = speller_->get_wordchars_cpp();
    if (!chars.empty()) {
      u8_u16(wordchars_, ConvertText(chars, encoding_, kUtf8));
      std::sort(wordchars_.begin(), wordchars_.end());
    }
    return std::unique_ptr<TextParser>(
        new TextParser(wordchars_.empty() ? nullptr : wordchars_.data(), int(wordchars_.size())));
  }

  // The command-line tool's check of one token read as UTF-8.
  bool Check(const std::string& token, int* info, std::string* root) {
    std::string word = ConvertText(token, kUtf8, encoding_);
    Replace(word, kEntityApos, "'");
    if (encoding_ != kUtf8) Replace(word, kUtf8Apos, "'");
    if (speller_->spell(word, info, root)) return true;
    if (encoding_ == kUtf8 && word.find(kUtf8Apos) != std::string::npos) {
      Replace(word, kUtf8Apos, "'");
      return speller_->spell(word, info, root);
    }
    return false;
  }

  // Calls each(token) for every word of the text as the command-line tool's filter modes read it.
  template <typename Each>
  void ForEachWord(const std::string& text, Each each) {
    std::unique_ptr<TextParser> parser = Parser();
    for (const std::string& line : Lines(text, MAXLNLEN)) {
      parser->put_line(line.c_str());
      std::string token;
      while (parser->next_token(token)) {
        token = parser->get_word(token);
        Replace(token, kEntityApos, "'");
        each(token);
      }
    }
  }

  // hunspell -l (the words not accepted) or, with printGood, hunspell -G (the words accepted).
  std::string Words(const std::string& text, bool printGood) {
    std::string out;
    ForEachWord(text, [&](const std::string& token) {
      int info = 0;
      if (Check(token, &info, nullptr) == printGood) out += token + "\n";
    });
    return out;
  }

  // The roots that hunspell's default output gives as "+ ROOT" lines for accepted words that are
  // not compounds. (The suite runs this check in the C locale; its only case is plain ASCII, which
  // that locale and UTF-8 tokenize alike.)
  std::string Roots(const std::string& text) {
    std::string out;
    ForEachWord(text, [&](const std::string& token) {
      int info = 0;
      std::string root;
      if (Check(token, &info, &root) && !(info & SPELL_COMPOUND) && !root.empty())
        out += ConvertText(root, encoding_, kUtf8) + "\n";
    });
    return out;
  }

  // The analyze tool: generation for lines of two words, else analysis and stems of known words.
  std::string Analyze(const std::string& text) {
    std::string out;
    for (std::string line : Lines(text, 100)) {
      if (line.empty()) continue;
      const std::size_t space = line.find(' ');
      if (space != std::string::npos) {
        const std::string word = line.substr(0, space), pattern = line.substr(space + 1);
        const std::vector<std::string> result = speller_->generate(word, pattern);
        for (const std::string& r : result) out += "generate(" + word + ", " + pattern + ") = " + r + "\n";
        if (result.empty()) out += "generate(" + word + ", " + pattern + ") = NO DATA\n";
        continue;
      }
      out += "> " + line + "\n";
      if (!speller_->spell(line)) {
        out += "Unknown word.\n";
        continue;
      }
      for (const std::string& r : speller_->analyze(line)) out += "analyze(" + line + ") = " + r + "\n";
      for (const std::string& r : speller_->stem(line)) out += "stem(" + line + ") = " + r + "\n";
    }
    return out;
  }

  // hunspell -a: for each word not accepted that has suggestions, the line "& WORD N OFFSET: S1,
  // S2, ..." with everything up to the first ": " taken away, as the suite's sed does (a word
  // holding a colon keeps its whole line). Lines starting with one of the pipe's commands are
  // commands, not text; the suite's files hold only "-", which starts the tokenizer afresh.
  std::string Suggestions(const std::string& text) {
    std::string out;
    std::unique_ptr<TextParser> parser = Parser();
    for (const std::string& line : Lines(text, MAXLNLEN)) {
      std::size_t start = 0;
      if (!line.empty() && std::strchr("%!`+-@*#", line[0])) {
        if (line[0] == '-') parser = Parser();
        continue;
      }
      if (!line.empty() && line[0] == '^') start = 1;
      parser->put_line(line.c_str() + start);
      std::string token;
      while (parser->next_token(token)) {
        token = parser->get_word(token);
        Replace(token, kEntityApos, "'");
        int info = 0;
        std::string root;
        if (Check(parser->get_word(token), &info, &root)) continue;
        const std::vector<std::string> suggestions = speller_->suggest(ConvertText(token, kUtf8, encoding_));
        if (suggestions.empty()) continue;
        // The offset in characters of the token in the line, as the tool counts them in UTF-8.
        const std::size_t bytes = std::min(parser->get_tokenpos() + start, line.size());
        std::size_t offset = 0;
        for (std::size_t i = 0; i < bytes; ++i) offset += (line[i] & 0xC0) != 0x80;
        std::string entry =
            "& " + token + " " + std::to_string(suggestions.size()) + " " + std::to_string(offset) + ": ";
        for (std::size_t i = 0; i < suggestions.size(); ++i)
          entry += (i ? ", " : "") + ConvertText(suggestions[i], encoding_, kUtf8);
        const std::size_t colon = entry.find(':');
        out += (entry.compare(colon, 2, ": ") == 0 ? entry.substr(colon + 2) : entry) + "\n";
      }
    }
    return out;
  }

  std::string base_;
  bool firstField_;
  std::unique_ptr<Hunspell> speller_;
  std::string encoding_;
  std::vector<w_char> wordchars_;
};

// The suite's cases: the TESTS list of its Makefile.am (NAME.dic, or NAME.test for a case run
// with options of its own).
std::vector<Case> Cases(const std::string& folder) {
  bool found = false;
  std::istringstream makefile(Slurp(folder + "/Makefile.am", found));
  std::vector<Case> cases;
  std::string line;
  bool inList = false;
  while (std::getline(makefile, line)) {
    if (line.rfind("TESTS =", 0) == 0) inList = true;
    if (!inList) continue;
    std::istringstream words(line);
    std::string word;
    while (words >> word) {
      const std::size_t dot = word.rfind('.');
      if (dot == std::string::npos || (word.substr(dot) != ".dic" && word.substr(dot) != ".test")) continue;
      Case c;
      c.name = word.substr(0, dot);
      if (word.substr(dot) == ".test") {
        const std::string script = Slurp(folder + "/" + word, found);
        c.firstField = script.find(" -1") != std::string::npos;
      }
      cases.push_back(c);
    }
    if (line.empty() || line.back() != '\\') inList = false;
  }
  return cases;
}

const char* KnownFailure(const std::string& name) {
  for (const auto& known : kKnownFailures) {
    if (name == known.first) return known.second.c_str();
  }
  return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: hunspell_upstream TESTS-FOLDER LABEL\n");
    return 2;
  }
  const std::string folder = argv[1];
  const std::vector<Case> cases = Cases(folder);
  if (cases.empty()) {
    std::fprintf(stderr, "no test cases in %s/Makefile.am\n", folder.c_str());
    return 2;
  }
  initialize_utf_tbl();  // the tokenizer's letters, as the command-line tool has them
  int passed = 0, unexpected = 0;
  std::string known;
  for (const Case& c : cases) {
    const std::string failure = Runner(folder, c).Run();
    const char* reason = KnownFailure(c.name);
    if (failure.empty()) {
      ++passed;
      if (reason) std::printf("%s: passes, though listed as failing (%s)\n", c.name.c_str(), reason);
    } else if (reason) {
      known += " " + c.name;
    } else {
      ++unexpected;
      std::printf("FAIL %s: %s\n", c.name.c_str(), failure.c_str());
    }
  }
  free_utf_tbl();
  std::printf("hunspell upstream (%s): %d of %zu cases pass", argv[2], passed, cases.size());
  if (!known.empty()) std::printf("; known to fail everywhere:%s", known.c_str());
  std::printf("\n");
  return unexpected == 0 ? 0 : 1;
}
