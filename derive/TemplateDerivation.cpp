#include "derive/TemplateDerivation.h"

#include "checks/CheckSession.h"
#include "checks/Checker.h"
#include "checks/FormatRules.h"
#include "checks/TemplateElements.h"
#include "derive/FormatTally.h"
#include "shell/CheckContext.h"
#include "template/Codepage936.h"
#include "template/TemplateKeys.h"
#include "template/TemplateLoader.h"
#include "template/Utf8.h"

#include <map>
#include <optional>
#include <string_view>
#include <variant>

namespace quillmark {

namespace {

// Word's value of a mixed size or bold.
constexpr float kMixedSize = 9999999.0f;
constexpr long kMixed = 9999999;

struct CharacterCounts {
    long chinese = 0;  // CJK ideographs
    long latin = 0;    // Latin letters and digits
    long visible = 0;  // everything but white space, marks and objects
};

bool isChineseCharacter(char32_t c) {
    return (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0x3400 && c <= 0x4DBF) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0x20000 && c <= 0x2FFFF);
}

bool isLatinCharacter(char32_t c) {
    return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z') || (c >= U'0' && c <= U'9') ||
           (c >= 0xC0 && c <= 0x24F && c != 0xD7 && c != 0xF7);
}

bool isInvisible(char32_t c) {
    return c <= 0x20 || c == 0xA0 || c == 0x3000 || c == 0xFFFC;
}

CharacterCounts countCharacters(std::string_view text) {
    CharacterCounts counts;
    for (std::size_t at = 0; at < text.size();) {
        const Utf8Char c = decodeUtf8At(text, at);
        at += c.length;
        if (isInvisible(c.codePoint)) continue;
        ++counts.visible;
        if (isChineseCharacter(c.codePoint)) ++counts.chinese;
        else if (isLatinCharacter(c.codePoint)) ++counts.latin;
    }
    return counts;
}

// A font name a template file can hold: code page 936 has every character
// of it and the loader keeps all of it. Others would not load back.
bool fitsTemplateFile(const std::string& name) {
    return gbkByteLength(name) <= kMaxTemplateTextBytes && gbkToUtf8(utf8ToGbk(name)) == name;
}

std::string withoutBlanks(std::string_view text) {
    std::string result;
    for (std::size_t at = 0; at < text.size();) {
        const Utf8Char c = decodeUtf8At(text, at);
        if (!isInvisible(c.codePoint)) result.append(text.substr(at, c.length));
        at += c.length;
    }
    return result;
}

// One tally per member, found by its member pointer.
template <typename Member, typename Value>
class MemberTallies {
public:
    FormatTally<Value>& of(Member member) {
        for (auto& [seen, tally] : tallies_) {
            if (seen == member) return tally;
        }
        return tallies_.emplace_back(member, FormatTally<Value>{}).second;
    }

    // Writes each member's winner into the template; returns the members written.
    void applyTo(FormatTemplate& tmpl, std::vector<MemberPointer>& written) const {
        for (const auto& [member, tally] : tallies_) {
            if (const auto value = tally.winner()) {
                tmpl.*member = *value;
                written.emplace_back(member);
            }
        }
    }

private:
    std::vector<std::pair<Member, FormatTally<Value>>> tallies_;
};

// Reads the format of every element the checkers locate.
class ElementReader final : public ElementSink {
public:
    explicit ElementReader(const word::Document& document) : document_(document) {}

    void found(TemplateElement element, const word::Range& range) override {
        ++seen_[element];
        const ElementMembers& members = membersOf(element);
        const long start = range.Start();
        const long end = range.End();
        if (end <= start) return;
        const std::string text = range.Text();
        remember(element, text);
        if (members.alignment) {
            alignments_.of(members.alignment).add(static_cast<std::int32_t>(range.Paragraphs().First().Alignment()), 1);
        }
        // The run walk leaves out the last character, a paragraph's mark.
        const long walkEnd = text.ends_with('\r') ? end : end + 1;
        walkRuns(document_, document_.Range(start, walkEnd), [&](const TextRun& run) { count(members, run); });
    }

    bool seen(TemplateElement element) const { return seen_.contains(element); }
    const std::optional<std::string>& cnAbstractTitle() const { return cnAbstractTitle_; }
    const std::optional<std::string>& cnKeywordsLabel() const { return cnKeywordsLabel_; }

    // Writes every member that was read; returns those written.
    std::vector<MemberPointer> applyTo(FormatTemplate& tmpl) const {
        std::vector<MemberPointer> written;
        bolds_.applyTo(tmpl, written);
        sizes_.applyTo(tmpl, written);
        fonts_.applyTo(tmpl, written);
        alignments_.applyTo(tmpl, written);
        if (const auto separator = separators_.winner()) {
            tmpl.numberSeparator = *separator;
            written.emplace_back(&FormatTemplate::numberSeparator);
        }
        return written;
    }

private:
    void remember(TemplateElement element, const std::string& text) {
        if (element == TemplateElement::CnAbstractTitle && !cnAbstractTitle_) cnAbstractTitle_ = withoutBlanks(text);
        if (element == TemplateElement::CnKeywordsLabel && !cnKeywordsLabel_) cnKeywordsLabel_ = text;
        if (element == TemplateElement::TableCaption || element == TemplateElement::FigureCaption) {
            const std::string separator = captionNumberSeparator(text);
            if (!separator.empty()) separators_.add(separator, 1);
        }
    }

    void count(const ElementMembers& members, const TextRun& run) {
        const CharacterCounts counts = countCharacters(document_.Range(run.start, run.end).Text());
        if (members.bold && run.bold != kMixed) {
            bolds_.of(members.bold).add(run.bold != 0 ? 1 : 0, counts.visible);
        }
        if (members.size && run.size != kMixedSize) sizes_.of(members.size).add(run.size, counts.visible);
        if (run.fontName.empty() || !fitsTemplateFile(run.fontName)) return;  // mixed, or no file holds it
        for (const FontMember& font : members.fonts) {
            if (!font.member) continue;
            const long characters = font.source == FontSource::Chinese ? counts.chinese
                                    : font.source == FontSource::Latin ? counts.latin
                                                                       : counts.visible;
            fonts_.of(font.member).add(run.fontName, characters);
        }
    }

    word::Document document_;
    std::map<TemplateElement, int> seen_;
    MemberTallies<IntegerMember, std::int32_t> bolds_;
    MemberTallies<SizeMember, float> sizes_;
    MemberTallies<TextMember, std::string> fonts_;
    MemberTallies<IntegerMember, std::int32_t> alignments_;
    FormatTally<std::string> separators_;
    std::optional<std::string> cnAbstractTitle_;
    std::optional<std::string> cnKeywordsLabel_;
};

// Hands the checks' progress on and drops their findings.
class ProgressOnly final : public RunReporter {
public:
    explicit ProgressOnly(const DerivationProgress& progress) : progress_(progress) {}
    void postCheckError(std::uint64_t, const CheckError&) override {}
    void postProgress(const ProgressReport& report) override {
        if (progress_) progress_(report);
    }
    void postCheckState() override {}

private:
    const DerivationProgress& progress_;
};

bool isCoverElement(TemplateElement element) {
    return element <= TemplateElement::EnInnerAuthorInfo;
}

bool isBachelorCoverElement(TemplateElement element) {
    return element <= TemplateElement::BachelorAuthorInfo;
}

// Elements the derivation looks for: the covers of the thesis type only.
bool sought(TemplateElement element, std::int32_t thesisType) {
    if (!isCoverElement(element)) return true;
    return isBachelorCoverElement(element) == (thesisType != kMasterThesis);
}

bool contains(const std::vector<MemberPointer>& members, const MemberPointer& member) {
    for (const MemberPointer& m : members) {
        if (m == member) return true;
    }
    return false;
}

// Some member of the element kept the base's value.
bool keptSomeMember(const ElementMembers& members, const std::vector<MemberPointer>& written) {
    if (members.bold && !contains(written, members.bold)) return true;
    if (members.size && !contains(written, members.size)) return true;
    if (members.alignment && !contains(written, members.alignment)) return true;
    for (const FontMember& font : members.fonts) {
        if (font.member && !contains(written, font.member)) return true;
    }
    return false;
}

std::string notFoundLine(std::string_view element, const std::string& baseName) {
    return "未找到" + std::string(element) + "，沿用" + baseName + "的值";
}

class Derivation {
public:
    Derivation(const word::Document& model, word::Application& application, const DerivationRequest& request,
               const DerivationProgress& progress)
        : request_(request), reader_(model), reporter_(progress), locate_(request.base) {
        context_.wordDocument = model;
        context_.wordApplication = &application;
        context_.formatTemplate = &locate_;
        context_.reporter = &reporter_;
        // Found as the checkers find them: either label, the usual title first.
        locate_.thesisType = request.thesisType;
        locate_.cnAbstractHeadingForm = 0;
        locate_.cnKeywordsLabelForm = 2;
    }

    DerivedTemplate run() {
        runLocatingSteps(CheckKind::Cover);
        runLocatingSteps(CheckKind::CnAbstract);
        if (!reader_.seen(TemplateElement::CnAbstractTitle)) {
            locate_.cnAbstractHeadingForm = 1;
            runLocatingSteps(CheckKind::CnAbstract);
        }
        const std::optional<std::int32_t> labelForm = keywordsLabelForm();
        if (labelForm) locate_.cnKeywordsLabelForm = *labelForm;
        runLocatingSteps(CheckKind::EnAbstract);
        runLocatingSteps(CheckKind::AbstractNotes);
        runLocatingSteps(CheckKind::Body);
        return result(labelForm);
    }

private:
    void runLocatingSteps(CheckKind kind) {
        const std::unique_ptr<Checker> checker = makeChecker(kind);
        if (!checker) return;
        CheckSession session(context_, CheckMode::Check);
        session.setElementSink(&reader_);
        session.start(checker->frameSteps(), checker->progressName());
        checker->run(session);
    }

    std::optional<std::int32_t> keywordsLabelForm() const {
        const auto& label = reader_.cnKeywordsLabel();
        if (!label) return std::nullopt;
        if (label->find("关键词") != std::string::npos) return 1;
        if (label->find("关键字") != std::string::npos) return 0;
        return std::nullopt;
    }

    DerivedTemplate result(std::optional<std::int32_t> labelForm) const {
        DerivedTemplate derived{request_.base, {}};
        FormatTemplate& tmpl = derived.formatTemplate;
        tmpl.thesisType = request_.thesisType;
        const std::vector<MemberPointer> written = reader_.applyTo(tmpl);
        if (const auto& title = reader_.cnAbstractTitle()) {
            tmpl.cnAbstractHeadingForm = title->find("摘要") == std::string::npos && title->find("要摘") != std::string::npos;
        }
        if (labelForm) tmpl.cnKeywordsLabelForm = *labelForm;

        for (const ElementMembers& members : templateElements()) {
            if (!sought(members.element, request_.thesisType) || reader_.seen(members.element)) continue;
            if (keptSomeMember(members, written)) derived.notFound.push_back(notFoundLine(members.name, request_.baseName));
        }
        if (!contains(written, &FormatTemplate::numberSeparator)) {
            derived.notFound.push_back(notFoundLine("图表序号", request_.baseName));
        }
        return derived;
    }

    const DerivationRequest& request_;
    ElementReader reader_;
    ProgressOnly reporter_;
    FormatTemplate locate_;
    CheckContext context_;
};

}  // namespace

std::string captionNumberSeparator(const std::string& captionText) {
    std::size_t at = captionText.find_first_not_of(" \t\r\n\f\v");
    if (at == std::string::npos) return {};
    const std::string_view text = std::string_view(captionText).substr(at);
    std::size_t pos = 0;
    if (text.starts_with("图") || text.starts_with("表")) pos = std::string_view("图").size();
    else return {};
    auto skipBlanks = [&] {
        for (;;) {
            if (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
            else if (text.substr(pos, 3) == "\xE3\x80\x80") pos += 3;
            else return;
        }
    };
    auto isDigit = [&](std::size_t p) { return p < text.size() && text[p] >= '0' && text[p] <= '9'; };
    skipBlanks();
    if (!isDigit(pos)) return {};
    while (isDigit(pos)) ++pos;
    const std::size_t separatorStart = pos;
    // A separator is a few characters of punctuation, never a word.
    while (pos < text.size() && !isDigit(pos) && pos - separatorStart <= 6) {
        const Utf8Char c = decodeUtf8At(text, pos);
        if (isChineseCharacter(c.codePoint) || isLatinCharacter(c.codePoint) || c.codePoint == U'\r') return {};
        pos += c.length;
    }
    if (!isDigit(pos) || pos == separatorStart) return {};
    return std::string(text.substr(separatorStart, pos - separatorStart));
}

DerivedTemplate deriveTemplate(const word::Document& model, word::Application& application,
                               const DerivationRequest& request, const DerivationProgress& progress) {
    return Derivation(model, application, request, progress).run();
}

}  // namespace quillmark
