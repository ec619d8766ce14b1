#include "template/TemplateLoader.h"

#include "template/Codepage936.h"
#include "template/Overloaded.h"
#include "template/ProfileValues.h"
#include "template/TemplateKeys.h"
#include "template/Utf8.h"

#include <optional>
#include <string_view>
#include <variant>

namespace quillmark {

namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

void applyKey(FormatTemplate& target, const TemplateKey& key, std::string_view value) {
    std::visit(Overloaded{
                   [&](IntegerMember member) { target.*member = parseProfileInteger(value); },
                   [&](SizeMember member) { target.*member = parseProfileSize(value); },
                   [&](TextMember member) {
                       target.*member = cutGbkBytes(unquoteProfileText(value), kMaxTemplateTextBytes);
                   },
               },
               key.member);
}

}  // namespace

void applyProfile(FormatTemplate& target, const Profile& profile) {
    for (const TemplateKey& key : templateKeys()) {
        if (const auto value = profile.value(key.section, key.key)) applyKey(target, key, *value);
    }
}

bool holdsTemplateSection(const Profile& profile) {
    for (std::string_view section : templateSections()) {
        if (profile.hasSection(section)) return true;
    }
    return false;
}

Profile parseTemplateBytes(std::string_view fileBytes) {
    if (fileBytes.starts_with(kUtf8ByteOrderMark)) return parseProfileBytes(fileBytes);
    Profile asGbk = Profile::parse(gbkToUtf8(fileBytes));
    if (holdsTemplateSection(asGbk) || !isValidUtf8(fileBytes)) return asGbk;
    Profile asUtf8 = Profile::parse(fileBytes);
    return holdsTemplateSection(asUtf8) ? asUtf8 : asGbk;
}

TemplateLoad loadTemplateFile(FormatTemplate& target, const std::string& path) {
    const std::optional<std::string> bytes = readProfileFileBytes(path);
    if (!bytes) return TemplateLoad::Unreadable;
    const Profile profile = parseTemplateBytes(*bytes);
    if (!holdsTemplateSection(profile)) return TemplateLoad::NotATemplate;
    applyProfile(target, profile);
    return TemplateLoad::Loaded;
}

std::string templateRefusal(TemplateLoad result, const std::string& shownName) {
    switch (result) {
    case TemplateLoad::Unreadable: return "无法读取模板文件“" + shownName + "”，当前模板没有改变";
    case TemplateLoad::NotATemplate: return "“" + shownName + "”不是格式模板，当前模板没有改变";
    case TemplateLoad::Loaded: break;
    }
    return {};
}

}  // namespace quillmark
