// The editor's controls of each File Info field, by FileInfoField: its edit control and its "..."
// button of recent values. With kFileInfoFields (file_info.h) they make the editor's side of a
// field: the recent-value buttons and their menus are found from these two tables.
// Platform-neutral.
#pragma once

#include "command_ids.h"
#include "editor_dialog_res.h"
#include "file_info.h"

struct FieldControls {
  int edit;
  int recentButton;
};

constexpr FieldControls kFieldControls[kFileInfoFieldCount] = {
    {IDC_KEYWORDS, IDC_RECENT_KEYWORDS},         {IDC_TITLE, IDC_RECENT_TITLE},
    {IDC_PHOTOGRAPHER, IDC_RECENT_PHOTOGRAPHER}, {IDC_DESCRIPTION, IDC_RECENT_DESCRIPTION},
    {IDC_COPYRIGHT, IDC_RECENT_COPYRIGHT},       {IDC_URL, IDC_RECENT_URL},
};

// The field whose "..." button is id; -1 for none.
constexpr int FieldOfRecentButton(int id) {
  for (int field = 0; field < kFileInfoFieldCount; ++field) {
    if (kFieldControls[field].recentButton == id) return field;
  }
  return -1;
}

// The field whose recent-value menu holds the item id (the menu of its line of Recent.dat); -1
// for none.
constexpr int FieldOfRecentItem(int id) {
  for (int field = 0; field < kFileInfoFieldCount; ++field) {
    if (RecentItems(kFileInfoFields[field].recentLine).Holds(id)) return field;
  }
  return -1;
}

// The ids from the lowest to the highest "..." button.
constexpr CommandRange RecentButtons() {
  CommandRange range = {kFieldControls[0].recentButton, kFieldControls[0].recentButton};
  for (const FieldControls& controls : kFieldControls) {
    if (controls.recentButton < range.first) range.first = controls.recentButton;
    if (controls.recentButton > range.last) range.last = controls.recentButton;
  }
  return range;
}

// The ids from the first item of the first recent-value menu to the last of the last.
constexpr CommandRange RecentValueItems() {
  CommandRange range = RecentItems(kFileInfoFields[0].recentLine);
  for (const FileInfoFieldRow& row : kFileInfoFields) {
    const CommandRange items = RecentItems(row.recentLine);
    if (items.first < range.first) range.first = items.first;
    if (items.last > range.last) range.last = items.last;
  }
  return range;
}
