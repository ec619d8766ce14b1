#pragma once

#include <string>

namespace word {

// Word's language ids for BCP 47 language tags, and back.
long languageIdFromLocale(const std::string& language, const std::string& country);
// Language and country for a Word language id; {"", ""} when unknown.
std::pair<std::string, std::string> localeFromLanguageId(long id);

}  // namespace word
