#include "language_catalog.h"

#include <algorithm>
#include <cstdio>
#include <map>

#include "dictionary_package.h"
#include "file_system.h"
#include "zip_archive.h"

namespace {

constexpr char kMemberMark = '|';
// An extension larger than this is not read (the largest dictionaries are a few tens of MB).
constexpr long kMaxPackageSize = 512L << 20;

bool IsLower(char c) {
  return c >= 'a' && c <= 'z';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsAlnum(char c) {
  return IsLower(c) || (c >= 'A' && c <= 'Z') || IsDigit(c);
}

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::string LowerAscii(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  return text;
}

std::string UpperAscii(std::string text) {
  for (char& c : text)
    if (IsLower(c)) c = static_cast<char>(c - 32);
  return text;
}

bool ReadBytes(const std::string& path, std::string& bytes) {
  std::FILE* file = OpenFileStream(path, "rb");
  if (file == nullptr) return false;
  bool read = std::fseek(file, 0, SEEK_END) == 0;
  const long size = read ? std::ftell(file) : -1;
  read = size >= 0 && size <= kMaxPackageSize && std::fseek(file, 0, SEEK_SET) == 0;
  if (read) {
    bytes.assign(static_cast<std::size_t>(size), '\0');
    read = std::fread(&bytes[0], 1, bytes.size(), file) == bytes.size();
  }
  std::fclose(file);
  return read;
}

// Writes bytes to path + ".new" and puts that in place of path: a reader never sees half a file.
bool WriteWhole(const std::string& path, const std::string& bytes) {
  const std::string fresh = path + kNewFileSuffix;
  std::FILE* file = OpenFileStream(fresh, "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() && FlushToDisk(file);
  const bool closed = std::fclose(file) == 0;
  if (written && closed) {
    DeleteFileAt(path);
    if (RenameFolder(fresh, path)) return true;
  }
  DeleteFileAt(fresh);
  return false;
}

struct Found {
  std::string aff, dic, idx, dat, package, thesaurusPackage;
  bool Speller() const { return !aff.empty(); }
  bool Thesaurus() const { return !idx.empty(); }
};
using Catalog = std::map<std::string, Found>;

void TakeSpeller(Catalog& catalog, const std::string& tag, const std::string& aff, const std::string& dic,
                 const std::string& package) {
  if (tag.empty() || catalog[tag].Speller()) return;
  Found& found = catalog[tag];
  found.aff = aff, found.dic = dic, found.package = package;
}

void TakeThesaurus(Catalog& catalog, const std::string& tag, const std::string& idx, const std::string& dat,
                   const std::string& package) {
  if (tag.empty() || catalog[tag].Thesaurus()) return;
  Found& found = catalog[tag];
  found.idx = idx, found.dat = dat, found.thesaurusPackage = package;
}

// The tag of a thesaurus file's stem: "th_de_DE_v2" and "de_DE" are "de_DE".
std::string ThesaurusTag(std::string stem) {
  if (stem.compare(0, 3, "th_") == 0) stem.erase(0, 3);
  const std::size_t first = stem.find('_');
  if (first == std::string::npos) return LanguageTag(stem);
  const std::size_t second = stem.find('_', first + 1);
  const std::string region =
      stem.substr(first + 1, second == std::string::npos ? std::string::npos : second - first - 1);
  // A region is upper case ("DE"); "v2" is a version.
  const bool isRegion = !region.empty() && UpperAscii(region) == region;
  return LanguageTag(isRegion ? stem.substr(0, second) : stem.substr(0, first));
}

std::vector<std::string> SortedFiles(const std::string& folder) {
  std::vector<DirectoryEntry> entries;
  std::vector<std::string> names;
  if (!ListDirectory(folder, entries)) return names;
  for (const DirectoryEntry& entry : entries)
    if (!entry.directory && !entry.nameLost) names.push_back(entry.name);
  std::sort(names.begin(), names.end());
  return names;
}

// Loose TAG.aff/.dic and TAG.idx/.dat (and, where thesaurusPrefix, th_TAG*.idx/.dat) of a folder.
void ReadLooseFiles(Catalog& catalog, const std::string& folder, bool thesaurusPrefix) {
  const std::vector<std::string> names = SortedFiles(folder);
  auto has = [&](const std::string& name) { return std::binary_search(names.begin(), names.end(), name); };
  for (const std::string& name : names) {
    if (name.size() <= 4) continue;
    const std::string lower = LowerAscii(name);
    const std::string stem = name.substr(0, name.size() - 4);
    if (EndsWith(lower, ".aff") && stem.compare(0, 3, "th_") != 0 && has(stem + ".dic")) {
      TakeSpeller(catalog, LanguageTag(stem), folder + name, folder + stem + ".dic", "");
    } else if (EndsWith(lower, ".idx") && has(stem + ".dat")) {
      if (stem.compare(0, 3, "th_") == 0 && !thesaurusPrefix) continue;
      const std::string tag = stem.compare(0, 3, "th_") == 0 ? ThesaurusTag(stem) : LanguageTag(stem);
      TakeThesaurus(catalog, tag, folder + name, folder + stem + ".dat", "");
    }
  }
}

std::string WithExtension(const std::vector<std::string>& members, const char* extension) {
  for (const std::string& member : members)
    if (EndsWith(LowerAscii(member), extension)) return member;
  return std::string();
}

void ReadPackage(Catalog& catalog, const std::string& path) {
  std::string bytes;
  if (!ReadBytes(path, bytes)) return;
  const ZipArchive archive(std::move(bytes));
  for (const std::string& name : archive.Names()) {
    if (name != "dictionaries.xcu" && !EndsWith(name, "/dictionaries.xcu")) continue;
    std::string xcu;
    if (!archive.Extract(name, xcu)) continue;
    const std::string folder = name.substr(0, name.size() - std::string("dictionaries.xcu").size());
    for (const PackagedDictionary& declared : ReadDictionaryDeclarations(xcu, folder)) {
      // The first language a dictionary declares names it; the others are its variants.
      const std::string tag = declared.locales.empty() ? std::string() : LanguageTag(declared.locales[0]);
      if (declared.kind == PackagedDictionary::kSpelling) {
        const std::string aff = WithExtension(declared.locations, ".aff");
        const std::string dic = WithExtension(declared.locations, ".dic");
        if (!aff.empty() && !dic.empty())
          TakeSpeller(catalog, tag, path + kMemberMark + aff, path + kMemberMark + dic, path);
      } else {
        const std::string idx = WithExtension(declared.locations, ".idx");
        const std::string dat = WithExtension(declared.locations, ".dat");
        if (!idx.empty() && !dat.empty())
          TakeThesaurus(catalog, tag, path + kMemberMark + idx, path + kMemberMark + dat, path);
      }
    }
    break;
  }
}

// The file name a member is unpacked to: the part after its last "/".
std::string MemberFileName(const std::string& member) {
  const std::size_t slash = member.rfind('/');
  return slash == std::string::npos ? member : member.substr(slash + 1);
}

// Unpacks the member file names (PACKAGE|MEMBER) of archive and names the unpacked file instead.
bool Unpack(const std::string& root, const std::string& package, const ZipArchive& archive,
            std::string& file) {
  const std::size_t mark = file.find(kMemberMark);
  const std::string member = file.substr(mark + 1);
  file.clear();
  std::string data;
  if (!archive.Extract(member, data)) return false;
  std::size_t slash = package.rfind(kPathSeparator);
  std::string name = package.substr(slash == std::string::npos ? 0 : slash + 1);
  const std::string folder = root + kUserDictionaryFolder + kPathSeparator;
  const std::string unpacked = folder + "Unpacked" + kPathSeparator;
  const std::string target = unpacked + name.substr(0, name.size() - 4) + kPathSeparator;
  MakeFolder(unpacked);
  MakeFolder(target);
  const std::string path = target + MemberFileName(member);
  std::string present;
  if (!(ReadBytes(path, present) && present == data) && !WriteWhole(path, data)) return false;
  file = path;
  return true;
}

}  // namespace

std::string LanguageTag(const std::string& text) {
  std::vector<std::string> parts(1);
  for (char c : text) {
    if (c == '_' || c == '-')
      parts.emplace_back();
    else if (IsAlnum(c))
      parts.back() += c;
    else
      return std::string();
  }
  std::string tag;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    std::string part = parts[i];
    if (part.empty()) return std::string();
    if (i == 0) {
      // The language: two or three letters, written in lower case.
      part = LowerAscii(part);
      if (part.size() < 2 || part.size() > 3 || !std::all_of(part.begin(), part.end(), IsLower))
        return std::string();
    } else if (part.size() == 2 && !IsDigit(part[0]) && !IsDigit(part[1])) {
      part = UpperAscii(part);  // a region ("DE")
    }
    tag += (i == 0 ? "" : "_") + part;
  }
  return tag;
}

std::vector<LanguageFiles> FindLanguages(const std::string& root, const std::string& machine) {
  Catalog catalog;
  const std::string user = root + kUserDictionaryFolder + kPathSeparator;
  for (const std::string& name : SortedFiles(user))
    if (EndsWith(LowerAscii(name), ".oxt")) ReadPackage(catalog, user + name);
  ReadLooseFiles(catalog, user, true);
  std::vector<std::string> folders = {root, root + "dic" + kPathSeparator};
  if (!machine.empty() && machine != root) {
    folders.push_back(machine);
    folders.push_back(machine + "dic" + kPathSeparator);
  }
  for (const std::string& folder : folders) ReadLooseFiles(catalog, folder, false);

  std::vector<LanguageFiles> languages;
  for (const auto& [tag, found] : catalog) {
    if (tag.empty() || (!found.Speller() && !found.Thesaurus())) continue;
    LanguageFiles files{tag, found.aff, found.dic, found.idx, found.dat, found.package};
    if (files.package.empty()) files.package = found.thesaurusPackage;
    languages.push_back(files);
  }
  return languages;
}

bool UnpackLanguageFiles(const std::string& root, LanguageFiles& files) {
  // Each file names its own extension: the speller and the thesaurus may come from two.
  bool whole = true;
  std::map<std::string, ZipArchive> archives;  // each read once
  for (std::string* file : {&files.aff, &files.dic, &files.idx, &files.dat}) {
    const std::size_t mark = file->find(kMemberMark);
    if (mark == std::string::npos) continue;
    const std::string package = file->substr(0, mark);
    auto archive = archives.find(package);
    if (archive == archives.end()) {
      std::string bytes;
      ReadBytes(package, bytes);  // an unreadable one has no members
      archive = archives.emplace(package, ZipArchive(std::move(bytes))).first;
    }
    whole = Unpack(root, package, archive->second, *file) && whole;
  }
  if (files.aff.empty() || files.dic.empty()) files.aff.clear(), files.dic.clear();
  if (files.idx.empty() || files.dat.empty()) files.idx.clear(), files.dat.clear();
  return whole;
}

std::vector<std::string> ParseLanguageChoice(const std::string& text) {
  std::vector<std::string> tags;
  std::size_t from = 0;
  while (from < text.size()) {
    std::size_t end = text.find('\n', from);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(from, end - from);
    from = end + 1;
    if (line.compare(0, 3, "\xEF\xBB\xBF") == 0) line.erase(0, 3);
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
      line.pop_back();
    line.erase(0, line.find_first_not_of(" \t"));
    const std::string tag = LanguageTag(line);
    if (!tag.empty() && std::find(tags.begin(), tags.end(), tag) == tags.end()) tags.push_back(tag);
  }
  return tags;
}

std::string FormatLanguageChoice(const std::vector<std::string>& tags) {
  std::string text;
  for (const std::string& tag : tags) text += tag + "\n";
  return text;
}

std::vector<std::string> DefaultLanguages(const std::vector<LanguageFiles>& installed,
                                          const std::vector<std::string>& displayLanguages) {
  auto isInstalled = [&](const std::string& tag) {
    return std::any_of(installed.begin(), installed.end(),
                       [&](const LanguageFiles& files) { return files.tag == tag; });
  };
  std::vector<std::string> chosen;
  if (isInstalled("en_US")) chosen.push_back("en_US");
  for (const std::string& display : displayLanguages) {
    const std::string tag = LanguageTag(display);
    if (tag.empty()) continue;
    std::string match = isInstalled(tag) ? tag : std::string();
    const std::string language = tag.substr(0, tag.find('_'));
    for (std::size_t i = 0; match.empty() && i < installed.size(); ++i) {
      const std::string& other = installed[i].tag;
      if (other.substr(0, other.find('_')) == language && isInstalled(other)) match = other;
    }
    if (match.empty()) continue;
    if (std::find(chosen.begin(), chosen.end(), match) == chosen.end()) chosen.push_back(match);
    break;
  }
  return chosen;
}
