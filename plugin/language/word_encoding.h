// Words between the plug-in's text and the encoding a dictionary or thesaurus file declares
// (its SET line or first line: "UTF-8", "ISO8859-1", "KOI8-R", ...). The plug-in's text is UTF-8
// in the 64-bit builds and the machine's ANSI code page in the 32-bit build (plugin_text.h);
// neither is assumed to be any fixed code page.
#pragma once

#include <string>

class WordEncoding {
 public:
  // The 64-bit builds match the name as Hunspell does (case, and all but letters and digits,
  // ignored: "iso-8859-2" is "ISO8859-2") and take a name they do not know as ISO 8859-1, as
  // Hunspell does. An encoding this build cannot convert (or none declared) takes the bytes as
  // they stand.
  explicit WordEncoding(const char* declared);

  // word in the file's encoding; false, out unchanged, when a character of it has no form there
  // (such a word is in no dictionary of that encoding).
  bool ToFile(const std::string& word, std::string& out) const;
  // A result of the library in the plug-in's text; false when it holds a character the plug-in's
  // text cannot (out then shows it as the system's default character, or "?"), and in the
  // Unicode builds a byte the file's encoding has no character for (out shows U+FFFD).
  bool FromFile(const std::string& text, std::string& out) const;

 private:
  enum Kind { kAsIs, kUtf8, kCodePage };
  Kind kind_ = kAsIs;
  unsigned codePage_ = 0;  // kCodePage: the Windows code page number
};
