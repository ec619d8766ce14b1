// The format of single reference entries: the type table, the marker
// letter, and a catalogue of entries of every type that pass or fail, checked
// through the reference checker in both modes.
#include "checks/ReferenceEntryFormat.h"

#include "CheckHarness.h"
#include "ReferenceThesis.h"
#include "support/Engine.h"

#include <gtest/gtest.h>

#include <map>

namespace quillmark {
namespace {

using references::entryType;
using references::entryTypes;
using references::markerLetter;
using references::typeHint;
using testing::CheckRunResult;
using testing::ReferenceThesis;
using testing::TocLayout;
using testing::charCount;
using testing::finding;
using testing::kMedium;
using testing::kUnmarked;

constexpr int kReferencePage = 3;

const std::string kBare = "排版有误（请检查是否有正确设置参考文献的标识。若没有，请添加；若有，请检查其正确格式）！";

const std::map<std::string, std::string> kAdvice = {
    {"J", "该小标题属于连续出版物[J]，请查阅其正确格式。其正确格式为“[序号] 主要责任者. 文献题名[J]. 刊名, 出版年份, "
          "卷号(期号): 起止页码.”。"},
    {"M", "该小标题属于专著[M]，请查阅其正确格式。其正确格式为“[序号] 主要责任者. 文献题名[M]. 出版地: 出版者, 出版年: "
          "起止页码.”。"},
    {"C", "该小标题属于会议论文集[C]，请查阅其正确格式。其正确格式为“[序号] 主要责任者. 文献题名[A]// 主编. "
          "论文集名[C]. 出版地: 出版者, 出版年: 起止页码.”。"},
    {"A", "该小标题属于会议论文集[C]中的析出文献[A]，请查阅其正确格式。其正确格式为“[序号] 主要责任者. 文献题名[A]// "
          "主编. 论文集名[C]. 出版地: 出版者, 出版年: 起止页码.”。"},
    {"D", "该小标题属于学位论文[D]，请查阅其正确格式。其正确格式为“[序号] 主要责任者. 文献题名[D]. 保存地: 保存单位, "
          "年份.”。"},
    {"N", "该小标题属于报纸文章[N]，请查阅其正确格式。其正确格式为“[序号] 主要责任者. 文献题名[N]. 报纸名, "
          "出版日期(版次).”。"},
    {"P", "该小标题属于专利文献[P]，请查阅其正确格式。其正确格式为“[序号] 专利所有者. 专利题名[P]. 专利国别: 专利号, "
          "发布日期.”。"},
    {"R", "该小标题属于报告[R]，请查阅其正确格式。其正确格式为“[序号] 主要责任者. 文献题名[R]. 报告地: "
          "报告会主办单位, 年份.”。"},
    {"S", "该小标题属于国际、国家标准[S]，请查阅其正确格式。其正确格式为“[序号] 标准代号. 标准名称[S]. 出版地: 出版者, "
          "出版年.”。"},
    {"Z", "该小标题属于未定义类型的文献[Z]，请查阅其正确格式。其正确格式为“[序号] 主要责任者. 文献题名[Z]. 出版地: "
          "出版者, 出版年.”"},
};

// ------------------------------------------------------------ the table

TEST(ReferenceEntryTypes, TheTableInItsOrder) {
    std::string letters;
    for (const auto& type : entryTypes()) letters += type.letter;
    EXPECT_EQ(letters, "JMCADNPRSZ");
    for (const auto& type : entryTypes()) EXPECT_EQ(entryType(type.letter), &type);
}

TEST(ReferenceEntryTypes, StepsBehindTheMarker) {
    auto steps = [](const char* letter) {
        const auto* type = entryType(letter);
        return type ? std::vector<std::string>(type->steps.begin(), type->steps.end()) : std::vector<std::string>{};
    };
    using S = std::vector<std::string>;
    EXPECT_EQ(steps("J"), (S{"*[,，]", "[,，]", "[（(]*?[)）]", "[:：]", "[.．]"}));
    EXPECT_EQ(steps("M"), (S{"*[:：]", "[,，]", "[:：]", "[.．]"}));
    EXPECT_EQ(steps("C"), (S{"*[:：]", "[,，]", "[:：]", "[.．]"}));
    EXPECT_EQ(steps("A"), (S{"*[.．]", "[:：]", "[,，]", "[:：]", "[.．]"}));
    EXPECT_EQ(steps("N"), (S{"*[,，]", "[（(]*?[)）]", "[.．]"}));
    for (const char* letter : {"D", "P", "R", "S", "Z"}) EXPECT_EQ(steps(letter), (S{"*[:：]", "[,，]", "[.．]"})) << letter;
}

TEST(ReferenceEntryTypes, UnknownLettersAndHints) {
    EXPECT_EQ(entryType("L"), nullptr);
    EXPECT_EQ(entryType("j"), nullptr);  // markers are case-sensitive
    EXPECT_EQ(entryType(""), nullptr);
    EXPECT_EQ(references::kUnknownTypeText, "。");
    EXPECT_EQ(typeHint("J"), "，该小标题属于连续出版物[J]。");
    EXPECT_EQ(typeHint("M"), "，该小标题属于专著[M]。");
    EXPECT_EQ(typeHint("D"), "，该小标题属于学位论文[D]。");
    EXPECT_EQ(typeHint("C"), "");
}

TEST(ReferenceEntryTypes, MarkerLetterIsTheCharacterBeforeTheClosingBracket) {
    EXPECT_EQ(markerLetter(" 文献题名[J]"), "J");
    EXPECT_EQ(markerLetter(" 网页题名[EB/OL]"), "L");
    EXPECT_EQ(markerLetter("题名[专]"), "专");
    EXPECT_EQ(markerLetter("]"), "");
    EXPECT_EQ(markerLetter("题名[J"), "");
    EXPECT_EQ(markerLetter(""), "");
}

// ------------------------------------------------------- the catalogue

// One entry and what its check gives.
struct Case {
    std::string text;
    bool faulty = false;
    std::string result;  // appended to the bare description
    std::string before;  // the text before the position of the finding
};

Case pass(std::string text) { return {std::move(text), false, {}, {}}; }
Case fail(std::string text, std::string result, std::string before = {}) {
    return {std::move(text), true, std::move(result), std::move(before)};
}

const std::vector<Case>& catalogue() {
    static const std::vector<Case> cases = {
        // Entries of every type that pass.
        pass("[1] 作者甲. 书名[M]. 出版地: 出版者, 2005: 12-20."),
        pass("[2] 作者甲, 作者乙. 文章题名[J]. 刊名, 2008, 44(3): 45-49."),
        pass("[3] 作者甲. 文章题名[N]. 报纸名, 2009-01-01(2)."),
        pass("[4] 作者甲. 论文题名[A]// 主编乙. 论文集名[C]. 出版地: 出版者, 2007: 1-5."),
        pass("[5] 编者丙. 论文集名[C]. 出版地: 出版者, 2007: 1-5."),
        pass("[6] 作者丁. 论文题名[D]. 北京: 清华大学, 2010."),
        pass("[7] 张三. 一种检测装置[P]. 中国: CN101234567, 2010-05-01."),
        pass("[8] 某研究所. 年度报告[R]. 北京: 某研究所, 2011."),
        pass("[9] GB/T 7714-2005. 文后参考文献著录规则[S]. 北京: 中国标准出版社, 2005."),
        pass("[10] 作者戊. 资料汇编[Z]. 出版地: 出版者, 2012."),
        // Full-width punctuation, and parentheses of both widths.
        pass("[11] 作者甲．书名[M]．出版地：出版者，2005：12-20．"),
        pass("[12] 作者甲，作者乙．文章题名[J]．刊名，2008，44（3）：45-49．"),
        pass("[13] 作者甲. 文章题名[N]. 报纸名, 2009-01-01（2)."),
        // Entries that fail, each at the search window where its check stops.
        // One type each, J without "44(3)":
        fail("[14] 作者甲, 作者乙. 文章题名[J]. 刊名, 2008, : 45-49.", kAdvice.at("J"),
             "[14] 作者甲, 作者乙. 文章题名[J]. 刊名, 2008,"),
        fail("[15] 作者甲. 书名[M]. 出版地出版者, 2005.", kAdvice.at("M"), "[15] 作者甲. 书名[M]"),
        fail("[16] 编者丙. 论文集名[C]. 出版地: 出版者 2007: 1-5.", kAdvice.at("C"), "[16] 编者丙. 论文集名[C]. 出版地:"),
        fail("[17] 作者甲. 论文题名[A]// 主编乙. 论文集名[C]. 出版地: 出版者, 2007.", kAdvice.at("A"),
             "[17] 作者甲. 论文题名[A]// 主编乙. 论文集名[C]. 出版地: 出版者,"),
        fail("[18] 作者丁. 论文题名[D]. 北京, 清华大学, 2010.", kAdvice.at("D"), "[18] 作者丁. 论文题名[D]"),
        fail("[19] 作者甲. 文章题名[N]. 报纸名, 2009-01-01.", kAdvice.at("N"), "[19] 作者甲. 文章题名[N]. 报纸名,"),
        fail("[20] 张三. 一种检测装置[P]. 中国: CN101234567, 2010-05-01", kAdvice.at("P"),
             "[20] 张三. 一种检测装置[P]. 中国: CN101234567,"),
        fail("[21] 某研究所. 年度报告[R]. 北京: 某研究所 2011.", kAdvice.at("R"), "[21] 某研究所. 年度报告[R]. 北京:"),
        fail("[22] GB/T 7714-2005. 文后参考文献著录规则[S]. 北京 中国标准出版社, 2005.", kAdvice.at("S"),
             "[22] GB/T 7714-2005. 文后参考文献著录规则[S]"),
        fail("[23] 作者戊. 资料汇编[Z]. 出版地: 出版者 2012.", kAdvice.at("Z"), "[23] 作者戊. 资料汇编[Z]. 出版地:"),
        // Marker letters outside the table: [EB/OL] gives L, markers are case-sensitive.
        fail("[24] 作者己. 网页题名[EB/OL]. http://www.example.com/a, 2013-01-01.", "。"),
        fail("[25] 作者甲. 文章题名[j]. 刊名, 2008, 44(3): 45-49.", "。"),
        // No full stop: the hint of the marker, or the bare text without one.
        fail("[26] 作者甲 书名[M] 出版地: 出版者, 2005", "，该小标题属于专著[M]。", "[26] 作者甲 书名"),
        fail("[30] 作者丁 论文题名[D] 北京: 清华大学, 2010", "，该小标题属于学位论文[D]。", "[30] 作者丁 论文题名"),
        fail("[27] 作者甲 书名 出版地 出版者 2005", ""),
        // A marker only before the first full stop; a bracket that never closes;
        // a full-width letter that is no marker.
        fail("[28] 作者甲[J] 文章题名 刊名.", "，该小标题属于连续出版物[J]。", "[28] 作者甲"),
        fail("[29] 作者甲. 文章题名[J. 刊名, 2008", ""),
        fail("[31] 作者甲 书名[Ｍ] 出版地: 出版者, 2005", ""),
    };
    return cases;
}

class ReferenceEntryCheck : public testing::DocumentTest {};

// The catalogue as one reference list, checked on one copy in each mode:
// the same findings, one per faulty entry, and the same red marks.
TEST_F(ReferenceEntryCheck, CatalogueInBothModes) {
    ReferenceThesis t;
    for (const Case& c : catalogue()) t.entries.push_back(c.text);
    t.entryPara.lineSpacing = 12.0f;  // the whole list on one page
    TocLayout d = t.build();
    for (CheckMode mode : {CheckMode::Check, CheckMode::AutoFix}) {
        const word::Document doc = d.open(mode == CheckMode::Check ? "check.doc" : "fix.doc");
        const CheckRunResult r = testing::runCheck(CheckKind::References, doc, FormatTemplate{}, mode);
        std::vector<std::string> expected;
        for (size_t i = 0; i < catalogue().size(); ++i) {
            const Case& c = catalogue()[i];
            const int index = t.entryIndex(static_cast<int>(i));
            const word::Range entry = doc.Range(d.start(index), d.end(index) - 1);
            EXPECT_EQ(entry.Font().Color(), c.faulty ? 192 : kUnmarked) << c.text;
            if (!c.faulty) continue;
            expected.push_back(finding(kMedium, kReferencePage, index - t.titleIndex + 1,
                                       d.start(index, charCount(c.before)), kBare + c.result));
        }
        EXPECT_EQ(r.lines(), expected);
    }
}

// ------------------------------------------------------------ bad input

std::string repeat(const std::string& piece, int times) {
    std::string s;
    for (int i = 0; i < times; ++i) s += piece;
    return s;
}

TEST_F(ReferenceEntryCheck, ThousandsOfCharactersEndInFindingsOrNone) {
    ReferenceThesis t;
    t.entries = {
        "[1] " + repeat("作者甲 ", 600),                                        // no full stop
        "[2] " + repeat("作者 ", 800) + ". 书名[M]. 出版地: 出版者, 2005: 1-2.",  // passes
        "[3] 作者. " + repeat("[题 ", 800),                                     // brackets never close
        "[4] 作者. 题名[J]. " + repeat("刊名, ", 200),                          // no parentheses
        "[5] 作者. " + repeat("((( ", 200) + "题名[M]. 地: 者, 2005: 1.",       // passes
    };
    TocLayout d = t.build();
    const word::Document doc = d.open();
    const CheckRunResult r = testing::runCheck(CheckKind::References, doc, FormatTemplate{}, CheckMode::Check);
    ASSERT_EQ(r.findings.size(), 3u);
    EXPECT_EQ(r.findings[0].position, d.start(t.entryIndex(0)));
    EXPECT_EQ(r.findings[0].description, kBare);
    EXPECT_EQ(r.findings[1].position, d.start(t.entryIndex(2)));
    EXPECT_EQ(r.findings[1].description, kBare);
    // Up to the first comma, the next comma, then no parentheses behind it.
    EXPECT_EQ(r.findings[2].position, d.start(t.entryIndex(3), charCount("[4] 作者. 题名[J]. 刊名, 刊名,")));
    EXPECT_EQ(r.findings[2].description, kBare + kAdvice.at("J"));
}

}  // namespace
}  // namespace quillmark
