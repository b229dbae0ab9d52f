// The languages installed for the Unicode builds and the user's choice among them.
//
// A language is named by its tag ("de_DE"). Its files are looked for, first found wins:
//   - the user's dictionaries folder (<library root>Dictionaries\): dictionary extensions (.oxt,
//     a zip whose dictionaries.xcu names the files), then loose TAG.aff/.dic and th_TAG*.idx/.dat
//     (also TAG.idx/.dat);
//   - the library root and its dic folder, then the machine's dictionary folder and its dic
//     folder: TAG.aff/.dic and TAG.idx/.dat.
// A user's dictionary so wins over a shipped one of the same tag. The speller and the thesaurus
// of a tag are found each on its own: an extension may bring only one of them.
//
// The choice is the file Languages.txt beside the library: one tag a line, in UTF-8. Tags of
// languages no longer installed stay in it, so a dictionary taken away for a while keeps its place.
// Platform-neutral but for the file-system calls (file_system.h).
#pragma once

#include <string>
#include <vector>

// Where the files of one installed language are. A member of an extension is named as
// PACKAGE|MEMBER until it is unpacked (UnpackLanguageFiles).
struct LanguageFiles {
  std::string tag;
  std::string aff, dic;  // both or neither
  std::string idx, dat;  // both or neither
  std::string package;   // the .oxt the files come from; empty for loose files
};

constexpr const char* kUserDictionaryFolder = "Dictionaries";
constexpr const char* kLanguageChoiceFile = "Languages.txt";

// A tag as the catalog writes it: "de-DE" and "de_de" are "de_DE"; empty when text is no language
// tag (two or three letters, then optional parts of letters and digits after "_" or "-").
std::string LanguageTag(const std::string& text);

// The installed languages, sorted by tag. root and machine end with the path separator (machine
// may be empty). Reads the extensions' directories, never their dictionaries.
std::vector<LanguageFiles> FindLanguages(const std::string& root, const std::string& machine);

// Turns the members of an extension into files the libraries can open: each is unpacked once into
// <root>Dictionaries\Unpacked\<extension>\ (written whole under another name and then put in
// place, so a file there is never half-written) and unpacked anew when it differs. Files outside
// an extension are left as they are. False when a member cannot be read or written: the files
// then name nothing for that part.
bool UnpackLanguageFiles(const std::string& root, LanguageFiles& files);

// The choice file's tags in order (blank lines and repeats left out), and its text.
std::vector<std::string> ParseLanguageChoice(const std::string& text);
std::string FormatLanguageChoice(const std::vector<std::string>& tags);

// The choice before the user makes one: English (US) and the first of the display languages
// (tags, best first) installed, matched by the whole tag, else by its language alone ("de_AT"
// takes "de_DE" when no de_AT is installed); only those installed.
std::vector<std::string> DefaultLanguages(const std::vector<LanguageFiles>& installed,
                                          const std::vector<std::string>& displayLanguages);
