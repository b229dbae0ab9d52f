#include "keyword_library.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "file_names.h"
#include "file_system.h"
#include "group_file.h"
#include "library_migration.h"
#include "list_header.h"
#include "plugin_text.h"
#include "recent_values.h"
#include "text_lines.h"
#include "utf8_text.h"

namespace {

constexpr const char* kTemplateSuffix = ".tmp";
constexpr const char* kLastTemplateFile = "Last.tmp";
// Folders nested deeper than this are not walked: a folder link pointing back up the tree must
// not make the group list endless.
constexpr int kMaxGroupDepth = 8;

const char* BranchName(int kind) {
  switch (kind) {
    case kTemplateEntry:
    case kTemplateFolder:
      return "Templates";
    case kGroupEntry:
    case kGroupFolder:
      return "Groups";
  }
  return nullptr;
}

std::string Text(const char* text) {
  return text == nullptr ? std::string() : std::string(text);
}

// A keyword text as the library's files keep it: a line break typed into the keyword box
// separates keywords, so it is written as the separator and the value stays on its line.
std::string KeywordsForFile(const char* keywords) {
  return ReplaceLineBreaks(Text(keywords), "; ");
}

// The field's value of record as a template or Recent.dat holds it.
std::string ValueForFile(const FileInfoRecord& record, int field) {
  const char* value = FieldText(record, field);
  return field == kKeywordsField ? KeywordsForFile(value) : Text(value);
}

// Compares the end of name with suffix, ASCII letters in either case, as Windows matches names.
bool EndsWith(const std::string& name, const std::string& suffix) {
  const std::size_t n = suffix.size();
  if (name.size() < n) return false;
  for (std::size_t i = 0; i < n; ++i) {
    const char c = name[name.size() - n + i];
    const char lower = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    if (lower != suffix[i]) return false;
  }
  return true;
}

// The file name less its final extension, so "summer.2005.tmp" lists as "summer.2005" and the
// listed name addresses its file again.
std::string WithoutExtension(const std::string& name) {
  const std::size_t dot = name.rfind('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

// A template, group or folder name is one path part inside its branch: a name holding a
// separator, or made only of dots and blanks (which Windows reads as "." or ".." once it drops
// trailing dots and blanks), would reach outside the library, so such names are refused.
bool IsOnePathPart(const std::string& name) {
  // By character: the second byte of a double-byte character can be a "\\".
  for (const char* c = name.c_str(); *c != '\0'; c += CharacterBytes(c)) {
    if (*c == '\\' || *c == '/') return false;
  }
  return name.find_first_not_of(". ") != std::string::npos || name.empty();
}

// Copies value into a field of capacity bytes, up to its first NUL and cut to the characters the
// field holds, between two characters, never inside one.
void CopyField(char* field, std::size_t capacity, const std::string& value) {
  std::string text = value.substr(0, value.find('\0'));
  text.resize(CharacterPrefix(text.data(), text.size(), TextCapacity(capacity)));
  CopyText(field, capacity, text.c_str());
}

// The name a group file stands for, as menus show it: in the 64-bit builds the name the file
// keeps when its file name is a made one (file_names.h), so only such files are read.
std::string GroupNameOf(const std::string& folderPath, const std::string& fileName) {
  const std::string base = WithoutExtension(fileName);
  if (!kUtf8Text || base.find('%') == std::string::npos) return base;
  std::string text;
  if (ReadTextFile(folderPath + kPathSeparator + fileName, text)) {
    EntryMap entries;
    ParseEntryText(text, entries);
    const std::string name = EntryValue(entries, "Name");
    if (!name.empty()) return name;
  }
  return NameOfFile(base);
}

std::string FolderNameOf(const std::string& fileName) {
  return kUtf8Text ? NameOfFile(fileName) : fileName;
}

// Whether a folder entry is a group file to list.
bool IsListedGroupFile(const DirectoryEntry& entry) {
  return !entry.directory && !entry.nameLost && !IsListHeader(entry.name) &&
         !EndsWith(entry.name, std::string(kTemplateSuffix) + kNewFileSuffix);
}

void WalkGroups(const std::string& path, bool top, int depth, TextList& list) {
  std::vector<DirectoryEntry> entries;
  if (!ListDirectory(path, entries)) return;
  for (const DirectoryEntry& entry : entries) {
    // A name the plug-in's text cannot hold would be listed as a look-alike that opens nothing.
    if (entry.nameLost) continue;
    // Nor can a name that would pass for a folder header (only a file system other than Windows'
    // allows one).
    if (IsListHeader(entry.name)) continue;
    // A group file's replacement left behind by an interrupted save is not a group.
    if (!entry.directory && EndsWith(entry.name, std::string(kTemplateSuffix) + kNewFileSuffix)) continue;
    if (entry.directory) {
      list.push_back(ListHeader(FolderNameOf(entry.name)));
      if (depth < kMaxGroupDepth) WalkGroups(path + kPathSeparator + entry.name, false, depth + 1, list);
    } else if (top) {
      list.insert(list.begin(), GroupNameOf(path, entry.name));
    } else {
      list.push_back(GroupNameOf(path, entry.name));
    }
  }
}

// In the 64-bit builds the file or folder name in folderPath that stands for name: the entry
// whose own name is name first, then the one whose name as shown is name; name itself when
// there is none (a new entry keeps the name it was given).
std::string FileNameIn(const std::string& folderPath, const std::string& name, bool directory) {
  if (!kUtf8Text || name.empty()) return name;
  std::vector<DirectoryEntry> entries;
  if (!ListDirectory(folderPath, entries)) return name;
  const std::string file = directory ? name : name + kTemplateSuffix;
  for (const DirectoryEntry& entry : entries)
    if (entry.directory == directory && entry.name == file) return name;
  for (const DirectoryEntry& entry : entries) {
    if (entry.directory != directory || entry.nameLost) continue;
    if (directory ? FolderNameOf(entry.name) == name
                  : EndsWith(entry.name, kTemplateSuffix) && entry.name.find('%') != std::string::npos &&
                        GroupNameOf(folderPath, entry.name) == name)
      return directory ? entry.name : WithoutExtension(entry.name);
  }
  return name;
}

}  // namespace

KeywordLibrary::KeywordLibrary() {
  const std::string classic = ClassicLibraryRoot(SystemDirectory());
#if defined(_WIN64)
  *this = KeywordLibrary(PerUserLibraryRoots(
      classic, EarlierLibraryRoots(classic, SystemWow64Directory(), LocalUserDataDirectory()),
      UserLibraryRoot(UserDataDirectory())));
#else
  root_ = classic;
#endif
}

KeywordLibrary::KeywordLibrary(const std::string& root, const std::string& dictionaries)
    : root_(root), dictionaries_(dictionaries) {}

KeywordLibrary::KeywordLibrary(const LibraryRoots& roots)
    : root_(roots.root),
      dictionaries_(roots.dictionaries),
      pendingRoot_(roots.pendingRoot),
      pendingDictionaries_(roots.pendingDictionaries),
      readOnly_(roots.readOnly) {}

void KeywordLibrary::FollowMove() const {
  if (pendingRoot_.empty()) return;
  LibraryRoots roots = {root_, dictionaries_, pendingRoot_, pendingDictionaries_, readOnly_};
  if (!TakeMovedRoot(roots)) return;
  root_ = roots.root;
  dictionaries_ = roots.dictionaries;
  pendingRoot_.clear();
  pendingDictionaries_.clear();
  readOnly_ = false;
  // The services were made over the earlier root's word list: new ones over the new root.
  if (language_ != nullptr) *language_ = LanguageServices(root_, dictionaries_);
}

bool KeywordLibrary::Writable() const {
  FollowMove();
  return !readOnly_;
}

std::string KeywordLibrary::EntryPath(const char* folder, const char* name, int kind, bool saving) const {
  const std::string branch = root_ + BranchName(kind);
  std::string folderName = Text(folder);
  std::string fileName = Text(name);
  if (saving && folderName == kDefaultFolder) folderName.clear();
  if (kind == kGroupEntry && kUtf8Text) {
    // Groups and folders made from a keyword list may be kept under made file names: the names
    // given are the ones menus show.
    if (!folderName.empty()) folderName = FileNameIn(branch, folderName, true);
    if (IsOnePathPart(folderName))
      fileName =
          FileNameIn(folderName.empty() ? branch : branch + kPathSeparator + folderName, fileName, false);
  }
  if (!IsOnePathPart(folderName) || !IsOnePathPart(fileName)) return std::string();
  std::string path = branch + kPathSeparator;
  if (!folderName.empty()) path += folderName + kPathSeparator;
  return path + fileName + kTemplateSuffix;
}

bool KeywordLibrary::WriteEntryFile(const char* folder, const char* name, const EntryMap& entries,
                                    int kind) const {
  if (name == nullptr || *name == '\0') return false;
  if (kind != kTemplateEntry && kind != kGroupEntry) return false;
  if (!Writable()) return false;
  const std::string path = EntryPath(folder, name, kind, true);
  return !path.empty() && ReplaceTextFile(path, FormatEntryText(entries));
}

bool KeywordLibrary::SaveTemplate(const char* name, const FileInfoRecord& values) const {
  EntryMap entries;
  for (int field = 0; field < kFileInfoFieldCount; ++field)
    entries[kFileInfoFields[field].name] = ValueForFile(values, field);
  return WriteEntryFile("", name, entries, kTemplateEntry);
}

bool KeywordLibrary::LoadTemplate(const char* name, FileInfoRecord& out) const {
  FollowMove();
  std::string text;
  const std::string path = EntryPath("", name, kTemplateEntry, false);
  if (path.empty() || !ReadTextFile(path, text)) return false;
  EntryMap entries;
  ParseEntryText(text, entries);
  // A hand-edited file can hold longer values than the fields: they are cut to fit.
  for (int field = 0; field < kFileInfoFieldCount; ++field) {
    const FileInfoFieldRow& row = kFileInfoFields[field];
    CopyField(FieldText(out, field), row.size, EntryValue(entries, row.name));
  }
  return true;
}

void KeywordLibrary::ListTemplates(TextList& list) const {
  FollowMove();
  std::vector<DirectoryEntry> entries;
  ListDirectory(root_ + "Templates", entries);
  for (const DirectoryEntry& entry : entries) {
    if (entry.directory || entry.nameLost || !EndsWith(entry.name, kTemplateSuffix) ||
        entry.name == kLastTemplateFile)
      continue;
    list.push_back(entry.name.substr(0, entry.name.size() - std::strlen(kTemplateSuffix)));
  }
}

bool KeywordLibrary::DeleteEntryFile(const char* folder, const char* name, int kind) const {
  if (kind != kTemplateEntry && kind != kGroupEntry) return true;
  if (!Writable()) return true;
  const std::string path = EntryPath(folder, name, kind, false);
  if (!path.empty()) DeleteFileAt(path);
  return true;
}

bool KeywordLibrary::SaveGroup(const char* folder, const char* name, const char* keywords) const {
  EntryMap old;
  if (kUtf8Text) {
    // What the group held beside its keywords stays: its synonyms, its name, its place.
    std::string text;
    const std::string path = EntryPath(folder, name, kGroupEntry, true);
    if (!path.empty() && ReadTextFile(path, text)) ParseEntryText(text, old);
  }
  return WriteEntryFile(folder, name, SavedGroupEntries(old, KeywordsForFile(keywords)), kGroupEntry);
}

bool KeywordLibrary::LoadGroup(const char* folder, const char* name, char* keywords,
                               std::size_t capacity) const {
  FollowMove();
  std::string text;
  const std::string path = EntryPath(folder, name, kGroupEntry, false);
  if (path.empty() || !ReadTextFile(path, text)) return false;
  EntryMap entries;
  ParseEntryText(text, entries);
  CopyField(keywords, capacity, kUtf8Text ? GroupTextWithSynonyms(entries) : EntryValue(entries, "Keywords"));
  return true;
}

void KeywordLibrary::ListGroups(TextList& list) const {
  FollowMove();
  TextList groups;
  WalkGroups(root_ + "Groups", true, 0, groups);
  list.insert(list.end(), groups.begin(), groups.end());
}

void KeywordLibrary::ListGroupFolders(std::vector<LibraryFolder>& folders) const {
  FollowMove();
  const std::string groups = root_ + "Groups";
  std::vector<DirectoryEntry> top;
  ListDirectory(groups, top);
  auto listFiles = [](const std::string& path, const std::vector<DirectoryEntry>& entries,
                      LibraryFolder& folder) {
    for (const DirectoryEntry& entry : entries)
      if (IsListedGroupFile(entry) && EndsWith(entry.name, kTemplateSuffix))
        folder.groups.push_back({GroupNameOf(path, entry.name), WithoutExtension(entry.name)});
  };
  folders.push_back(LibraryFolder());
  listFiles(groups, top, folders.back());
  for (const DirectoryEntry& entry : top) {
    if (!entry.directory || entry.nameLost || entry.link || IsListHeader(entry.name)) continue;
    const std::string path = groups + kPathSeparator + entry.name;
    std::vector<DirectoryEntry> inside;
    if (!ListDirectory(path, inside)) continue;
    LibraryFolder folder;
    folder.name = FolderNameOf(entry.name);
    folder.file = entry.name;
    listFiles(path, inside, folder);
    folders.push_back(std::move(folder));
  }
}

namespace {

std::string GroupFilePath(const std::string& root, const std::string& folder, const std::string& file) {
  std::string path = root + "Groups" + kPathSeparator;
  if (!folder.empty()) path += folder + kPathSeparator;
  return path + file + kTemplateSuffix;
}

}  // namespace

bool KeywordLibrary::ReadGroupFile(const std::string& folder, const std::string& file,
                                   EntryMap& entries) const {
  FollowMove();
  if (!IsOnePathPart(folder) || !IsOnePathPart(file) || file.empty()) return false;
  std::string text;
  if (!ReadTextFile(GroupFilePath(root_, folder, file), text)) return false;
  ParseEntryText(text, entries);
  return true;
}

bool KeywordLibrary::WriteGroupFile(const std::string& folder, const std::string& file,
                                    const EntryMap& entries) const {
  if (!Writable() || !IsOnePathPart(folder) || !IsOnePathPart(file) || file.empty()) return false;
  return ReplaceTextFile(GroupFilePath(root_, folder, file), FormatEntryText(entries));
}

bool KeywordLibrary::MakeGroupFolder(const std::string& folder) const {
  if (!Writable() || folder.empty() || !IsOnePathPart(folder)) return false;
  const std::string path = root_ + "Groups" + kPathSeparator + folder;
  return MakeFolder(path) || PathExists(path);
}

void KeywordLibrary::CreateFolder(const char* name, int kind) const {
  if (kind != kTemplateFolder && kind != kGroupFolder) return;
  if (!IsOnePathPart(Text(name)) || !Writable()) return;
  MakeFolder(root_ + BranchName(kind) + kPathSeparator + Text(name));
}

bool KeywordLibrary::RemoveFolder(const char* name, int kind) const {
  // An empty name would address the branch itself, which the plug-in cannot make again.
  if (name == nullptr || *name == '\0') return false;
  if (kind != kTemplateEntry && kind != kGroupEntry) return false;
  if (!Writable()) return false;
  const std::string branch = root_ + BranchName(kind);
  const std::string folder = kind == kGroupEntry ? FileNameIn(branch, name, true) : std::string(name);
  if (!IsOnePathPart(folder)) return false;
  return RemoveEmptyFolder(branch + kPathSeparator + folder);
}

bool KeywordLibrary::LoadRecent() {
  FollowMove();
  std::string text;
  if (!ReadTextFile(root_ + "Recent.dat", text)) return false;
  recent_ = ParseRecentText(text);
  return true;
}

bool KeywordLibrary::SaveRecent(const FileInfoRecord& values) const {
  if (!Writable()) return false;
  TextList merged;
  for (std::size_t line = 0; line < kRecentFieldCount; ++line) {
    const std::string old = line < recent_.size() ? recent_[line] : std::string();
    const int field = FieldOfRecentLine(static_cast<int>(line));
    merged.push_back(MergeRecentValue(ValueForFile(values, field), old));
  }
  return ReplaceTextFile(root_ + "Recent.dat", FormatRecentText(merged));
}

bool KeywordLibrary::GetRecentValues(int menuId, TextList& list) const {
  list.clear();
  if (menuId < kRecentMenuBase) return true;
  const std::size_t index = static_cast<std::size_t>((menuId - kRecentMenuBase) / 1000);
  if (index < recent_.size()) SplitKeywords(recent_[index].c_str(), list, false, true);
  return true;
}

namespace {

constexpr const char* kKeywordLimitFile = "Keyword Limit.txt";

}  // namespace

int KeywordLibrary::LoadKeywordLimit() const {
  std::string text;
  if (!ReadTextFile(Root() + std::string(kKeywordLimitFile), text)) return 0;
  long limit = 0;
  std::size_t at = 0;
  for (;
       at < text.size() && text[at] >= '0' && text[at] <= '9' && limit <= static_cast<long>(kKeywordCapacity);
       ++at)
    limit = limit * 10 + (text[at] - '0');
  const bool number = at > 0 && (at == text.size() || text[at] == '\r' || text[at] == '\n');
  return number && limit <= static_cast<long>(kKeywordCapacity) ? static_cast<int>(limit) : 0;
}

bool KeywordLibrary::SaveKeywordLimit(int limit) const {
  if (limit < 0 || limit > static_cast<int>(kKeywordCapacity) || !Writable()) return false;
  return ReplaceTextFile(root_ + kKeywordLimitFile, std::to_string(limit) + "\n");
}
