#include "keyword_list.h"

namespace {

bool IsBlankLine(const std::string& rest) {
  return rest.find_first_not_of(" \t") == std::string::npos;
}

bool Enclosed(const std::string& rest, char open, char close) {
  return rest.size() >= 2 && rest.front() == open && rest.back() == close;
}

void AppendLine(std::string& out, std::size_t depth, const std::string& text, const char* open,
                const char* close) {
  out.append(depth, '\t');
  out += open;
  for (char c : text) out += (c == '\r' || c == '\n') ? ' ' : c;
  out += close;
  out += "\r\n";
}

void FormatNode(std::string& out, const KeywordNode& node, std::size_t depth) {
  if (node.category)
    AppendLine(out, depth, node.text, "[", "]");
  else
    AppendLine(out, depth, node.text, "", "");
  for (const std::string& synonym : node.synonyms) AppendLine(out, depth + 1, synonym, "{", "}");
  for (const KeywordNode& child : node.children) FormatNode(out, child, depth + 1);
}

}  // namespace

KeywordList ParseKeywordList(const std::string& text) {
  KeywordList list;
  // The open keywords, one per depth: open[d] is the last keyword read at depth d. Only the
  // deepest one's vector of children grows, so the pointers above it stay valid.
  std::vector<KeywordNode*> open;
  std::size_t number = 0;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    start = end + 1;
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    for (char& c : line)
      if (c == '\r') c = ' ';  // a stray CR is no line end here, and never part of a keyword
    std::size_t depth = line.find_first_not_of('\t');
    if (depth == std::string::npos || IsBlankLine(line.substr(depth))) continue;
    std::string rest = line.substr(depth);

    bool synonym = Enclosed(rest, '{', '}');
    bool category = Enclosed(rest, '[', ']');
    if (synonym || category) rest = rest.substr(1, rest.size() - 2);
    // A synonym belongs to the keyword one level up; a keyword may go one level below the last.
    bool fits = synonym ? depth >= 1 && depth <= open.size() : depth <= open.size();
    if (!fits || rest.empty()) {
      list.notUnderstood.push_back({number, line});
      if (open.size() > depth) open.resize(depth);  // what hangs from it goes too
      continue;
    }
    if (synonym) {
      open.resize(depth);
      open.back()->synonyms.push_back(rest);
      open.back()->synonymLines.push_back(number);
      continue;
    }
    open.resize(depth);
    std::vector<KeywordNode>& siblings = depth == 0 ? list.roots : open.back()->children;
    siblings.push_back(KeywordNode{rest, category, {}, {}, number, {}});
    open.push_back(&siblings.back());
  }
  return list;
}

std::string FormatKeywordList(const std::vector<KeywordNode>& roots) {
  std::string out;
  for (const KeywordNode& node : roots) FormatNode(out, node, 0);
  return out;
}
