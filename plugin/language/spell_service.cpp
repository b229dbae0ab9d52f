#include "spell_service.h"

#include <hunspell.hxx>
#include <mythes.hxx>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "file_system.h"
#include "narrow_path.h"
#include "plugin_text.h"
#include "saved_words.h"
#include "unicode_case.h"
#include "utf8_text.h"

namespace {

// Longest path the file names are built into, in UTF-16 units as Windows counts it; a longer one
// counts as missing.
constexpr std::size_t kMaxPathLength = 259;
constexpr const char* kSavedWordsFile = "SavedWords.dat";

// Finds the first folder that holds both stem + first and stem + second: base, base + "dic",
// then the same two in the machine-wide folder when there is one; false when none does.
bool FindPair(const std::string& base, const std::string& machine, const char* first, const char* second,
              std::string& firstPath, std::string& secondPath) {
  std::vector<std::string> folders = {base, base + "dic" + kPathSeparator};
  if (!machine.empty() && machine != base) {
    folders.push_back(machine);
    folders.push_back(machine + "dic" + kPathSeparator);
  }
  for (const std::string& folder : folders) {
    firstPath = folder + "en_US" + first;
    secondPath = folder + "en_US" + second;
    if (TextCharacters(firstPath) > kMaxPathLength || TextCharacters(secondPath) > kMaxPathLength) continue;
    if (PathExists(firstPath) && PathExists(secondPath)) return true;
  }
  return false;
}

// Appends piece and "," to text when both fit within capacity (NUL included); false, and text
// unchanged, when they do not, so the text ends after the last whole piece.
bool AppendWhole(std::string& text, const std::string& piece, std::size_t capacity) {
  if (text.size() + piece.size() + 1 >= capacity) return false;
  text += piece + ",";
  return true;
}

// The characters of UTF-8 text, lower-cased.
std::u32string LowerCharacters(const std::string& utf8) {
  const std::u16string units = Utf8ToUtf16(utf8);
  std::u32string out;
  for (std::size_t i = 0; i < units.size(); ++i) {
    char32_t c = units[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < units.size())
      c = 0x10000 + ((c - 0xD800) << 10) + (units[++i] - 0xDC00);
    out += LowerCaseOf(c);
  }
  return out;
}

// Whether c can be a letter of an alphabet: not an ASCII digit or sign, Latin-1 sign, combining
// mark, general punctuation, or the replacement character.
bool MayBeLetter(char32_t c) {
  if (c < 0x80) return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
  if ((c >= 0xA0 && c <= 0xBF) || c == 0xD7 || c == 0xF7) return false;
  if ((c >= 0x300 && c <= 0x36F) || (c >= 0x2000 && c <= 0x206F) || c == 0xFFFD) return false;
  return true;
}

// The values of the .aff lines that start with the given keys (TRY, WORDCHARS), as they stand.
std::string AffixLineValues(const std::string& path, std::initializer_list<const char*> keys) {
  std::string values;
  std::FILE* file = OpenFileStream(path, "rb");
  if (file == nullptr) return values;
  std::string line;
  for (int c = 0; c != EOF;) {
    c = std::fgetc(file);
    if (c != '\n' && c != EOF) {
      line += static_cast<char>(c);
      continue;
    }
    for (const char* key : keys) {
      const std::size_t length = std::strlen(key);
      if (line.compare(0, length, key) == 0 && line.size() > length &&
          (line[length] == ' ' || line[length] == '\t')) {
        std::size_t end = line.find_first_of(" \t\r", length + 1);
        const std::size_t start = line.find_first_not_of(" \t", length);
        if (start != std::string::npos)
          values += line.substr(start, end == std::string::npos ? end : end - start);
      }
    }
    line.clear();
  }
  std::fclose(file);
  return values;
}

}  // namespace

SpellService::SpellService() = default;

SpellService::~SpellService() {
  ReleaseMeanings();
}

bool SpellService::LoadDictionaries(const char* base, const char* machine) {
  base_ = base == nullptr ? "" : base;
  const std::string machineFolder = machine == nullptr ? "" : machine;
  std::string first, second;
  speller_.reset();
  if (FindPair(base_, machineFolder, ".aff", ".dic", first, second)) {
    const NarrowPaths paths(first, second);
    speller_ = std::make_unique<Hunspell>(paths.First(), paths.Second());
    spellerEncoding_ = WordEncoding(speller_->get_dic_encoding());
  }
  ReleaseMeanings();
  thesaurus_.reset();
  if (FindPair(base_, machineFolder, ".idx", ".dat", first, second)) {
    const NarrowPaths paths(first, second);
    thesaurus_ = std::make_unique<MyThes>(paths.First(), paths.Second());
    thesaurusEncoding_ = WordEncoding(thesaurus_->get_th_encoding());
  }
  LoadSavedWords(base_.c_str());
  return true;
}

void SpellService::LoadLanguage(const std::string& aff, const std::string& dic, const std::string& idx,
                                const std::string& dat) {
  speller_.reset();
  alphabet_.clear();
  if (!aff.empty() && !dic.empty()) {
    const NarrowPaths paths(aff, dic);
    speller_ = std::make_unique<Hunspell>(paths.First(), paths.Second());
    spellerEncoding_ = WordEncoding(speller_->get_dic_encoding());
    std::string letters;
    spellerEncoding_.FromFile(AffixLineValues(aff, {"TRY", "WORDCHARS"}), letters);
    for (char32_t c : LowerCharacters(letters))
      if (MayBeLetter(c)) alphabet_ += c;
    if (std::any_of(alphabet_.begin(), alphabet_.end(), [](char32_t c) { return c < 0x80; }))
      for (char32_t c = 'a'; c <= 'z'; ++c) alphabet_ += c;
    std::sort(alphabet_.begin(), alphabet_.end());
    alphabet_.erase(std::unique(alphabet_.begin(), alphabet_.end()), alphabet_.end());
  }
  ReleaseMeanings();
  thesaurus_.reset();
  if (!idx.empty() && !dat.empty()) {
    const NarrowPaths paths(idx, dat);
    thesaurus_ = std::make_unique<MyThes>(paths.First(), paths.Second());
    thesaurusEncoding_ = WordEncoding(thesaurus_->get_th_encoding());
  }
}

bool SpellService::HasLetterOf(const std::string& word) const {
  for (char32_t c : LowerCharacters(word))
    if (MayBeLetter(c) && (alphabet_.empty() || std::binary_search(alphabet_.begin(), alphabet_.end(), c)))
      return true;
  return false;
}

std::size_t SpellService::LettersMissing(const std::string& word) const {
  std::size_t missing = 0;
  for (char32_t c : LowerCharacters(word))
    if (MayBeLetter(c) && !alphabet_.empty() && !std::binary_search(alphabet_.begin(), alphabet_.end(), c))
      ++missing;
  return missing;
}

bool SpellService::CheckWord(const char* word) const {
  if (!speller_) return false;
  std::string inFile;
  if (std::strlen(word) < kMaxWordLength && spellerEncoding_.ToFile(word, inFile) && speller_->spell(inFile))
    return true;
  return IsSavedWord(word);
}

bool SpellService::SuggestWords(const char* word, char* buffer, std::size_t capacity) const {
  if (!speller_) return false;
  std::string text;
  std::string inFile;
  if (std::strlen(word) < kMaxWordLength && spellerEncoding_.ToFile(word, inFile)) {
    char** list = nullptr;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    const int count = speller_->suggest(&list, inFile.c_str());
#pragma GCC diagnostic pop
    bool room = true;
    for (int i = 0; i < count; ++i) {
      std::string suggestion;
      if (room && spellerEncoding_.FromFile(list[i], suggestion))
        room = AppendWhole(text, suggestion, capacity);
      std::free(list[i]);
    }
    std::free(list);
  }
  CopyText(buffer, capacity, text.c_str());
  return true;
}

void SpellService::ReleaseMeanings() {
  if (meanings_ != nullptr && thesaurus_) thesaurus_->CleanUpAfterLookup(&meanings_, meaningCount_);
  meanings_ = nullptr;
  meaningCount_ = 0;
  meaningIndex_ = 0;
}

int SpellService::LookupMeanings(const char* word) {
  ReleaseMeanings();
  if (!thesaurus_) return 0;
  std::string key;
  if (!thesaurusEncoding_.ToFile(word, key)) return 0;
  const int count = thesaurus_->Lookup(key.c_str(), static_cast<int>(key.size()), &meanings_);
  meaningCount_ = count > 0 && meanings_ != nullptr ? count : 0;
  return meaningCount_;
}

bool SpellService::NextMeaning(char* definition, std::size_t definitionCapacity, char* synonyms,
                               std::size_t synonymsCapacity) {
  if (meaningIndex_ >= meaningCount_) return false;
  const mentry& meaning = meanings_[meaningIndex_++];
  std::string text;
  thesaurusEncoding_.FromFile(meaning.defn == nullptr ? "" : meaning.defn, text);
  CopyText(definition, definitionCapacity, text.c_str());
  std::string joined;
  const char* previous = nullptr;
  bool room = true;
  for (int i = 0; room && i < meaning.count && meaning.psyns != nullptr; ++i) {
    const char* synonym = meaning.psyns[i];
    if (synonym == nullptr) continue;
    // Only a repeat of the synonym right before is dropped, as the thesaurus lists them.
    const bool repeat = previous != nullptr && std::strcmp(previous, synonym) == 0;
    previous = synonym;
    std::string inText;
    if (!repeat && thesaurusEncoding_.FromFile(synonym, inText))
      room = AppendWhole(joined, inText, synonymsCapacity);
  }
  CopyText(synonyms, synonymsCapacity, joined.c_str());
  return true;
}

bool SpellService::IsSavedWord(const char* word) const {
  if (kUtf8Text) {
    const std::string key = CaselessKey(word);
    for (const std::string& saved : savedWords_)
      if (CaselessKey(saved) == key) return true;
    return false;
  }
  for (const std::string& saved : savedWords_) {
    if (saved == word) return true;
  }
  return false;
}

bool SpellService::AddSavedWord(const char* word) {
  if (IsSavedWord(word)) return true;
  savedWords_.push_back(word);
  SaveSavedWords(base_.c_str());
  return true;
}

void SpellService::LoadSavedWords(const char* folder) {
  std::string text;
  if (ReadTextFile(std::string(folder) + kSavedWordsFile, text)) ParseSavedWords(text, savedWords_);
}

void SpellService::UseWordList(const char* folder) {
  base_ = folder;
  LoadSavedWords(folder);
}

void SpellService::SaveSavedWords(const char* folder) const {
  // Written to a new file that then replaces the old one: a failed write keeps the old list.
  ReplaceTextFile(std::string(folder) + kSavedWordsFile, FormatSavedWords(savedWords_));
}
