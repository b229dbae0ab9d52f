#include "command_routes.h"

namespace {

using C = EditorCommand;

const CommandRoute kRoutes[] = {
    {1, 1, C::kAccept, false},
    {2, 2, C::kCancel, false},
    {3, 3, C::kCount, false},
    {4, 4, C::kTools, false},
    {6, 6, C::kLoadTemplateMenu, false},
    {7, 7, C::kSaveTemplate, false},
    {8, 8, C::kDeleteTemplateMenu, false},
    {20, 25, C::kRecentMenu, false},
    {1009, 1009, C::kAbout, false},
    {10000, 10999, C::kLoadTemplate, true},
    {11000, 11999, C::kDeleteTemplate, true},
    {12000, 12999, C::kSynonym, true},
    {13000, 13999, C::kSuggestion, true},
    {15000, 15000, C::kDeleteWord, true},
    {16000, 16000, C::kWordUpperCase, true},
    {17000, 17000, C::kWordLowerCase, true},
    {18000, 18000, C::kSelectAll, true},
    {19000, 19000, C::kAddToDictionary, true},
    {21000, 21000, C::kDeleteDuplicates, true},
    {22000, 22000, C::kSort, true},
    {23000, 23000, C::kUpperCase, true},
    {24000, 24000, C::kLowerCase, true},
    {25000, 25000, C::kSpellChecker, true},
    {26000, 26999, C::kSaveGroup, true},
    {27000, 27999, C::kAddGroup, true},
    {28000, 28999, C::kDeleteGroup, true},
    {29000, 29000, C::kCreateFolder, true},
    {30000, 30999, C::kDeleteFolder, true},
    // Recent titles have a narrower range than the other fields; ten values fit either way.
    {31000, 31099, C::kRecentValue, true},
    {32000, 32999, C::kRecentValue, true},
    {33000, 33999, C::kRecentValue, true},
    {34000, 34999, C::kRecentValue, true},
    {35000, 35999, C::kRecentValue, true},
    {36000, 36999, C::kRecentValue, true},
    {37000, 37000, C::kSaveGroupInDefaultFolder, true},
};

}  // namespace

const CommandRoute* FindCommandRoute(int id) {
  for (const CommandRoute& route : kRoutes) {
    if (id >= route.first && id <= route.last) return &route;
  }
  return nullptr;
}

int CommandRangeLast(int commandBase) {
  for (const CommandRoute& route : kRoutes) {
    if (route.first == commandBase) return route.last;
  }
  return commandBase;
}
