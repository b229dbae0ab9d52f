// Folder names beyond ASCII, made by the script's actions as chosen. The 64-bit builds keep UTF-8:
// a name outside the ANSI code page (Polish, under a Japanese one) is made whole. The 32-bit build
// keeps the ANSI code page: on a double-byte Windows (the program runs with code page 932, which
// Wine takes from the locale) a character whose second byte is "\" or "^" is one character, both
// in a folder path and in a script's text around a reference.
#include "scratch_tree.h"
#include "system_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <windows.h>

namespace {

// The names of the folder's subfolders, as the system has them.
std::vector<std::wstring> Subfolders(const std::string& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(WideText(folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::wstring name = found.cFileName;
    if (name != L"." && name != L".." && (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
      names.push_back(name);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

TEST(FolderNames, AreMadeAsChosenCharacterByCharacter) {
  // The 32-bit build runs under a Japanese ANSI code page; the 64-bit builds keep UTF-8 under any.
  if (!kUtf8Text) {
    ASSERT_EQ(GetACP(), 932u) << "the program runs under a Japanese ANSI code page";
  }
  // "data" in katakana (its last byte in code page 932 is "^") and "table" (its second byte "\").
  const std::wstring data = L"\x30C7\x30FC\x30BF", table = L"\x8868";
  // In UTF-8 the 64-bit builds take a name from outside the code page as well.
  const std::wstring polish = kUtf8Text ? L"\x141ukasz, ^x" : L"Lukasz, ^x";
  ScratchTree tree;
  InstallScript& script = tree.Script();
  // The chosen folder (its "^" is no reference), the script's own text, a variable.
  script.SetTextVariable("Chosen", tree.Root() + "\\" + NarrowText(polish));
  script.SetVariable("Sub", NarrowText(table));
  const std::string path = script.Expand("^Chosen^\\" + NarrowText(data) + "\\^Sub^");
  EXPECT_EQ(path, tree.Root() + "\\" + NarrowText(polish + L"\\" + data + L"\\" + table));
  EXPECT_EQ(script.Dispatch("CreateDirectory", std::vector<std::string>{path}), 1);
  EXPECT_EQ(Subfolders(tree.Root()), std::vector<std::wstring>{polish});
  EXPECT_EQ(Subfolders(tree.Path(NarrowText(polish))), std::vector<std::wstring>{data});
  EXPECT_EQ(Subfolders(tree.Path(NarrowText(polish + L"\\" + data))), std::vector<std::wstring>{table});

  // A copy into it, and its removal.
  tree.WriteFile("a.txt", "a");
  EXPECT_EQ(script.Dispatch("CopyFile", std::vector<std::string>{"a.txt", path, "a.txt", "TRUE"}), 1);
  EXPECT_NE(GetFileAttributesW(WideText(path + "\\a.txt").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(script.Dispatch("DeleteDirectory", std::vector<std::string>{tree.Path(NarrowText(polish))}), 1);
  EXPECT_TRUE(Subfolders(tree.Root()).empty());
}

}  // namespace
