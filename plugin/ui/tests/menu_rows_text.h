// Menu rows flattened for compact comparisons: "text=id" rows, separators as "-", submenus as
// "[text: ...]".
#pragma once

#include <string>

#include "list_menu.h"

inline std::string Describe(const MenuRows& rows) {
  std::string out;
  for (const MenuRow& row : rows) {
    if (!out.empty()) out += ", ";
    if (row.kind == MenuRow::kSubmenu) {
      out += "[" + row.text + ": " + Describe(row.submenu) + "]";
    } else if (row.kind == MenuRow::kSeparator) {
      out += "-";
    } else {
      out += row.text + "=" + std::to_string(row.id) + (row.checked ? " (checked)" : "");
    }
  }
  return out;
}
