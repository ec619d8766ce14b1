#include "checks/ReferenceEntryFormat.h"

#include "checks/CheckSession.h"
#include "checks/FormatRules.h"
#include "shell/CheckError.h"

#include <algorithm>
#include <array>

namespace quillmark::references {

namespace {

// The step lists behind the marker; several types share one.
constexpr std::array<const char*, 5> kJournalSteps = {kUpToComma, kComma, kParenthesised, kColon, kFullStop};
constexpr std::array<const char*, 4> kBookSteps = {kUpToColon, kComma, kColon, kFullStop};
constexpr std::array<const char*, 5> kAnalyticSteps = {kUpToFullStop, kColon, kComma, kColon, kFullStop};
constexpr std::array<const char*, 3> kPlaceStepsShort = {kUpToColon, kComma, kFullStop};
constexpr std::array<const char*, 3> kNewspaperSteps = {kUpToComma, kParenthesised, kFullStop};

const std::array<EntryType, 10> kTypes = {{
    {"J", kJournalSteps,
     "该小标题属于连续出版物[J]，请查阅其正确格式。其正确格式为“[序号] 主要责任者. 文献题名[J]. 刊名, 出版年份, "
     "卷号(期号): 起止页码.”。"},
    {"M", kBookSteps,
     "该小标题属于专著[M]，请查阅其正确格式。其正确格式为“[序号] 主要责任者. 文献题名[M]. 出版地: 出版者, 出版年: "
     "起止页码.”。"},
    {"C", kBookSteps,
     "该小标题属于会议论文集[C]，请查阅其正确格式。其正确格式为“[序号] 主要责任者. 文献题名[A]// 主编. 论文集名[C]. "
     "出版地: 出版者, 出版年: 起止页码.”。"},
    {"A", kAnalyticSteps,
     "该小标题属于会议论文集[C]中的析出文献[A]，请查阅其正确格式。其正确格式为“[序号] 主要责任者. 文献题名[A]// 主编. "
     "论文集名[C]. 出版地: 出版者, 出版年: 起止页码.”。"},
    {"D", kPlaceStepsShort,
     "该小标题属于学位论文[D]，请查阅其正确格式。其正确格式为“[序号] 主要责任者. 文献题名[D]. 保存地: 保存单位, 年份.”。"},
    {"N", kNewspaperSteps,
     "该小标题属于报纸文章[N]，请查阅其正确格式。其正确格式为“[序号] 主要责任者. 文献题名[N]. 报纸名, "
     "出版日期(版次).”。"},
    {"P", kPlaceStepsShort,
     "该小标题属于专利文献[P]，请查阅其正确格式。其正确格式为“[序号] 专利所有者. 专利题名[P]. 专利国别: 专利号, "
     "发布日期.”。"},
    {"R", kPlaceStepsShort,
     "该小标题属于报告[R]，请查阅其正确格式。其正确格式为“[序号] 主要责任者. 文献题名[R]. 报告地: 报告会主办单位, "
     "年份.”。"},
    {"S", kPlaceStepsShort,
     "该小标题属于国际、国家标准[S]，请查阅其正确格式。其正确格式为“[序号] 标准代号. 标准名称[S]. 出版地: 出版者, "
     "出版年.”。"},
    // This advice has never ended in "。".
    {"Z", kPlaceStepsShort,
     "该小标题属于未定义类型的文献[Z]，请查阅其正确格式。其正确格式为“[序号] 主要责任者. 文献题名[Z]. 出版地: 出版者, "
     "出版年.”"},
}};

struct Hint {
    std::string_view letter;
    std::string_view text;
};

constexpr std::array<Hint, 3> kHints = {{
    {"J", "，该小标题属于连续出版物[J]。"},
    {"M", "，该小标题属于专著[M]。"},
    {"D", "，该小标题属于学位论文[D]。"},
}};

bool isContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The UTF-8 character that ends `text`.
std::string_view lastCharacter(std::string_view text) {
    if (text.empty()) return {};
    std::size_t start = text.size() - 1;
    while (start > 0 && isContinuationByte(text[start])) --start;
    return text.substr(start);
}

// The UTF-8 character that begins `text`.
std::string_view firstCharacter(std::string_view text) {
    if (text.empty()) return {};
    std::size_t end = 1;
    while (end < text.size() && isContinuationByte(text[end])) ++end;
    return text.substr(0, end);
}

// A wildcard search on the Selection as it stands.
bool find(word::Selection& selection, const char* pattern) {
    return findInSelection(selection, pattern, true, word::wdFindStop);
}

// Advances past the current match, to the end of the entry, and searches
// there.
bool findNext(word::Selection& selection, long entryEnd, const char* pattern) {
    return findInStretch(selection, selection.End(), entryEnd, pattern, true);
}

}  // namespace

std::span<const EntryType> entryTypes() { return kTypes; }

const EntryType* entryType(std::string_view letter) {
    const auto it = std::find_if(kTypes.begin(), kTypes.end(), [&](const EntryType& t) { return t.letter == letter; });
    return it == kTypes.end() ? nullptr : &*it;
}

std::string_view typeHint(std::string_view letter) {
    for (const Hint& hint : kHints) {
        if (hint.letter == letter) return hint.text;
    }
    return {};
}

std::string markerLetter(std::string_view match) {
    if (match.size() < 2 || match.back() != ']') return {};
    return std::string(lastCharacter(match.substr(0, match.size() - 1)));
}

EntryVerdict checkEntryFormat(word::Selection& selection, const word::Range& entry) {
    const long entryEnd = entry.End();
    EntryVerdict verdict;

    entry.Select();
    bool parsed = find(selection, kUpToFullStop) && findNext(selection, entryEnd, kUpToTypeMarker);
    if (parsed) {
        const EntryType* type = entryType(markerLetter(selection.Text()));
        if (type) {
            verdict.result = type->advice;
            verdict.faulty = !std::all_of(type->steps.begin(), type->steps.end(), [&](const char* step) {
                return findNext(selection, entryEnd, step);
            });
        } else {
            verdict.result = kUnknownTypeText;
            entry.Select();
            verdict.faulty = true;
        }
    } else {
        entry.Select();
        if (find(selection, kHintMarker)) {
            const std::string marker = selection.Text();
            verdict.result = typeHint(firstCharacter(std::string_view(marker).substr(1)));
        }
        verdict.faulty = true;
    }
    verdict.position = selection.Start();
    return verdict;
}

bool checkReferenceEntry(CheckSession& session, const word::Range& entry) {
    const EntryVerdict verdict = checkEntryFormat(session.selection(), entry);
    if (!verdict.faulty) return false;
    markFaulty(entry);
    session.post(kLevelMedium, CheckSession::locate(entry), std::string(kEntryFaultText) + verdict.result,
                 static_cast<int>(verdict.position));
    return true;
}

}  // namespace quillmark::references
