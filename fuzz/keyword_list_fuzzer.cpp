// The keyword-list reader on any text: every line is either read into the tree or named as not
// understood, and what is written from the tree reads back as the same tree, wholly understood.
#include "fuzz_support.h"
#include "keyword_list.h"

namespace {

std::size_t CountNodes(const std::vector<KeywordNode>& nodes) {
  std::size_t count = 0;
  for (const KeywordNode& node : nodes) count += 1 + node.synonyms.size() + CountNodes(node.children);
  return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text = InputText(data, size);
  KeywordList list = ParseKeywordList(text);
  std::size_t lines = 0;
  for (std::size_t start = 0; start < text.size(); ++lines) {
    std::size_t end = text.find('\n', start);
    start = end == std::string::npos ? text.size() : end + 1;
  }
  FUZZ_CHECK(CountNodes(list.roots) + list.notUnderstood.size() <= lines);

  const std::string written = FormatKeywordList(list.roots);
  KeywordList back = ParseKeywordList(written);
  FUZZ_CHECK(back.notUnderstood.empty());
  FUZZ_CHECK(CountNodes(back.roots) == CountNodes(list.roots));
  FUZZ_CHECK(FormatKeywordList(back.roots) == written);
  return 0;
}
