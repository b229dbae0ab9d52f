// The user's language where the keyword tools follow it: the rules of its letters' case and its
// order of words. Windows asks the user's locale (Vista and later; before, and natively, the
// language-neutral rules of unicode_case.h answer). Used by the UTF-8 builds only.
#pragma once

#include <string>

#include "unicode_case.h"

// Turkish and Azerbaijani users' case rules are their own; everyone else's are the default ones.
CaseRules UserCaseRules();

// The order of two UTF-8 words in the user's language, letters compared as a dictionary of it
// does without regard to case; texts it takes as equal are ordered by their bytes, so that case
// decides between them and only equal texts compare equal. Negative, 0 or positive.
int CompareInUserLanguage(const std::string& a, const std::string& b);
