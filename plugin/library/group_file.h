// What a keyword group's file holds beyond its keyword text (x64 and ARM64 builds). Every entry is
// one more "key=value" line of the entry file (entry_file.h), which the 32-bit module and earlier
// x64 versions read past: they know only "Keywords".
//
//   Keywords=Birds; Eagle; Owl;            the keywords, as ever
//   Synonyms=Birds,Aves;Eagle,Golden eagle;
//                                          each keyword with its synonyms: a keyword cannot hold
//                                          "," or ";" (the keyword box splits there), nor can a
//                                          synonym, so these two marks cannot be mistaken
//   Name=Birds › Raptors                   the name menus show (a group made from a keyword
//                                          list keeps it; it is read where the file's name is a
//                                          made one, file_names.h)
//   Path=Animals;Birds;[Raptors]           for a group made from a keyword list: the nodes from
//                                          the top one down to the group's own, a category in
//                                          brackets
//   Order=0;3;1                            each of those nodes' place among its siblings
//
// Path and Order let a library made from a keyword list be written back with the same nesting,
// order and categories. A file without them is a group typed by hand. Platform-neutral.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "entry_file.h"

struct GroupPathPart {
  std::string text;
  bool category = false;
  bool operator==(const GroupPathPart& other) const {
    return text == other.text && category == other.category;
  }
};

using SynonymList = std::vector<std::pair<std::string, std::vector<std::string>>>;

struct GroupFile {
  std::string name;
  std::vector<std::string> keywords;
  SynonymList synonyms;
  std::vector<GroupPathPart> path;
  std::vector<std::size_t> order;
};

GroupFile ParseGroupFile(const EntryMap& entries);
EntryMap GroupFileEntries(const GroupFile& group);

// The synonyms of keyword; nullptr when it has none.
const std::vector<std::string>* SynonymsOf(const SynonymList& synonyms, const std::string& keyword);

// Adds synonyms to keyword's (those it has already are not added twice); returns how many were new.
std::size_t AddSynonyms(SynonymList& synonyms, const std::string& keyword,
                        const std::vector<std::string>& more);

// The keyword text "Add Keyword's Group" adds: the group's keywords, each followed by its
// synonyms, as catalog programs write them into images. A group without synonyms gives its
// keyword text as the file has it.
std::string GroupTextWithSynonyms(const EntryMap& entries);

// A group saved from the keyword box over the group of that name: keeps the synonyms the group had
// for the keywords still in the box, and takes the words right after such a keyword that are its
// synonyms (as "Add Keyword's Group" put them there) for those synonyms, not for keywords of their
// own. Name, Path and Order stay. old is empty for a new group.
EntryMap SavedGroupEntries(const EntryMap& old, const std::string& keywordText);
