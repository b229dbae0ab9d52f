#include "user_language.h"

// The native build has no user's locale to follow: the language-neutral rules answer.
CaseRules UserCaseRules() {
  return CaseRules::kDefault;
}

int CompareInUserLanguage(const std::string& a, const std::string& b) {
  return CompareWords(a, b);
}
