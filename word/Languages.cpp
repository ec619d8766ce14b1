#include "Languages.h"

#include <array>
#include <utility>

namespace word {

namespace {

struct LanguageRow {
    long id;
    const char* language;
    const char* country;
};

constexpr std::array<LanguageRow, 30> kLanguages = {{
    {2052, "zh", "CN"}, {1028, "zh", "TW"}, {3076, "zh", "HK"}, {4100, "zh", "SG"}, {5124, "zh", "MO"},
    {1033, "en", "US"}, {2057, "en", "GB"}, {3081, "en", "AU"}, {4105, "en", "CA"}, {5129, "en", "NZ"},
    {6153, "en", "IE"}, {1041, "ja", "JP"}, {1042, "ko", "KR"}, {1031, "de", "DE"}, {1036, "fr", "FR"},
    {1040, "it", "IT"}, {3082, "es", "ES"}, {1049, "ru", "RU"}, {1046, "pt", "BR"}, {2070, "pt", "PT"},
    {1043, "nl", "NL"}, {1053, "sv", "SE"}, {1045, "pl", "PL"}, {1055, "tr", "TR"}, {1025, "ar", "SA"},
    {1037, "he", "IL"}, {1054, "th", "TH"}, {1066, "vi", "VN"}, {1024, "qlt", ""}, {1024, "", ""},
}};

}  // namespace

long languageIdFromLocale(const std::string& language, const std::string& country) {
    for (const auto& row : kLanguages) {
        if (language == row.language && country == row.country) return row.id;
    }
    // A language without a country takes its first listed country.
    for (const auto& row : kLanguages) {
        if (language == row.language && country.empty()) return row.id;
    }
    if (language == "zxx") return 1024;  // "no proofing"
    return 1024;  // wdLanguageNone
}

std::pair<std::string, std::string> localeFromLanguageId(long id) {
    for (const auto& row : kLanguages) {
        if (row.id == id && *row.language) return {row.language, row.country};
    }
    return {"", ""};
}

}  // namespace word
