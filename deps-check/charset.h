// Conversion between UTF-8 and the 8-bit character sets that the upstream spelling test data uses
// (ISO 8859-1, -2 and -15), with the results of the conversion library the upstream tools use:
// the same text when both names are the same or a name is unknown, and the text converted up to
// the first character the target cannot hold (or the first invalid sequence) otherwise.
//
// The same code in every build, so that the native and Windows runs feed the library the same bytes.
#pragma once

#include <string>

std::string ConvertText(const std::string& text, const std::string& from, const std::string& to);
