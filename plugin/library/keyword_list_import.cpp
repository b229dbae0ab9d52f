#include "keyword_list_import.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "file_names.h"
#include "keyword_library.h"
#include "keyword_text.h"

namespace {

// A keyword's or synonym's text as the box keeps it: blanks trimmed. False when the box could not
// keep it as one keyword.
bool UsableText(const std::string& raw, std::string& text) {
  text = raw;
  text.erase(0, text.find_first_not_of(' '));
  text.erase(text.find_last_not_of(' ') + 1);
  if (text.empty() || text.find_first_of(",;") != std::string::npos) return false;
  const bool enclosed = text.size() >= 2 && ((text.front() == '[' && text.back() == ']') ||
                                             (text.front() == '{' && text.back() == '}'));
  return !enclosed;
}

void RejectAll(const KeywordNode& node, std::vector<KeywordListLine>& lines) {
  lines.push_back({node.line, node.category ? "[" + node.text + "]" : node.text});
  for (std::size_t i = 0; i < node.synonyms.size(); ++i)
    lines.push_back(
        {i < node.synonymLines.size() ? node.synonymLines[i] : node.line, "{" + node.synonyms[i] + "}"});
  for (const KeywordNode& child : node.children) RejectAll(child, lines);
}

class Mapper {
 public:
  explicit Mapper(KeywordListMapping& out) : out_(out) {}

  void Top(const KeywordNode& node, std::size_t place) {
    std::string text;
    if (!UsableText(node.text, text)) return RejectAll(node, out_.notUnderstood);
    ImportedFolder& folder = FolderNamed(text);
    std::vector<GroupPathPart> path = {{text, node.category}};
    std::vector<std::size_t> order = {place};
    ImportedGroup group = {text, path, order, {}, {}};
    Synonyms(node, text, group);
    const bool hasLeaves = Leaves(node, group);
    if (hasLeaves) Add(folder, std::move(group));
    Branches(node, folder, path, order);
  }

 private:
  ImportedFolder& FolderNamed(const std::string& name) {
    for (ImportedFolder& folder : out_.folders)
      if (folder.name == name) return folder;
    out_.folders.push_back({name, {}});
    return out_.folders.back();
  }

  static bool IsBranch(const KeywordNode& node) { return node.category || !node.children.empty(); }

  void Synonyms(const KeywordNode& node, const std::string& keyword, ImportedGroup& group) {
    std::vector<std::string> kept;
    for (std::size_t i = 0; i < node.synonyms.size(); ++i) {
      std::string text;
      if (UsableText(node.synonyms[i], text))
        kept.push_back(text);
      else
        out_.notUnderstood.push_back(
            {i < node.synonymLines.size() ? node.synonymLines[i] : node.line, "{" + node.synonyms[i] + "}"});
    }
    AddSynonyms(group.synonyms, keyword, kept);
  }

  void Keyword(const KeywordNode& node, const std::string& text, ImportedGroup& group) {
    if (std::find(group.keywords.begin(), group.keywords.end(), text) == group.keywords.end())
      group.keywords.push_back(text);
    Synonyms(node, text, group);
  }

  // The node's children without children of their own, as keywords of group; whether any came.
  bool Leaves(const KeywordNode& node, ImportedGroup& group) {
    bool any = false;
    for (const KeywordNode& child : node.children) {
      if (IsBranch(child)) continue;
      std::string text;
      if (!UsableText(child.text, text)) {
        RejectAll(child, out_.notUnderstood);
        continue;
      }
      Keyword(child, text, group);
      any = true;
    }
    return any;
  }

  void Branches(const KeywordNode& node, ImportedFolder& folder, const std::vector<GroupPathPart>& path,
                const std::vector<std::size_t>& order) {
    for (std::size_t place = 0; place < node.children.size(); ++place) {
      const KeywordNode& child = node.children[place];
      if (!IsBranch(child)) continue;
      std::string text;
      if (!UsableText(child.text, text)) {
        RejectAll(child, out_.notUnderstood);
        continue;
      }
      ImportedGroup group;
      group.path = path;
      group.path.push_back({text, child.category});
      group.order = order;
      group.order.push_back(place);
      for (std::size_t i = 1; i < group.path.size(); ++i)
        group.name += (i > 1 ? kGroupPathMark : "") + group.path[i].text;
      if (child.category)
        Synonyms(child, text, group);
      else
        Keyword(child, text, group);
      Leaves(child, group);
      const std::vector<GroupPathPart> below = group.path;
      const std::vector<std::size_t> belowOrder = group.order;
      Add(folder, std::move(group));
      Branches(child, folder, below, belowOrder);
    }
  }

  // A second node of the same path (a list may repeat one) joins the first one's group.
  void Add(ImportedFolder& folder, ImportedGroup group) {
    for (ImportedGroup& other : folder.groups) {
      if (other.path != group.path) continue;
      for (const std::string& keyword : group.keywords)
        if (std::find(other.keywords.begin(), other.keywords.end(), keyword) == other.keywords.end())
          other.keywords.push_back(keyword);
      for (const auto& [keyword, words] : group.synonyms) AddSynonyms(other.synonyms, keyword, words);
      return;
    }
    folder.groups.push_back(std::move(group));
  }

  KeywordListMapping& out_;
};

// The path a group file stands for: its Path, or for a group typed by hand its folder and name.
std::vector<std::string> PathTexts(const GroupFile& group, const LibraryFolder& folder,
                                   const std::string& name) {
  std::vector<std::string> texts;
  for (const GroupPathPart& part : group.path) texts.push_back(part.text);
  if (!texts.empty()) return texts;
  texts.push_back(folder.name);
  if (name == folder.name) return texts;
  std::size_t start = 0;
  const std::string mark = kGroupPathMark;
  for (;;) {
    const std::size_t end = name.find(mark, start);
    texts.push_back(name.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) return texts;
    start = end + mark.size();
  }
}

struct OpenGroup {
  std::string file;
  GroupFile content;
  std::vector<std::string> path;
};

std::string Plural(std::size_t count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

}  // namespace

KeywordListMapping MapKeywordList(const KeywordList& list) {
  KeywordListMapping mapping;
  mapping.notUnderstood = list.notUnderstood;
  Mapper mapper(mapping);
  for (std::size_t place = 0; place < list.roots.size(); ++place) mapper.Top(list.roots[place], place);
  std::stable_sort(mapping.notUnderstood.begin(), mapping.notUnderstood.end(),
                   [](const KeywordListLine& a, const KeywordListLine& b) { return a.number < b.number; });
  return mapping;
}

ImportReport ImportKeywordList(const KeywordLibrary& library, const std::string& text) {
  const KeywordListMapping mapping = MapKeywordList(ParseKeywordList(text));
  ImportReport report;
  report.notUnderstood = mapping.notUnderstood;
  std::vector<LibraryFolder> folders;
  library.ListGroupFolders(folders);
  for (const ImportedFolder& imported : mapping.folders) {
    auto found = std::find_if(folders.begin() + 1, folders.end(),
                              [&](const LibraryFolder& folder) { return folder.name == imported.name; });
    if (found == folders.end()) {
      std::vector<std::string> taken;
      for (auto other = folders.begin() + 1; other != folders.end(); ++other) taken.push_back(other->file);
      LibraryFolder made;
      made.name = imported.name;
      made.file = FreeFileName(imported.name, taken, "");
      if (!library.MakeGroupFolder(made.file)) {
        for (const ImportedGroup& group : imported.groups)
          report.notWritten.push_back(imported.name + kGroupPathMark + group.name);
        continue;
      }
      ++report.folders;
      folders.push_back(made);
      found = folders.end() - 1;
    }
    const LibraryFolder& folder = *found;
    std::vector<OpenGroup> open;
    std::vector<std::string> taken;
    for (const LibraryGroup& group : folder.groups) {
      taken.push_back(group.file + ".tmp");
      EntryMap entries;
      if (!library.ReadGroupFile(folder.file, group.file, entries)) continue;
      OpenGroup entry{group.file, ParseGroupFile(entries), {}};
      entry.path = PathTexts(entry.content, folder, group.name);
      open.push_back(std::move(entry));
    }
    for (const ImportedGroup& group : imported.groups) {
      std::vector<std::string> path;
      for (const GroupPathPart& part : group.path) path.push_back(part.text);
      auto same = std::find_if(open.begin(), open.end(), [&](const OpenGroup& g) { return g.path == path; });
      const bool fresh = same == open.end();
      OpenGroup target;
      if (fresh) {
        target.file = FreeFileName(group.name, taken, ".tmp");
        target.content.name = group.name;
        target.content.path = group.path;
        target.content.order = group.order;
        target.path = path;
      } else {
        target = *same;
      }
      std::size_t keywords = 0, synonyms = 0;
      for (const std::string& keyword : group.keywords) {
        std::vector<std::string>& list = target.content.keywords;
        if (std::find(list.begin(), list.end(), keyword) != list.end()) continue;
        list.push_back(keyword);
        ++keywords;
      }
      for (const auto& [keyword, words] : group.synonyms)
        synonyms += AddSynonyms(target.content.synonyms, keyword, words);
      if (!fresh && keywords == 0 && synonyms == 0) continue;
      if (!library.WriteGroupFile(folder.file, target.file, GroupFileEntries(target.content))) {
        report.notWritten.push_back(folder.name + kGroupPathMark + group.name);
        continue;
      }
      report.keywords += keywords;
      report.synonyms += synonyms;
      if (fresh) {
        ++report.groups;
        taken.push_back(target.file + ".tmp");
        open.push_back(std::move(target));
      } else {
        ++report.mergedGroups;
        *same = std::move(target);
      }
    }
  }
  return report;
}

std::string ImportMessage(const ImportReport& report) {
  std::string message = "Imported " + Plural(report.folders, "new folder", "new folders") + ", " +
                        Plural(report.groups, "new group", "new groups") + ", " +
                        Plural(report.keywords, "keyword", "keywords") + " and " +
                        Plural(report.synonyms, "synonym", "synonyms") + ".";
  if (report.mergedGroups > 0)
    message +=
        "\n" + Plural(report.mergedGroups, "group", "groups") + " already in the library gained keywords.";
  if (!report.notUnderstood.empty())
    message += "\n" + Plural(report.notUnderstood.size(), "line was", "lines were") +
               " not understood and left out; the error log names them.";
  if (!report.notWritten.empty()) {
    message += "\n" + Plural(report.notWritten.size(), "group", "groups") + " could not be written:";
    for (std::size_t i = 0; i < report.notWritten.size() && i < 10; ++i)
      message += "\n" + report.notWritten[i];
    if (report.notWritten.size() > 10) message += "\n...";
  }
  return message;
}

namespace {

// A node of the tree being rebuilt: its keyword children in the order their group has them, its
// branches with the place each had among all the node's children.
struct Draft {
  std::string text;
  bool category = true;
  std::vector<std::string> synonyms;
  std::vector<KeywordNode> leaves;
  std::vector<std::pair<std::size_t, std::size_t>> branches;  // (place, index of the draft)
};

constexpr std::size_t kNoPlace = std::numeric_limits<std::size_t>::max();

class TreeBuilder {
 public:
  std::size_t Root(const std::string& text, std::size_t place) { return Child(roots_, text, place); }
  std::size_t Below(std::size_t parent, const std::string& text, std::size_t place) {
    // The parent's vector may move as drafts are added: it is looked up again each time.
    std::vector<std::pair<std::size_t, std::size_t>> branches = drafts_[parent].branches;
    const std::size_t index = Child(branches, text, place);
    drafts_[parent].branches = std::move(branches);
    return index;
  }
  Draft& At(std::size_t index) { return drafts_[index]; }

  std::vector<KeywordNode> Build() {
    std::vector<KeywordNode> nodes;
    for (const auto& [place, index] : Sorted(roots_)) nodes.push_back(Node(index));
    return nodes;
  }

 private:
  std::size_t Child(std::vector<std::pair<std::size_t, std::size_t>>& list, const std::string& text,
                    std::size_t place) {
    for (auto& [known, index] : list) {
      if (drafts_[index].text != text) continue;
      known = std::min(known, place);
      return index;
    }
    drafts_.push_back(Draft{text, true, {}, {}, {}});
    list.emplace_back(place, drafts_.size() - 1);
    return drafts_.size() - 1;
  }

  static std::vector<std::pair<std::size_t, std::size_t>> Sorted(
      std::vector<std::pair<std::size_t, std::size_t>> list) {
    std::stable_sort(list.begin(), list.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    return list;
  }

  KeywordNode Node(std::size_t index) {
    const Draft draft = drafts_[index];
    KeywordNode node;
    node.text = draft.text;
    node.category = draft.category;
    node.synonyms = draft.synonyms;
    // The branches go back to their places; the keyword children fill the places between them.
    const auto branches = Sorted(draft.branches);
    std::size_t leaf = 0, branch = 0;
    for (std::size_t place = 0; leaf < draft.leaves.size() || branch < branches.size(); ++place) {
      if (branch < branches.size() && (branches[branch].first <= place || leaf == draft.leaves.size()))
        node.children.push_back(Node(branches[branch++].second));
      else
        node.children.push_back(draft.leaves[leaf++]);
    }
    return node;
  }

  std::vector<Draft> drafts_;
  std::vector<std::pair<std::size_t, std::size_t>> roots_;
};

}  // namespace

std::vector<KeywordNode> LibraryKeywordTree(const KeywordLibrary& library) {
  std::vector<LibraryFolder> folders;
  library.ListGroupFolders(folders);
  TreeBuilder tree;
  for (const LibraryFolder& folder : folders) {
    for (const LibraryGroup& listed : folder.groups) {
      EntryMap entries;
      if (!library.ReadGroupFile(folder.file, listed.file, entries)) continue;
      GroupFile group = ParseGroupFile(entries);
      const bool placed = !folder.file.empty() && !group.path.empty() && group.path[0].text == folder.name;
      std::vector<GroupPathPart> path = group.path;
      if (!placed) {
        // A group typed by hand: a category in its folder, or one of its own at the top level.
        group.order.clear();
        path.clear();
        if (folder.file.empty()) {
          path.push_back({listed.name, true});
        } else {
          for (const std::string& part : PathTexts(GroupFile(), folder, listed.name))
            path.push_back({part, true});
        }
      }
      auto placeAt = [&](std::size_t level) {
        return level < group.order.size() ? group.order[level] : kNoPlace;
      };
      std::size_t node = tree.Root(path[0].text, placeAt(0));
      if (placed) tree.At(node).category = path[0].category;
      for (std::size_t level = 1; level < path.size(); ++level) {
        node = tree.Below(node, path[level].text, placeAt(level));
        tree.At(node).category = path[level].category;
      }
      Draft& draft = tree.At(node);
      std::size_t first = 0;
      if (path.size() > 1 && !draft.category && !group.keywords.empty() && group.keywords[0] == draft.text)
        first = 1;  // the node itself
      if (const std::vector<std::string>* own = SynonymsOf(group.synonyms, draft.text))
        for (const std::string& word : *own)
          if (std::find(draft.synonyms.begin(), draft.synonyms.end(), word) == draft.synonyms.end())
            draft.synonyms.push_back(word);
      for (std::size_t i = first; i < group.keywords.size(); ++i) {
        KeywordNode leaf;
        leaf.text = group.keywords[i];
        if (const std::vector<std::string>* words = SynonymsOf(group.synonyms, leaf.text))
          leaf.synonyms = *words;
        draft.leaves.push_back(std::move(leaf));
      }
    }
    // A folder holding no group is a category of its own.
    if (!folder.file.empty()) tree.Root(folder.name, kNoPlace);
  }
  return tree.Build();
}

std::string ExportKeywordList(const KeywordLibrary& library) {
  return FormatKeywordList(LibraryKeywordTree(library));
}
