#include "list_menu.h"

#include <algorithm>

#include "plugin_text.h"
#include "tools_menu.h"
#include "word_menu.h"

namespace {

void AppendItems(MenuRows& menu, const TextList& list, CommandRange items, bool headers, bool foldersOnly) {
  const std::size_t count = static_cast<std::size_t>(items.last - items.first) + 1;
  MenuRow folder;  // the submenu being filled, once a header has been seen
  bool inFolder = false;
  auto closeFolder = [&] {
    if (inFolder && !folder.submenu.empty()) menu.push_back(std::move(folder));
    folder = MenuRow();
    inFolder = false;
  };
  for (std::size_t i = 0; i < list.size() && i < count; ++i) {
    const std::string& entry = list[i];
    MenuRow item;
    item.text = MenuDisplayText(entry);
    item.id = items.first + static_cast<int>(i);
    if (!headers) {
      menu.push_back(std::move(item));
    } else if (foldersOnly) {
      if (IsMenuHeader(entry)) menu.push_back(std::move(item));
    } else if (IsMenuHeader(entry)) {
      closeFolder();
      folder.kind = MenuRow::kSubmenu;
      folder.text = std::move(item.text);
      inFolder = true;
    } else {
      (inFolder ? folder.submenu : menu).push_back(std::move(item));
    }
  }
  closeFolder();
}

}  // namespace

bool IsMenuHeader(const std::string& entry) {
  return IsListHeader(entry);
}

std::string MenuDisplayText(const std::string& entry) {
  std::string text = ListHeaderName(entry);
  // Characters, not bytes: in UTF-8 one may take several, and none is split; ANSI text counts
  // bytes, and a double-byte character is not split either.
  const std::size_t cut = kUtf8Text && !HasLeadBytes() ? Utf8OffsetOf(text, kMenuTextCut)
                                                       : TextPrefix(text.c_str(), text.size(), kMenuTextCut);
  if (cut < text.size()) text = text.substr(0, cut) + "...";
  // "&" is no trail byte of a double-byte character (those are 0x40 and above), so doubling it
  // byte by byte is safe in every build.
  std::string shown;
  for (const char c : text) {
    shown += c;
    if (c == '&') shown += '&';
  }
  return shown;
}

void AppendListItems(MenuRows& menu, const TextList& list, CommandRange items, bool foldersOnly) {
  AppendItems(menu, list, items, true, foldersOnly);
}

void AppendPlainItems(MenuRows& menu, const TextList& list, CommandRange items) {
  AppendItems(menu, list, items, false, false);
}

std::string FolderOfEntry(const TextList& list, std::size_t index) {
  for (std::size_t i = index < list.size() ? index : 0; i-- > 0;) {
    if (IsMenuHeader(list[i])) return ListHeaderName(list[i]);
  }
  return std::string();
}

const std::string* ChosenEntry(const TextList& list, std::size_t index) {
  return index < list.size() ? &list[index] : nullptr;
}

MenuRows LayoutListMenu(int kind, const TextList& list, const std::string& header) {
  if (kind == kSynonymMenuKind || kind == kSuggestionMenuKind) return LayoutWordMenu(kind, list, header);
  if (kind == kToolsMenuKind) return LayoutToolsMenu(list);
  MenuRows rows;
  for (const CommandRange items : {kLoadTemplateItems, kDeleteTemplateItems, RecentItems(0), RecentItems(1),
                                   RecentItems(2), RecentItems(3), RecentItems(4), RecentItems(5)}) {
    if (kind == items.first) AppendPlainItems(rows, list, items);
  }
  return rows;
}
