#pragma once

#include "template/FormatTemplate.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace quillmark {

// Section names of a template file, in canonical file order.
inline constexpr std::string_view kThesisTypeSection = "检测类型";
inline constexpr std::string_view kBachelorCoverSection = "本科封面格式";
inline constexpr std::string_view kMasterCoverSection = "硕士封面格式";
inline constexpr std::string_view kMasterCnInnerCoverSection = "硕士中文内封面格式";
inline constexpr std::string_view kMasterEnInnerCoverSection = "硕士英文内封面格式";
inline constexpr std::string_view kCnAbstractSection = "中文摘要";
inline constexpr std::string_view kEnAbstractSection = "英文摘要";
inline constexpr std::string_view kBodySection = "正文";
inline constexpr std::string_view kFiguresTablesSection = "图表";
inline constexpr std::string_view kCheckItemsSection = "检测项";

enum class ValueKind { Flag, Size, Font, Choice, Switch, Text };

using IntegerMember = std::int32_t FormatTemplate::*;
using SizeMember = float FormatTemplate::*;
using TextMember = std::string FormatTemplate::*;
using MemberPointer = std::variant<IntegerMember, SizeMember, TextMember>;

// One key of a template file and the member it fills. Flags, choices and
// switches are IntegerMembers, sizes SizeMembers, fonts and texts TextMembers.
struct TemplateKey {
    std::string_view section;
    std::string_view key;
    ValueKind kind;
    MemberPointer member;
};

// Every key, in canonical file order: sections in the order above, keys in
// the order a template file lists them. Each member appears exactly once.
std::span<const TemplateKey> templateKeys();

std::span<const std::string_view> templateSections();

}  // namespace quillmark
