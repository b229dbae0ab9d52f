// A keyword list (keyword_list.h) brought into the group library, and the library written out as
// one (x64 and ARM64 builds).
//
// Into the library: each top-level node becomes a folder. Each node below the top that has
// children, or is a category, becomes a group of that folder, named by its path below the top
// ("Birds › Raptors" for Animals, Birds, Raptors); it holds the node itself as its first keyword
// (a category is no keyword) and the node's children that have none of their own. The top
// node's own such children form a group named after the top node. Synonyms stay with their
// keyword (group_file.h). A group of the same path as one in the library is merged into it: it
// gains the keywords and synonyms it lacks; nothing is removed or overwritten.
//
// Out of the library: each folder is a top-level node (a category unless its groups say the top
// node was a keyword), each group a node rebuilt from its path, its keywords the nodes one level
// below, their synonyms one below that. The Path and Order a group made here keeps give back the
// nesting, categories and order it came with; a group typed by hand is a category holding its
// keywords, and a group of the top level of Groups a top-level category.
//
// Keywords and synonyms cannot hold "," or ";" (the keyword box splits there): a line holding one,
// and what hangs from it, is not understood, as is a keyword written "[...]" or "{...}" once its
// blanks are trimmed. Platform-neutral.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "group_file.h"
#include "keyword_list.h"

class KeywordLibrary;

// Between the names of a group's path below the top node.
constexpr const char kGroupPathMark[] = " \xE2\x80\xBA ";

struct ImportedGroup {
  std::string name;
  std::vector<GroupPathPart> path;
  std::vector<std::size_t> order;
  std::vector<std::string> keywords;
  SynonymList synonyms;
};

struct ImportedFolder {
  std::string name;
  std::vector<ImportedGroup> groups;
};

struct KeywordListMapping {
  std::vector<ImportedFolder> folders;
  std::vector<KeywordListLine> notUnderstood;  // the reader's and the mapping's, by line number
};

// The folders and groups a keyword list makes.
KeywordListMapping MapKeywordList(const KeywordList& list);

// What an import brought: new folders and groups, the keywords and synonyms added (to new groups
// and to groups already there), the groups already there that gained some, the lines not
// understood, and the groups that could not be written ("Folder › Group"; each such group's file
// stays as it was).
struct ImportReport {
  std::size_t folders = 0;
  std::size_t groups = 0;
  std::size_t keywords = 0;
  std::size_t synonyms = 0;
  std::size_t mergedGroups = 0;
  std::vector<KeywordListLine> notUnderstood;
  std::vector<std::string> notWritten;
};

// Brings text (the file's bytes as the plug-in's text: FileTextToPluginText) into library; each
// group file is written whole, as the library's safe writes do.
ImportReport ImportKeywordList(const KeywordLibrary& library, const std::string& text);

// The message that closes an import: what arrived, and what did not.
std::string ImportMessage(const ImportReport& report);

// The library as a keyword list's nodes, and as its text (UTF-8 without a byte-order mark, CR LF).
std::vector<KeywordNode> LibraryKeywordTree(const KeywordLibrary& library);
std::string ExportKeywordList(const KeywordLibrary& library);
