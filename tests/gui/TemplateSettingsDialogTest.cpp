#include "TemplateSettingsDialogTest.h"

#include "SettingsTestMessages.h"
#include "gui/TemplateSettingsDialog.h"
#include "gui/templatesettings/SettingsPages.h"
#include "gui/templatesettings/SettingsTexts.h"
#include "template/Codepage936.h"
#include "template/TemplateKeys.h"
#include "template/TemplateLoader.h"
#include "template/TemplateWriter.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QMap>
#include <QTest>

#include <algorithm>
#include <map>
#include <memory>
#include <variant>

using namespace quillmark;
using namespace quillmark::gui;

namespace {

// Tabs in order.
enum Tab { kFace, kMasFace1, kMasFace2, kMasFaceEng, kAbsC, kAbsE, kText, kPicTable, kSelItem, kTabCount };

// A font source that reports "Liberation Serif" before "Liberation Sans" and
// "Arial" twice, so sorted and reporting-order lists differ.
const FontLists& testFonts() {
    static const FontLists fonts = fontListsFrom({"Times New Roman", "宋体", "黑体", "Arial", "Liberation Serif",
                                                  "Liberation Sans", "Courier New", "Arial"});
    return fonts;
}

std::unique_ptr<TemplateSettingsDialog> openOn(const FormatTemplate& tmpl, const FontLists& fonts = testFonts()) {
    return std::make_unique<TemplateSettingsDialog>(tmpl, fonts);
}

SettingsList* list(const TemplateSettingsDialog& dialog, int tab, int id) {
    auto* found = dialog.pages().at(tab)->findChild<SettingsList*>(QStringLiteral("list%1").arg(id));
    if (found == nullptr) qFatal("no list %d on tab %d", id, tab);
    return found;
}

QString shown(const TemplateSettingsDialog& dialog, int tab, int id) { return list(dialog, tab, id)->currentText(); }

void choose(SettingsList* box, const char* item) {
    const int index = box->findText(QString::fromUtf8(item));
    if (index < 0) qFatal("no item %s in %s", item, qPrintable(box->objectName()));
    box->setCurrentIndex(index);
}

void click(const QDialog& dialog, const char* name) {
    auto* button = dialog.findChild<QAbstractButton*>(QString::fromLatin1(name));
    if (button == nullptr) qFatal("no button %s", name);
    button->click();
}

bool sameValue(const FormatTemplate& a, const FormatTemplate& b, const TemplateKey& key) {
    return std::visit([&](auto member) { return a.*member == b.*member; }, key.member);
}

// "section/key" of every member in which the two templates differ.
QStringList changedMembers(const FormatTemplate& before, const FormatTemplate& after) {
    QStringList changed;
    for (const TemplateKey& key : templateKeys()) {
        if (!sameValue(before, after, key))
            changed << QString::fromUtf8(key.section.data(), key.section.size()) + '/' +
                           QString::fromUtf8(key.key.data(), key.key.size());
    }
    return changed;
}

QString memberName(const MemberPointer& member) {
    for (const TemplateKey& key : templateKeys()) {
        if (key.member == member)
            return QString::fromUtf8(key.section.data(), key.section.size()) + '/' +
                   QString::fromUtf8(key.key.data(), key.key.size());
    }
    return QStringLiteral("?");
}

const std::vector<SettingsList*>& listsOf(const TemplateSettingsDialog& dialog, int tab) {
    auto* page = dynamic_cast<ListPage*>(dialog.pages().at(tab));
    if (page == nullptr) qFatal("tab %d has no lists", tab);
    return page->lists();
}

}  // namespace

void TemplateSettingsDialogTest::defaultsShowAsListed() {
    auto dialog = openOn(FormatTemplate{});
    QCOMPARE(dialog->tabs()->count(), int(kTabCount));
    const QStringList titles{"本科封面", "硕士外封", "硕士中文内封", "硕士英文内封", "中文摘要",
                             "英文摘要", "正文",     "图表",         "检测项"};
    for (int tab = 0; tab < kTabCount; ++tab) QCOMPARE(dialog->tabs()->tabText(tab), titles[tab]);
    QCOMPARE(dialog->tabs()->currentIndex(), int(kFace));
    QVERIFY(dialog->findChild<QRadioButton*>("bachelorRadio")->isChecked());

    const std::vector<std::pair<int, const char*>> absC{
        {1029, "摘要"},  {1043, "黑体"},            {1045, "三号"},   {1046, "居中对齐"},
        {1047, "是"},    {1048, "宋体"},            {1049, "Times New Roman"}, {1036, "关键词"},
        {1050, "黑体"},  {1051, "四号"},            {1052, "是"},     {1053, "宋体"},
        {1054, "Times New Roman"}, {1039, "宋体"}, {1040, "Times New Roman"}, {1044, "五号"}};
    for (const auto& [id, text] : absC) QCOMPARE(shown(*dialog, kAbsC, id), QString::fromUtf8(text));
    QCOMPARE(shown(*dialog, kFace, 1066), QStringLiteral("26.0"));
    QCOMPARE(shown(*dialog, kFace, 1045), QStringLiteral("二号"));
    QCOMPARE(shown(*dialog, kPicTable, 1030), QStringLiteral("小五"));
    QCOMPARE(shown(*dialog, kPicTable, 1029), QStringLiteral("."));
    QCOMPARE(shown(*dialog, kMasFaceEng, 1106), QStringLiteral("Arial"));
    QCOMPARE(shown(*dialog, kMasFace1, 1080), QStringLiteral("否"));
    QVERIFY(!dialog->pages()[kSelItem]->findChild<QCheckBox*>("check1118")->isChecked());
    QVERIFY(dialog->pages()[kSelItem]->findChild<QCheckBox*>("check1112")->isChecked());
}

void TemplateSettingsDialogTest::confirmingUnchangedDefaultsKeepsThem() {
    FormatTemplate master;
    master.thesisType = kMasterThesis;
    for (const FormatTemplate& tmpl : {FormatTemplate{}, master}) {
        auto dialog = openOn(tmpl);
        click(*dialog, "confirmButton");
        QCOMPARE(dialog->QDialog::result(), int(QDialog::Accepted));
        QCOMPARE(changedMembers(tmpl, dialog->result()), QStringList());
        QCOMPARE(dialog->result().thesisType, tmpl.thesisType);
    }
}

void TemplateSettingsDialogTest::valuesNoListShowsReadBackAsNothing() {
    // A loaded file turns 10.5 into 10.0, which no size item shows; a bold
    // flag of 2 and an alignment of 7 are outside their lists.
    FormatTemplate tmpl;
    tmpl.bodyTextSize = 10.0f;
    tmpl.heading1Bold = 2;
    tmpl.heading2Bold = -1;
    tmpl.cnAbstractHeadingAlign = 7;
    tmpl.cnKeywordsBold = 5;  // no page edits it
    auto dialog = openOn(tmpl);
    QCOMPARE(list(*dialog, kText, 1038)->currentIndex(), -1);
    QCOMPARE(list(*dialog, kText, 1062)->currentIndex(), -1);
    QCOMPARE(list(*dialog, kAbsC, 1046)->currentIndex(), -1);
    click(*dialog, "confirmButton");
    const FormatTemplate& result = dialog->result();
    QCOMPARE(changedMembers(tmpl, result),
             QStringList({"中文摘要/\"摘要\"标题两字对齐方式", "正文/一级标题加粗", "正文/正文字号"}));
    QCOMPARE(result.bodyTextSize, 0.0f);
    QCOMPARE(result.heading1Bold, -1);
    QCOMPARE(result.heading2Bold, -1);
    QCOMPARE(result.cnAbstractHeadingAlign, -1);
    QCOMPARE(result.cnKeywordsBold, 5);
}

// The member each control stands for, control by control, written out here
// rather than read from the controls' own bindings.
using ControlMembers = std::vector<std::pair<int, MemberPointer>>;

const std::map<int, ControlMembers>& expectedMembers() {
    using T = FormatTemplate;
    static const std::map<int, ControlMembers> members{
        {kFace,
         {
          {1065, &T::bachelorDegreeLabelFont}, {1066, &T::bachelorDegreeLabelSize}, {1067, &T::bachelorDegreeLabelBold},
          {1044, &T::bachelorTitleFont}, {1049, &T::bachelorForeignTitleFont}, {1045, &T::bachelorTitleSize},
          {1046, &T::bachelorForeignTitleSize}, {1047, &T::bachelorTitleBold}, {1068, &T::bachelorAuthorInfoCnFont},
          {1056, &T::bachelorAuthorInfoEnFont}, {1053, &T::bachelorAuthorInfoSize}, {1055, &T::bachelorAuthorInfoBold}}},
        {kMasFace1,
         {
          {1072, &T::masterDegreeLabelFont}, {1073, &T::masterDegreeLabelSize}, {1074, &T::masterDegreeLabelBold},
          {1029, &T::masterDegreeTypeFont}, {1030, &T::masterDegreeTypeSize}, {1031, &T::masterDegreeTypeBold},
          {1078, &T::masterTitleFont}, {1079, &T::masterTitleSize}, {1080, &T::masterTitleBold},
          {1081, &T::masterAuthorInfoFont}, {1082, &T::masterAuthorInfoSize}, {1083, &T::masterAuthorInfoBold},
          {1077, &T::masterDateFont}, {1075, &T::masterDateSize}, {1076, &T::masterDateBold}}},
        {kMasFace2,
         {
          {1087, &T::cnInnerTopInfoFont}, {1088, &T::cnInnerTopInfoSize}, {1089, &T::cnInnerTopInfoBold},
          {1097, &T::cnInnerDegreeLabelFont}, {1098, &T::cnInnerDegreeLabelSize}, {1099, &T::cnInnerDegreeLabelBold},
          {1102, &T::cnInnerDegreeTypeFont}, {1100, &T::cnInnerDegreeTypeSize}, {1101, &T::cnInnerDegreeTypeBold},
          {1090, &T::cnInnerTitleFont}, {1092, &T::cnInnerTitleSize}, {1093, &T::cnInnerTitleBold},
          {1094, &T::cnInnerAuthorNameFont}, {1095, &T::cnInnerAuthorNameSize}, {1096, &T::cnInnerAuthorNameBold},
          {1086, &T::cnInnerAuthorInfoFont}, {1084, &T::cnInnerAuthorInfoSize}, {1085, &T::cnInnerAuthorInfoBold}}},
        {kMasFaceEng,
         {
          {1100, &T::enInnerTopTitleFont}, {1101, &T::enInnerTopTitleSize}, {1102, &T::enInnerTopTitleBold},
          {1106, &T::enInnerTitleFont}, {1107, &T::enInnerTitleSize}, {1108, &T::enInnerTitleBold},
          {1103, &T::enInnerAuthorNameFont}, {1104, &T::enInnerAuthorNameSize}, {1105, &T::enInnerAuthorNameBold},
          {1109, &T::enInnerAuthorInfoFont}, {1110, &T::enInnerAuthorInfoSize}, {1111, &T::enInnerAuthorInfoBold}}},
        {kAbsC,
         {
          {1029, &T::cnAbstractHeadingForm}, {1043, &T::cnAbstractHeadingFont}, {1045, &T::cnAbstractHeadingSize},
          {1046, &T::cnAbstractHeadingAlign}, {1047, &T::cnAbstractHeadingBold}, {1048, &T::cnAbstractBodyCnFont},
          {1049, &T::cnAbstractBodyEnFont}, {1036, &T::cnKeywordsLabelForm}, {1050, &T::cnKeywordsLabelFont},
          {1051, &T::cnKeywordsLabelSize}, {1052, &T::cnKeywordsLabelBold}, {1053, &T::cnKeywordsCnFont},
          {1054, &T::cnKeywordsEnFont}, {1039, &T::abstractNotesCnFont}, {1040, &T::abstractNotesEnFont},
          {1044, &T::abstractNotesSize}}},
        {kAbsE,
         {
          {1032, &T::enAbstractHeadingFont}, {1029, &T::enAbstractHeadingSize}, {1030, &T::enAbstractHeadingAlign},
          {1031, &T::enAbstractHeadingBold}, {1037, &T::enAbstractBodyCnFont}, {1038, &T::enAbstractBodyEnFont},
          {1033, &T::enKeywordsLabelFont}, {1034, &T::enKeywordsLabelSize}, {1035, &T::enKeywordsLabelBold},
          {1041, &T::enKeywordsCnFont}, {1042, &T::enKeywordsEnFont}}},
        {kText,
         {
          {1060, &T::heading1Font}, {1061, &T::heading1Size}, {1062, &T::heading1Bold},
          {1034, &T::heading2Font}, {1030, &T::heading2Size}, {1033, &T::heading2Bold},
          {1043, &T::heading3Font}, {1041, &T::heading3Size}, {1042, &T::heading3Bold},
          {1048, &T::bodyTextCnFont}, {1049, &T::bodyTextEnFont}, {1038, &T::bodyTextSize},
          {1045, &T::superscriptFont}, {1044, &T::superscriptSize}}},
        {kPicTable,
         {
          {1069, &T::figureCaptionCnFont}, {1072, &T::figureCaptionEnFont}, {1070, &T::figureCaptionSize},
          {1071, &T::figureCaptionBold}, {1037, &T::tableCaptionCnFont}, {1039, &T::tableCaptionEnFont},
          {1035, &T::tableCaptionSize}, {1036, &T::tableCaptionBold}, {1034, &T::captionNoteFont},
          {1030, &T::captionNoteSize}, {1040, &T::tableTextFont}, {1038, &T::tableTextSize},
          {1029, &T::numberSeparator}}},
    };
    return members;
}

void TemplateSettingsDialogTest::everyListChangesExactlyItsMember() {
    const FormatTemplate defaults;
    const auto probe = openOn(defaults);
    for (const auto& [tab, controls] : expectedMembers()) {
        QCOMPARE(listsOf(*probe, tab).size(), controls.size());
        for (const auto& [id, member] : controls) {
            auto dialog = openOn(defaults);
            SettingsList* box = list(*dialog, tab, id);
            box->setCurrentIndex((box->currentIndex() + 1) % box->count());
            const QString item = box->currentText();
            click(*dialog, "confirmButton");
            const QStringList changed = changedMembers(defaults, dialog->result());
            const QString context = box->objectName() + " on tab " + QString::number(tab) + " set to " + item;
            QVERIFY2(changed == QStringList{memberName(member)}, qPrintable(context + ": changed " + changed.join(", ")));
        }
    }
}

void TemplateSettingsDialogTest::everyCheckItemChangesExactlyItsSwitch() {
    using T = FormatTemplate;
    const std::vector<std::pair<int, MemberPointer>> switches{
        {1112, &T::checkCover}, {1113, &T::checkCnAbstract}, {1114, &T::checkAbstractNotes},
        {1115, &T::checkEnAbstract}, {1116, &T::checkBody}, {1117, &T::checkReferences},
        {1118, &T::checkEnCaptions}};
    const FormatTemplate defaults;
    for (const auto& [id, member] : switches) {
        auto dialog = openOn(defaults);
        auto* box = dialog->pages()[kSelItem]->findChild<QCheckBox*>(QStringLiteral("check%1").arg(id));
        QVERIFY(box != nullptr);
        box->click();
        click(*dialog, "confirmButton");
        QCOMPARE(changedMembers(defaults, dialog->result()), QStringList{memberName(member)});
        if (id == 1115) QCOMPARE(dialog->result().checkEnAbstract, 0);
        if (id == 1118) QCOMPARE(dialog->result().checkEnCaptions, 1);
    }
}

void TemplateSettingsDialogTest::listsCoverEveryEditableMemberOnce() {
    auto dialog = openOn(FormatTemplate{});
    QMap<QString, int> shownBy;
    for (int tab = 0; tab < kSelItem; ++tab) {
        for (SettingsList* box : listsOf(*dialog, tab)) ++shownBy[memberName(box->row().member)];
    }
    using T = FormatTemplate;
    const std::vector<MemberPointer> notEdited{
        &T::thesisType,         &T::cnAbstractBodyBold, &T::cnAbstractBodySize, &T::cnKeywordsBold,
        &T::cnKeywordsSize,     &T::enAbstractBodyBold, &T::enAbstractBodySize, &T::enKeywordsBold,
        &T::enKeywordsSize};
    for (const TemplateKey& key : templateKeys()) {
        const QString name = memberName(key.member);
        const bool edited = std::find(notEdited.begin(), notEdited.end(), key.member) == notEdited.end();
        const int expected = (edited && key.kind != ValueKind::Switch) ? 1 : 0;
        QVERIFY2(shownBy.value(name) == expected, qPrintable(name));
    }
}

void TemplateSettingsDialogTest::cancelAndCloseBoxKeepTheTemplate() {
    FormatTemplate tmpl;
    tmpl.thesisType = kMasterThesis;
    tmpl.heading1Size = 10.0f;  // would read back as 0.0 on "确定"
    tmpl.numberSeparator = "/";
    const auto changeEverything = [](TemplateSettingsDialog& dialog) {
        dialog.findChild<QRadioButton*>("bachelorRadio")->click();
        choose(list(dialog, kText, 1060), "Arial");
        choose(list(dialog, kPicTable, 1029), "-");
        dialog.pages()[kSelItem]->findChild<QCheckBox*>("check1112")->click();
    };
    {
        auto dialog = openOn(tmpl);
        changeEverything(*dialog);
        click(*dialog, "cancelButton");
        QCOMPARE(dialog->QDialog::result(), int(QDialog::Rejected));
        QCOMPARE(changedMembers(tmpl, dialog->result()), QStringList());
        QVERIFY(dialog->result() == tmpl);
    }
    {
        auto dialog = openOn(tmpl);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        changeEverything(*dialog);
        QVERIFY(dialog->close());  // the close box
        QCOMPARE(dialog->QDialog::result(), int(QDialog::Rejected));
        QVERIFY(dialog->result() == tmpl);
    }
    {
        auto dialog = openOn(tmpl);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        changeEverything(*dialog);
        QTest::keyClick(dialog.get(), Qt::Key_Escape);
        QCOMPARE(dialog->QDialog::result(), int(QDialog::Rejected));
        QVERIFY(dialog->result() == tmpl);
    }
}

void TemplateSettingsDialogTest::halfSizeShowsAsNameAndIsOfferedAsNumber() {
    FormatTemplate tmpl;
    tmpl.tableCaptionSize = 12.0f;
    tmpl.figureCaptionSize = 14.0f;
    auto dialog = openOn(tmpl);
    for (int id : {1070, 1035, 1038}) {
        QCOMPARE(list(*dialog, kPicTable, id)->count(), 16);
        QVERIFY(list(*dialog, kPicTable, id)->findText("10.5") >= 0);
    }
    QCOMPARE(shown(*dialog, kPicTable, 1038), QStringLiteral("五号"));  // tableTextSize 10.5
    QCOMPARE(shown(*dialog, kAbsC, 1044), QStringLiteral("五号"));      // abstractNotesSize 10.5
    QCOMPARE(list(*dialog, kAbsC, 1044)->count(), 15);
    QCOMPARE(list(*dialog, kAbsC, 1044)->findText("10.5"), -1);
    QCOMPARE(list(*dialog, kPicTable, 1030)->findText("10.5"), -1);  // caption notes use the 15 items

    choose(list(*dialog, kPicTable, 1035), "10.5");
    choose(list(*dialog, kPicTable, 1070), "五号");
    click(*dialog, "confirmButton");
    QCOMPARE(dialog->result().tableCaptionSize, 10.5f);
    QCOMPARE(dialog->result().figureCaptionSize, 10.5f);
    QCOMPARE(changedMembers(tmpl, dialog->result()), QStringList({"图表/表名字号", "图表/图名字号"}));
}

void TemplateSettingsDialogTest::fontNameBeginningSelectsFirstFamily() {
    FormatTemplate tmpl;
    tmpl.heading1Font = "Liberation";
    tmpl.heading2Font = "liberation se";
    tmpl.heading3Font = "Georgia";
    tmpl.bodyTextEnFont = "Liberation";  // a list in reporting order
    auto dialog = openOn(tmpl);
    QCOMPARE(shown(*dialog, kText, 1060), QStringLiteral("Liberation Sans"));
    QCOMPARE(shown(*dialog, kText, 1034), QStringLiteral("Liberation Serif"));
    QCOMPARE(list(*dialog, kText, 1043)->currentIndex(), -1);
    QCOMPARE(shown(*dialog, kText, 1049), QStringLiteral("Liberation Serif"));
    click(*dialog, "confirmButton");
    QCOMPARE(dialog->result().heading1Font, std::string("Liberation Sans"));
    QCOMPARE(dialog->result().heading2Font, std::string("Liberation Serif"));
    QCOMPARE(dialog->result().heading3Font, std::string());
    QCOMPARE(dialog->result().bodyTextEnFont, std::string("Liberation Serif"));
}

void TemplateSettingsDialogTest::separatorShowsAndTakesTypedText() {
    FormatTemplate dash;
    dash.numberSeparator = "-";
    FormatTemplate slash;
    slash.numberSeparator = "/";

    auto dashDialog = openOn(dash);
    SettingsList* dashList = list(*dashDialog, kPicTable, 1029);
    QCOMPARE(dashList->itemText(0), QStringLiteral("-"));
    QCOMPARE(dashList->currentText(), QStringLiteral("-"));
    QVERIFY(dashList->isEditable());
    QVERIFY(!list(*dashDialog, kPicTable, 1034)->isEditable());

    auto slashDialog = openOn(slash);
    QCOMPARE(list(*slashDialog, kPicTable, 1029)->currentIndex(), -1);
    QCOMPARE(shown(*slashDialog, kPicTable, 1029), QString());
    click(*slashDialog, "confirmButton");
    QCOMPARE(slashDialog->result().numberSeparator, std::string());

    auto typedDialog = openOn(slash);
    SettingsList* typed = list(*typedDialog, kPicTable, 1029);
    QTest::keyClicks(typed->lineEdit(), "_");
    click(*typedDialog, "confirmButton");
    QCOMPARE(typedDialog->result().numberSeparator, std::string("_"));

    auto overDialog = openOn(FormatTemplate{});
    SettingsList* over = list(*overDialog, kPicTable, 1029);
    over->lineEdit()->selectAll();
    QTest::keyClicks(over->lineEdit(), "~~");
    click(*overDialog, "confirmButton");
    QCOMPARE(overDialog->result().numberSeparator, std::string("~~"));
}

void TemplateSettingsDialogTest::fontListsListEachFamilyOnce() {
    const FontLists lists = fontListsFrom({"Zeta", "arial", "Beta", "Zeta", "Arial Black", "arial", ""});
    QCOMPARE(lists.reported, (std::vector<std::string>{"Zeta", "arial", "Beta", "Arial Black"}));
    QCOMPARE(lists.sorted, (std::vector<std::string>{"arial", "Arial Black", "Beta", "Zeta"}));

    auto dialog = openOn(FormatTemplate{}, lists);
    const auto items = [](SettingsList* box) {
        QStringList texts;
        for (int i = 0; i < box->count(); ++i) texts << box->itemText(i);
        return texts;
    };
    const QStringList sorted{"arial", "Arial Black", "Beta", "Zeta"};
    const QStringList reported{"Zeta", "arial", "Beta", "Arial Black"};
    QCOMPARE(items(list(*dialog, kText, 1049)), reported);
    QCOMPARE(items(list(*dialog, kText, 1045)), reported);
    QCOMPARE(items(list(*dialog, kText, 1048)), sorted);
    QCOMPARE(items(list(*dialog, kAbsE, 1038)), sorted);
    QCOMPARE(items(list(*dialog, kFace, 1065)), sorted);
    // "Arial" selects the first item that begins with it, letter case aside.
    QCOMPARE(shown(*dialog, kMasFaceEng, 1106), QStringLiteral("arial"));
}

void TemplateSettingsDialogTest::standInsJoinTheFontLists() {
    // The machine shows 宋体 and Times New Roman with other families, and
    // knows neither 黑体, Arial nor 楷体.
    const auto answered = [](const std::string& name) { return name == "宋体" || name == "Times New Roman"; };
    const std::vector<std::string> families{"Liberation Serif", "AR PL UMing CN", "DejaVu Sans"};
    // The shown template uses two fonts of its own, no default one.
    FormatTemplate tmpl;
    for (const TemplateKey& key : templateKeys()) {
        if (key.kind == ValueKind::Font) tmpl.*std::get<TextMember>(key.member) = "楷体";
    }
    tmpl.heading1Font = "方正小标宋简体";
    const FontLists lists = fontListsWithStandIns(families, tmpl, answered);
    // The shown template's fonts join, then the defaults the machine answers.
    std::vector<std::string> expected = families;
    for (const char* name : {"楷体", "方正小标宋简体", "宋体", "Times New Roman"}) expected.push_back(name);
    QCOMPARE(lists.reported, expected);
    QCOMPARE(lists.sorted.size(), expected.size());

    auto dialog = openOn(tmpl, lists);
    QCOMPARE(shown(*dialog, kText, 1048), QStringLiteral("楷体"));
    QCOMPARE(shown(*dialog, kFace, 1065), QStringLiteral("楷体"));
    click(*dialog, "confirmButton");
    // "确定" keeps every font the dialog showed, installed or not.
    QCOMPARE(changedMembers(tmpl, dialog->result()), QStringList());
    QCOMPARE(dialog->result().heading1Font, std::string("方正小标宋简体"));
    QCOMPARE(dialog->result().heading3Font, std::string("楷体"));
}

void TemplateSettingsDialogTest::installedListsKeepTheDefaultFonts() {
    const FontLists lists = installedFontLists(FormatTemplate{});
    const QStringList families = QFontDatabase::families();
    QVERIFY(!families.isEmpty());
    for (const QString& family : families)
        QCOMPARE(int(std::count(lists.sorted.begin(), lists.sorted.end(), family.toStdString())), 1);
    QCOMPARE(lists.sorted.size(), lists.reported.size());

    bool everyDefaultResolves = true;
    for (const char* name : {"宋体", "黑体", "Times New Roman", "Arial"}) {
        const bool resolves = QFontDatabase::hasFamily(QString::fromUtf8(name));
        everyDefaultResolves = everyDefaultResolves && resolves;
        const bool listed = std::find(lists.sorted.begin(), lists.sorted.end(), name) != lists.sorted.end();
        QVERIFY2(listed == resolves, name);
    }
    QVERIFY(std::find(lists.sorted.begin(), lists.sorted.end(), "NoSuchFamilyAnywhere") == lists.sorted.end());
    if (!everyDefaultResolves) QSKIP("the thesis fonts have no substitutes on this machine (scripts/setup)");

    auto dialog = openOn(FormatTemplate{}, lists);
    click(*dialog, "confirmButton");
    QCOMPARE(changedMembers(FormatTemplate{}, dialog->result()), QStringList());
}

void TemplateSettingsDialogTest::confirmDuringRunTellsTheChangeWaits() {
    for (bool running : {true, false}) {
        RecordingMessages messages;
        auto dialog = openOn(FormatTemplate{});
        dialog->setMessages(messages);
        dialog->setRunInProgress([running] { return running; });
        choose(list(*dialog, kText, 1061), "小四");
        click(*dialog, "confirmButton");
        QCOMPARE(dialog->QDialog::result(), int(QDialog::Accepted));
        QCOMPARE(dialog->result().heading1Size, 12.0f);
        if (running) {
            QCOMPARE(messages.shown, std::vector<std::string>{texts::kTemplateWaitsForRun});
        } else {
            QVERIFY(messages.shown.empty());
        }
    }
}

void TemplateSettingsDialogTest::saveAsWritesATemplateThatLoadsBack() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("我的模板.ini");
    FormatTemplate tmpl;
    tmpl.checkEnCaptions = 1;
    auto dialog = openOn(tmpl);
    RecordingMessages messages;
    dialog->setMessages(messages);
    dialog->setSaveTargetChooser([&path](QWidget*) { return path; });
    dialog->findChild<QRadioButton*>("masterRadio")->click();
    choose(list(*dialog, kText, 1060), "Arial");
    choose(list(*dialog, kPicTable, 1035), "小四");
    QTest::keyClicks(list(*dialog, kPicTable, 1029)->lineEdit(), "-");  // typed after "."

    click(*dialog, "saveAsButton");
    QVERIFY(messages.shown.empty());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const FormatTemplate shownValues = dialog->shownValues();
    QCOMPARE(bytes.toStdString(), utf8ToGbk(formatTemplateFile(shownValues)));
    QVERIFY(bytes.startsWith(QByteArray::fromStdString(utf8ToGbk("[检测类型]\n类型=1\n"))));
    QCOMPARE(shownValues.heading1Font, std::string("Arial"));
    QCOMPARE(shownValues.numberSeparator, std::string(".-"));
    QVERIFY(dialog->result() == tmpl);  // saving hands nothing over

    FormatTemplate loaded;
    loaded.loadFromFile(QFile::encodeName(path).toStdString());
    // Sizes keep their decimals: the 10.5 sizes load back as shown.
    QCOMPARE(changedMembers(shownValues, loaded), QStringList());
    QVERIFY(loaded == shownValues);
    QCOMPARE(loaded.figureCaptionSize, 10.5f);
    QCOMPARE(loaded.tableCaptionSize, 12.0f);
    QCOMPARE(loaded.thesisType, int(kMasterThesis));
}

void TemplateSettingsDialogTest::saveAsReportsAFileItCannotWrite() {
    QTemporaryDir dir;
    RecordingMessages messages;
    auto dialog = openOn(FormatTemplate{});
    dialog->setMessages(messages);
    const QString missing = dir.filePath("no-such-folder/t.ini");
    dialog->setSaveTargetChooser([&missing](QWidget*) { return missing; });
    click(*dialog, "saveAsButton");
    QCOMPARE(messages.shown, std::vector<std::string>{texts::kTemplateSaveFailed + missing.toStdString()});

    messages.shown.clear();
    dialog->setSaveTargetChooser([](QWidget*) { return QString(); });  // cancelled
    click(*dialog, "saveAsButton");
    QVERIFY(messages.shown.empty());
    QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
}

void TemplateSettingsDialogTest::pageScreenshots() {
    const FormatTemplate tmpl;
    TemplateSettingsDialog dialog(tmpl);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const QDir target(QStringLiteral(QUILLMARK_SCREENSHOT_DIR));
    QVERIFY(target.mkpath("."));
    const QStringList classes{"PageSetFace", "PageSetMasFace1", "PageSetMasFace2", "PageSetMasFaceEng", "PageSetAbsC",
                              "PageSetAbsE", "PageSetText",     "PageSetPicTable", "PageSetSelItem"};
    for (int tab = 0; tab < kTabCount; ++tab) {
        dialog.tabs()->setCurrentIndex(tab);
        QCoreApplication::processEvents();
        const QPixmap shot = dialog.grab();
        QVERIFY(!shot.isNull());
        const QString file = target.filePath(QStringLiteral("template-settings-%1-%2.png").arg(tab + 1).arg(classes[tab]));
        QVERIFY2(shot.save(file), qPrintable(file));
    }
}
