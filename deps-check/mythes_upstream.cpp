// Looks up every entry of MyThes's own sample thesauruses (from its source package) and the words
// of its sample word lists with the MyThes library this build links (Debian's natively, the
// cross-built static library in the Windows trees), and compares a digest of everything the
// lookups return with the one Debian's native build gives. Prints the counts and the digest;
// with a third argument, also writes every lookup there, for a comparison line by line.
//
// mythes_upstream SOURCE-FOLDER LABEL [DUMP-FILE]
#include <cinttypes>
#include <cstdint>
#include <cstdio>  // before the library's header, which uses FILE without including it
#include <fstream>
#include <string>

#include <mythes.hxx>

namespace {

// What Debian's native build of the same MyThes version gives for the data below.
constexpr long kEntries = 142705;
constexpr long kMeanings = 204576;
constexpr long kSynonyms = 786732;
constexpr std::uint64_t kDigest = 0x86fdf1053c89c12eull;

struct Tally {
  long entries = 0, meanings = 0, synonyms = 0;
  std::uint64_t digest = 14695981039346656037ull;  // FNV-1a, 64 bits
  std::FILE* dump = nullptr;

  void Add(const std::string& text) {
    for (unsigned char c : text) digest = (digest ^ c) * 1099511628211ull;
    if (dump) std::fputs(text.c_str(), dump);
  }
};

// Looks up each word of the list (one per line; in an index file, the part before "|", after the
// two header lines) in the thesaurus.
bool LookUpAll(MyThes& thesaurus, const std::string& list, bool index, Tally& tally) {
  std::ifstream in(list, std::ios::binary);
  if (!in) return false;
  std::string line;
  for (int skip = index ? 2 : 0; skip > 0 && std::getline(in, line); --skip) {
  }
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::string word = index ? line.substr(0, line.find('|')) : line;
    mentry* meanings = nullptr;
    const int count = thesaurus.Lookup(word.c_str(), static_cast<int>(word.size()), &meanings);
    ++tally.entries;
    tally.Add(word + "\t" + std::to_string(count) + "\n");
    for (int i = 0; i < count; ++i) {
      tally.Add(std::string(" ") + (meanings[i].defn ? meanings[i].defn : "(null)"));
      for (int j = 0; j < meanings[i].count; ++j) tally.Add(std::string("|") + meanings[i].psyns[j]);
      tally.Add("\n");
      ++tally.meanings;
      tally.synonyms += meanings[i].count;
    }
    if (count > 0) thesaurus.CleanUpAfterLookup(&meanings, count);
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 && argc != 4) {
    std::fprintf(stderr, "usage: mythes_upstream SOURCE-FOLDER LABEL [DUMP-FILE]\n");
    return 2;
  }
  const std::string folder = std::string(argv[1]) + "/";
  Tally tally;
  if (argc == 4 && !(tally.dump = std::fopen(argv[3], "wb"))) {
    std::fprintf(stderr, "cannot write %s\n", argv[3]);
    return 2;
  }
  const struct {
    const char* thesaurus;
    const char* words;
  } kSamples[] = {{"th_en_US_new", "checkme.lst"}, {"morph", "morph.lst"}};
  for (const auto& sample : kSamples) {
    const std::string base = folder + sample.thesaurus;
    MyThes thesaurus((base + ".idx").c_str(), (base + ".dat").c_str());
    tally.Add(std::string(sample.thesaurus) + " " +
              (thesaurus.get_th_encoding() ? thesaurus.get_th_encoding() : "") + "\n");
    if (!LookUpAll(thesaurus, base + ".idx", true, tally) ||
        !LookUpAll(thesaurus, folder + sample.words, false, tally)) {
      std::fprintf(stderr, "cannot read the sample %s\n", sample.thesaurus);
      return 2;
    }
  }
  if (tally.dump) std::fclose(tally.dump);
  const bool same = tally.entries == kEntries && tally.meanings == kMeanings && tally.synonyms == kSynonyms &&
                    tally.digest == kDigest;
  std::printf("mythes samples (%s): %ld lookups, %ld meanings, %ld synonyms, digest %016" PRIx64 ": %s\n",
              argv[2], tally.entries, tally.meanings, tally.synonyms, tally.digest,
              same ? "as Debian's native build" : "NOT as Debian's native build");
  if (!same) {
    std::printf("Debian's native build: %ld lookups, %ld meanings, %ld synonyms, digest %016" PRIx64 "\n",
                kEntries, kMeanings, kSynonyms, kDigest);
  }
  return same ? 0 : 1;
}
