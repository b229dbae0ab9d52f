// What a dictionary extension (.oxt) declares in its dictionaries.xcu: for each dictionary its
// kind, its files and the languages it serves, as LibreOffice reads them. Platform-neutral; any
// text gives a defined result (what cannot be read declares nothing).
//
//   <node oor:name="HunSpellDic_de_DE" oor:op="fuse">
//     <prop oor:name="Locations"><value>%origin%/de_DE.aff %origin%/de_DE.dic</value></prop>
//     <prop oor:name="Format"><value>DICT_SpellChecker</value></prop>
//     <prop oor:name="Locales"><value>de-DE de-AT</value></prop>
//   </node>
#pragma once

#include <string>
#include <vector>

struct PackagedDictionary {
  enum Kind { kSpelling, kThesaurus };
  Kind kind;
  // The files as members of the package ("dictionaries/de_DE.aff"), in the order declared.
  std::vector<std::string> locations;
  // The languages as BCP 47 tags ("de-DE").
  std::vector<std::string> locales;
};

// Reads xcu, the text of the member folder + "dictionaries.xcu" (folder empty or ending in "/"):
// "%origin%" stands for folder. Hyphenation patterns and dictionaries of other formats are left
// out, and so is any location that would reach outside the package.
std::vector<PackagedDictionary> ReadDictionaryDeclarations(const std::string& xcu, const std::string& folder);
