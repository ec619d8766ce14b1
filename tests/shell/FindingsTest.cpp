#include "Fakes.h"

#include "shell/FindingsCommands.h"
#include "shell/ShellTexts.h"
#include "word/Application.h"

#include <gtest/gtest.h>

namespace quillmark {
namespace {

using testing::RecordingMessages;

// Records as the document set holds them, without opened engine documents.
struct TwoTheses {
    std::shared_ptr<word::Application> app = std::make_shared<word::Application>();
    // Two theses named 论文.doc from different folders: the same display name.
    DocumentRecords records{std::make_shared<ThesisDocument>(1, "/w/1/论文.doc", "论文", app),
                            std::make_shared<ThesisDocument>(2, "/w/2/论文.doc", "论文", app)};
    ThesisDocument& first() { return *records[0]; }
    ThesisDocument& second() { return *records[1]; }
};

CheckError finding(const std::string& description, int position, const std::string& level = kLevelMedium) {
    return CheckError{"论文", level, 2, 7, description, position};
}

TEST(FindingsList, NumbersRowsFromOneAndShowsSixColumns) {
    FindingsList list;
    list.append(1, "论文", "中等", 3, "字号不对", 120);
    list.append(1, "论文", "严重", 1, "缺少摘要", 0);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list.row(0).cells, (std::array<std::string, 6>{"1", "论文", "中等", "3", "字号不对", "120"}));
    EXPECT_EQ(list.row(1).cells, (std::array<std::string, 6>{"2", "论文", "严重", "1", "缺少摘要", "0"}));
    EXPECT_EQ(FindingsList::headings(),
              (std::array<const char*, 6>{"序号", "文件", "等级", "页码", "问题描述", "字符位置"}));
}

TEST(FindingsList, RemovesTheRowsOfOneDocumentOnly) {
    FindingsList list;
    list.append(1, "论文", "中等", 1, "a", 1);
    list.append(2, "论文", "中等", 1, "b", 2);
    list.append(0, "论文", "中等", 1, "c", 3);  // posted without a record id: goes by name
    list.append(0, "其他", "中等", 1, "d", 4);
    EXPECT_EQ(list.removeRowsOf(1, "论文"), 2u);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list.row(0).description(), "b");
    EXPECT_EQ(list.row(1).description(), "d");
}

TEST(TakeFinding, RoutesByRecordSoSameNamedThesesKeepTheirOwnFindings) {
    TwoTheses docs;
    FindingsList list;
    RecordingMessages messages;

    takeFinding(docs.records, list, messages, 2, finding("第二篇的问题", 50));
    takeFinding(docs.records, list, messages, 1, finding("第一篇的问题", 10));
    takeFinding(docs.records, list, messages, 2, finding("第二篇又一处", 50));  // same position: kept apart

    EXPECT_TRUE(messages.shown().empty());
    ASSERT_EQ(docs.first().findings.size(), 1u);
    EXPECT_EQ(docs.first().findings[0], (StoredFinding{2, 7, "中等", "第一篇的问题", 10}));
    ASSERT_EQ(docs.second().findings.size(), 2u);
    EXPECT_EQ(docs.second().findings[0].description, "第二篇的问题");
    EXPECT_EQ(docs.second().findings[1].description, "第二篇又一处");
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list.row(0).documentId, 2u);
    EXPECT_EQ(list.row(2).number(), "3");
}

TEST(TakeFinding, WithoutRecordIdGoesToTheFirstDocumentOfThatName) {
    TwoTheses docs;
    FindingsList list;
    RecordingMessages messages;
    takeFinding(docs.records, list, messages, 0, finding("x", 5));
    EXPECT_EQ(docs.first().findings.size(), 1u);
    EXPECT_TRUE(docs.second().findings.empty());
}

TEST(TakeFinding, ForNoOpenDocumentStillAddsTheRowAndComplains) {
    TwoTheses docs;
    FindingsList list;
    RecordingMessages messages;
    takeFinding(docs.records, list, messages, 99, finding("x", 5));
    CheckError other = finding("y", 6);
    other.fileName = "别的论文";
    takeFinding(docs.records, list, messages, 0, other);
    EXPECT_EQ(list.size(), 2u);
    EXPECT_EQ(messages.texts(), (std::vector<std::string>{"文件名不正确！", "文件名不正确！"}));
    EXPECT_TRUE(docs.first().findings.empty());
    EXPECT_TRUE(docs.second().findings.empty());
}

TEST(ClearFindingsList, EmptiesOnlyTheDocumentsThatHadRows) {
    TwoTheses docs;
    FindingsList list;
    RecordingMessages messages;
    takeFinding(docs.records, list, messages, 1, finding("a1", 1));
    takeFinding(docs.records, list, messages, 2, finding("b1", 2));
    takeFinding(docs.records, list, messages, 2, finding("b2", 3));

    // Show B's findings only, then clear: A keeps its stored findings.
    ASSERT_TRUE(showDocumentFindings(docs.records, list, messages, 1));
    ASSERT_EQ(list.size(), 2u);
    clearFindingsList(docs.records, list);
    EXPECT_TRUE(list.empty());
    EXPECT_TRUE(docs.second().findings.empty());
    ASSERT_EQ(docs.first().findings.size(), 1u);

    // Numbering starts again at 1 after clearing.
    takeFinding(docs.records, list, messages, 1, finding("a2", 4));
    EXPECT_EQ(list.row(0).number(), "1");
}

TEST(ShowDocumentFindings, ReplacesTheRowsByTheStoredFindings) {
    TwoTheses docs;
    FindingsList list;
    RecordingMessages messages;
    docs.first().findings = {{3, 12, "中等", "X", 40}, {1, 1, "严重", "Y", 0}};
    list.append(2, "论文", "中等", 9, "old", 9);

    ASSERT_TRUE(showDocumentFindings(docs.records, list, messages, 0));
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list.row(0).cells, (std::array<std::string, 6>{"1", "论文", "中等", "3", "X", "40"}));
    EXPECT_EQ(list.row(1).cells, (std::array<std::string, 6>{"2", "论文", "严重", "1", "Y", "0"}));
    EXPECT_EQ(list.row(0).documentId, 1u);
    EXPECT_EQ(docs.first().findings.size(), 2u);  // only read
}

TEST(ShowDocumentFindings, WithoutSelectionAsksForADocument) {
    TwoTheses docs;
    FindingsList list;
    RecordingMessages messages;
    list.append(1, "论文", "中等", 1, "kept", 1);
    EXPECT_FALSE(showDocumentFindings(docs.records, list, messages, std::nullopt));
    EXPECT_FALSE(showDocumentFindings(docs.records, list, messages, 5));
    EXPECT_EQ(messages.texts(), (std::vector<std::string>{"请选择文档！", "请选择文档！"}));
    EXPECT_EQ(list.size(), 1u);
}

TEST(JumpToFinding, RefusesWithoutRowOrDocumentOrFinding) {
    TwoTheses docs;
    FindingsList list;
    RecordingMessages messages;
    RunLock lock;

    EXPECT_EQ(jumpToFinding(docs.records, list, messages, lock, std::nullopt), JumpResult::NoRowSelected);
    list.append(0, "不存在", "中等", 1, "x", 5);
    list.append(1, "论文", "中等", 1, "y", 77);
    EXPECT_EQ(jumpToFinding(docs.records, list, messages, lock, 7), JumpResult::NoRowSelected);
    EXPECT_EQ(jumpToFinding(docs.records, list, messages, lock, 0), JumpResult::NoDocument);
    EXPECT_FALSE(docs.app->Visible());
    EXPECT_EQ(jumpToFinding(docs.records, list, messages, lock, 1), JumpResult::NoFinding);
    EXPECT_TRUE(docs.app->Visible());  // made visible before the search
    EXPECT_EQ(messages.texts(), (std::vector<std::string>{"请选择查看项！", "请选择查看项！", "文件名不正确！",
                                                          "找不到选择项的错误信息！"}));
    EXPECT_FALSE(lock.busy());
}

TEST(JumpToFinding, FindsTheFindingOfTheRowsOwnDocument) {
    TwoTheses docs;
    FindingsList list;
    RecordingMessages messages;
    RunLock lock;
    // Only the second 论文 has a finding at 33; its row must lead there, not
    // to the first document of that name.
    docs.second().findings = {{1, 1, "中等", "z", 33}};
    list.append(2, "论文", "中等", 1, "z", 33);
    // Neither document is open in the engine: the jump reaches the document
    // and then does nothing.
    EXPECT_EQ(jumpToFinding(docs.records, list, messages, lock, 0), JumpResult::Jumped);
    EXPECT_TRUE(messages.shown().empty());
}

TEST(LeadingNumber, ReadsTheDigitsAtTheStart) {
    EXPECT_EQ(leadingNumber("1234"), 1234);
    EXPECT_EQ(leadingNumber("56abc"), 56);
    EXPECT_EQ(leadingNumber("abc"), 0);
    EXPECT_EQ(leadingNumber(""), 0);
    EXPECT_EQ(leadingNumber("-5"), 0);
    EXPECT_EQ(leadingNumber("99999999999999"), 2147483647);
}

}  // namespace
}  // namespace quillmark
