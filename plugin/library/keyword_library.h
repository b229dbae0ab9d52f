// The keyword library on disk and the language operations, as the dialogs and the run flow use
// them. Layout under the root (the system directory's kwTemplates folder; for the x64 module the
// user's, see library_migration.h):
//   Templates\NAME.tmp             templates, Last.tmp being the one saved after every run
//   Templates\FOLDER               folders made with kind 3 (nothing reads them)
//   Groups\NAME.tmp                groups of the top level ("Default Folder" when saving)
//   Groups\FOLDER\NAME.tmp         groups of one folder
//   Recent.dat                     the recent values of the six fields
//   Keyword Limit.txt              the keyword limit chosen in the tools menu
//   en_US.*, dic\en_US.*, SavedWords.dat   the language services' files
// The installation provides the root, Templates and Groups; nothing here creates them.
// Names are used verbatim as file and folder names; whatever the file system refuses makes the
// operation fail, and so does a name that would reach outside its branch (one holding a path
// separator, or made only of dots and blanks). In the 64-bit builds a group or folder made from a
// keyword list may be kept under a made file name (file_names.h): the group operations take the
// name menus show, and find the file that stands for it. No operation shows a message: that is the dialogs'
// business. Names and file contents are the plug-in's text (plugin_text.h): the x64 module writes its files
// in UTF-8 and reads an ANSI one that an earlier version left (file_text.h); a file or folder
// whose name the 32-bit module's ANSI text cannot hold is not listed.
#pragma once

#include <string>
#include <vector>

#include "entry_file.h"
#include "file_info.h"
#include "keyword_text.h"
#include "language_services.h"

struct LibraryRoots;

// A group and a folder of the group library as the keyword-list import and export see them: the
// name menus show and the file or folder name it is kept under (without ".tmp"; file_names.h).
struct LibraryGroup {
  std::string name;
  std::string file;
};
struct LibraryFolder {
  std::string name;
  std::string file;  // empty for the top level of Groups
  std::vector<LibraryGroup> groups;
};

// Which branch of the tree an operation works on.
enum EntryKind {
  kTemplateEntry = 1,   // entry files and RemoveFolder: Templates
  kGroupEntry = 2,      // entry files and RemoveFolder: Groups
  kTemplateFolder = 3,  // CreateFolder: Templates
  kGroupFolder = 4,     // CreateFolder: Groups
};

// The folder name that means the top level of Groups when saving (and only then).
constexpr const char* kDefaultFolder = "Default Folder";

class KeywordLibrary {
 public:
  // Root under the system directory: SYSTEM\kwTemplates\. The x64 module's root is the user's,
  // APPDATA\Tavimor\kwTemplates\ (made from the classic root on first use), with the classic
  // root as the machine-wide dictionary folder.
  KeywordLibrary();
  // Root given by the caller, ending with the path separator (tests use their own folders), and
  // optionally a folder where the dictionaries are looked for after the root.
  explicit KeywordLibrary(const std::string& root, const std::string& dictionaries = std::string());
  // The roots of a load (library_migration.h). While they await the move, the library reads the
  // earlier root and refuses every write (saves, deletes, folders, recent values, added words),
  // and each operation first looks whether the move is done: from then on it works on the
  // per-user root.
  explicit KeywordLibrary(const LibraryRoots& roots);

  // The library root, ending with the path separator.
  const char* Root() const {
    FollowMove();
    return root_.c_str();
  }
  // The machine-wide dictionary folder, ending with the path separator; empty for none.
  const char* DictionaryFolder() const {
    FollowMove();
    return dictionaries_.c_str();
  }

  // Templates. Save writes every field of values (false, no file, for an empty name or when the file
  // cannot be written; an older template of that name then stays as it was). Load empties and
  // fills every field of out, cutting a value to its field's capacity (between characters of
  // UTF-8 text); false, out untouched, when the file cannot be read. List appends the template
  // names, Last left out.
  bool SaveTemplate(const char* name, const FileInfoRecord& values) const;
  bool LoadTemplate(const char* name, FileInfoRecord& out) const;
  void ListTemplates(TextList& list) const;

  // Deletes BRANCH\FOLDER\NAME.tmp (kind 1 or 2; an empty folder is the top level). A missing
  // file is not an error: always true.
  bool DeleteEntryFile(const char* folder, const char* name, int kind) const;

  // Writes BRANCH\FOLDER\NAME.tmp; an empty folder or "Default Folder" is the top level.
  bool WriteEntryFile(const char* folder, const char* name, const EntryMap& entries, int kind) const;

  // Groups. LoadGroup takes the folder literally ("" is the top level) and copies the group's
  // keyword text into keywords (capacity bytes, cut to fit); false, keywords untouched, when the
  // file cannot be read. ListGroups appends the top-level groups (last found first), then for
  // each folder its header (ListHeader, list_header.h) followed by its groups; a name loses only
  // its final extension.
  bool SaveGroup(const char* folder, const char* name, const char* keywords) const;
  bool LoadGroup(const char* folder, const char* name, char* keywords, std::size_t capacity) const;
  void ListGroups(TextList& list) const;

  // The whole group library for the keyword-list import and export: the top level (a folder of
  // empty name and file) first, then each folder of Groups with its groups, in the order the file
  // system gives them (folders within folders are not walked). Whatever cannot be listed is left
  // out.
  void ListGroupFolders(std::vector<LibraryFolder>& folders) const;
  // A group file's entries by file names (folder empty for the top level); false, entries
  // untouched, when it cannot be read.
  bool ReadGroupFile(const std::string& folder, const std::string& file, EntryMap& entries) const;
  // Replaces a group file whole (ReplaceTextFile: a failure leaves the old file as it was); false
  // when it cannot be written or the library may not write.
  bool WriteGroupFile(const std::string& folder, const std::string& file, const EntryMap& entries) const;
  // Makes a folder of Groups; true when it is there afterwards.
  bool MakeGroupFolder(const std::string& folder) const;

  // CreateFolder (kind 3 or 4) ignores every failure. RemoveFolder (kind 1 or 2) removes only an
  // empty folder; false when it is not empty, missing, refused, or the name is empty.
  void CreateFolder(const char* name, int kind) const;
  bool RemoveFolder(const char* name, int kind) const;

  // Recent values. LoadRecent replaces the table from Recent.dat (false, table unchanged, when it
  // cannot be read). SaveRecent merges the record's values into the table's entries and writes them
  // to Recent.dat without changing the table (false when the file cannot be written; the old
  // file then stays). GetRecentValues empties list and fills it with the values of the field
  // whose menu base is menuId (31000 title, 32000 photographer, ..., 36000 URL).
  bool LoadRecent();
  bool SaveRecent(const FileInfoRecord& values) const;
  bool GetRecentValues(int menuId, TextList& list) const;

  // The keyword limit the user chose: the number in Keyword Limit.txt, 0 (no limit) when the
  // file is missing or holds no number from 1 to the keyword text's capacity. Save writes the file
  // whole or not at all (0 writes "0"); false when the library may not write or the file cannot
  // be written, the old file then staying as it was.
  int LoadKeywordLimit() const;
  bool SaveKeywordLimit(int limit) const;

  // Language operations, answered by the language services the library was handed (which must
  // be there before the first of them): the word is trimmed first, and in the 32-bit build
  // lower-cased (ASCII letters); the list operations append and never clear list. AddWordToDictionary is
  // always true; a library that may not write (see LibraryRoots) adds nothing.
  bool IsWordCorrect(const char* word) const { return Language().IsWordCorrect(word); }
  void GetSuggestions(const char* word, TextList& list) const { Language().GetSuggestions(word, list); }
  void GetSynonyms(const char* word, TextList& list) const { Language().GetSynonyms(word, list); }
  bool AddWordToDictionary(const char* word) const {
    return !Writable() || Language().AddWordToDictionary(word);
  }
  // The suggestions worked out ahead (language_services.h).
  void QueueSuggestions(const TextList& words) const { Language().QueueSuggestions(words); }
  bool PrepareNextSuggestion() const { return Language().PrepareNextSuggestion(); }
  // Loads the dictionaries, the thesaurus and the user word list ahead of the first language
  // operation (nothing when they are loaded). Throws what the load throws.
  void LoadLanguage() const { Language().Load(); }
  // The installed languages and the user's choice among them (language_services.h).
  std::vector<LanguageChoiceItem> Languages() const { return Language().Languages(); }
  bool ToggleLanguage(std::size_t index) const { return Language().ToggleLanguage(index); }

  // The language services the operations above use; the caller keeps them alive as long as the
  // library.
  void UseLanguageServices(LanguageServices& language) { language_ = &language; }

 private:
  std::string EntryPath(const char* folder, const char* name, int kind, bool saving) const;
  // Takes the per-user root once the move awaited at the load is in place.
  void FollowMove() const;
  // Whether the library may write (after FollowMove).
  bool Writable() const;
  // The services, made anew over the per-user root once the library follows the move to it.
  LanguageServices& Language() const {
    FollowMove();
    return *language_;
  }

  // Changed only by FollowMove, once: the library in use stays the same to its callers.
  mutable std::string root_;
  mutable std::string dictionaries_;
  mutable std::string pendingRoot_, pendingDictionaries_;
  mutable bool readOnly_ = false;
  TextList recent_;
  LanguageServices* language_ = nullptr;
};
