#include "template/FontNames.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace quillmark {
namespace {

using Names = std::vector<std::string>;

TEST(FontNamesTest, AFamilyReportedForSeveralCharacterSetsIsListedOnce) {
    const Names reported{"Arial", "Arial", "Arial", "宋体", "@宋体", "宋体", "Arial"};
    EXPECT_EQ(uniqueFontNames(reported), (Names{"Arial", "宋体", "@宋体"}));
}

TEST(FontNamesTest, ReportingOrderIsKeptAndEmptyNamesDropped) {
    const Names reported{"Zapf", "", "Courier", "arial", "Arial"};
    EXPECT_EQ(uniqueFontNames(reported), (Names{"Zapf", "Courier", "arial", "Arial"}));
    EXPECT_TRUE(uniqueFontNames(Names{}).empty());
}

TEST(FontNamesTest, DefaultTemplateNamesItsFourFontsOnceInMemberOrder) {
    EXPECT_EQ(templateFontNames(FormatTemplate{}), (Names{"黑体", "宋体", "Times New Roman", "Arial"}));
}

TEST(FontNamesTest, TemplateFontNamesCoverEveryFontMemberButNotTheSeparator) {
    FormatTemplate tmpl;
    tmpl.enInnerAuthorInfoFont = "Courier New";  // the last font member
    tmpl.numberSeparator = "Separator";
    tmpl.abstractNotesEnFont = "";
    const Names names = templateFontNames(tmpl);
    EXPECT_EQ(names.back(), "Courier New");
    EXPECT_EQ(std::count(names.begin(), names.end(), "Separator"), 0);
    EXPECT_EQ(std::count(names.begin(), names.end(), ""), 0);
}

}  // namespace
}  // namespace quillmark
