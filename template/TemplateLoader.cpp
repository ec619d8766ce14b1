#include "template/TemplateLoader.h"

#include "template/Codepage936.h"
#include "template/Overloaded.h"
#include "template/ProfileValues.h"
#include "template/TemplateKeys.h"

#include <cmath>
#include <limits>
#include <optional>
#include <string_view>
#include <variant>

namespace quillmark {

namespace {

void applyKey(FormatTemplate& target, const TemplateKey& key, std::optional<std::string_view> value) {
    std::visit(Overloaded{
                   [&](IntegerMember member) {
                       if (value) target.*member = parseProfileInteger(*value);
                   },
                   [&](SizeMember member) {
                       const std::int32_t points = value ? parseProfileInteger(*value) : wholePoints(target.*member);
                       target.*member = static_cast<float>(points);
                   },
                   [&](TextMember member) {
                       if (value) target.*member = cutGbkBytes(unquoteProfileText(*value), kMaxTemplateTextBytes);
                   },
               },
               key.member);
}

}  // namespace

void applyProfile(FormatTemplate& target, const Profile& profile) {
    for (const TemplateKey& key : templateKeys()) {
        applyKey(target, key, profile.value(key.section, key.key));
    }
}

std::int32_t wholePoints(float points) {
    if (std::isnan(points)) return 0;
    constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
    constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
    const double whole = std::trunc(static_cast<double>(points));
    if (whole <= kMin) return kMin;
    if (whole >= kMax) return kMax;
    return static_cast<std::int32_t>(whole);
}

}  // namespace quillmark
