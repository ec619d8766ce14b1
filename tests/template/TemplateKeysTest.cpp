#include "template/TemplateKeys.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

namespace quillmark {
namespace {

bool kindMatchesMember(const TemplateKey& key) {
    switch (key.kind) {
        case ValueKind::Flag:
        case ValueKind::Choice:
        case ValueKind::Switch: return std::holds_alternative<IntegerMember>(key.member);
        case ValueKind::Size: return std::holds_alternative<SizeMember>(key.member);
        case ValueKind::Font:
        case ValueKind::Text: return std::holds_alternative<TextMember>(key.member);
    }
    return false;
}

TEST(TemplateKeysTest, EveryMemberOnceWithItsOwnKey) {
    std::set<std::pair<std::string_view, std::string_view>> names;
    const FormatTemplate tmpl;
    std::set<const void*> members;
    for (const TemplateKey& key : templateKeys()) {
        EXPECT_TRUE(names.emplace(key.section, key.key).second) << key.key;
        EXPECT_TRUE(members.insert(std::visit([&](auto member) -> const void* { return &(tmpl.*member); }, key.member)).second) << key.key;
        EXPECT_TRUE(kindMatchesMember(key)) << key.key;
    }
    EXPECT_EQ(templateKeys().size(), 127u);
}

TEST(TemplateKeysTest, KeysAreGroupedBySectionInFileOrder) {
    std::vector<std::string_view> order;
    for (const TemplateKey& key : templateKeys()) {
        if (order.empty() || order.back() != key.section) order.push_back(key.section);
    }
    const auto sections = templateSections();
    EXPECT_EQ(order, std::vector<std::string_view>(sections.begin(), sections.end()));
    EXPECT_EQ(templateKeys().front().key, "类型");
    EXPECT_EQ(templateKeys().back().key, "英文图表名");
}

}  // namespace
}  // namespace quillmark
