#include "keyword_library.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "file_system.h"
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
      list.push_back(ListHeader(entry.name));
      if (depth < kMaxGroupDepth) WalkGroups(path + kPathSeparator + entry.name, false, depth + 1, list);
    } else if (top) {
      list.insert(list.begin(), WithoutExtension(entry.name));
    } else {
      list.push_back(WithoutExtension(entry.name));
    }
  }
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
  if (!IsOnePathPart(Text(folder)) || !IsOnePathPart(Text(name))) return std::string();
  std::string path = root_ + BranchName(kind) + kPathSeparator;
  const std::string folderName = Text(folder);
  if (!folderName.empty() && !(saving && folderName == kDefaultFolder)) path += folderName + kPathSeparator;
  return path + Text(name) + kTemplateSuffix;
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
  return WriteEntryFile(folder, name, {{"Keywords", KeywordsForFile(keywords)}}, kGroupEntry);
}

bool KeywordLibrary::LoadGroup(const char* folder, const char* name, char* keywords,
                               std::size_t capacity) const {
  FollowMove();
  std::string text;
  const std::string path = EntryPath(folder, name, kGroupEntry, false);
  if (path.empty() || !ReadTextFile(path, text)) return false;
  EntryMap entries;
  ParseEntryText(text, entries);
  CopyField(keywords, capacity, EntryValue(entries, "Keywords"));
  return true;
}

void KeywordLibrary::ListGroups(TextList& list) const {
  FollowMove();
  TextList groups;
  WalkGroups(root_ + "Groups", true, 0, groups);
  list.insert(list.end(), groups.begin(), groups.end());
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
  if (!IsOnePathPart(name) || !Writable()) return false;
  return RemoveEmptyFolder(root_ + BranchName(kind) + kPathSeparator + name);
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
