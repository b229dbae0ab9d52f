// What the system says about languages: a language's name in itself, and the user's display
// languages. language_names_win32.cpp asks Windows; natively (language_names_posix.cpp) a
// language is named by its tag and there is no display language.
#pragma once

#include <string>
#include <vector>

// The name of the language with this tag ("de_DE") in that language ("Deutsch (Deutschland)"), in
// the plug-in's text; the tag itself when the system has no name for it.
std::string NativeLanguageName(const std::string& tag);

// The user's display languages, best first, as tags ("de-DE" or "de_DE"); empty when the system
// cannot say.
std::vector<std::string> DisplayLanguages();
