#pragma once

#include "gui/templatesettings/ListPage.h"

#include <array>

class QCheckBox;

namespace quillmark::gui {

// The nine pages of the template settings, in tab order. Each list page is
// its own table of groups, lists and members.

class PageSetFace : public ListPage {  // "本科封面"
public:
    explicit PageSetFace(const FontLists& fonts, QWidget* parent = nullptr);
};

class PageSetMasFace1 : public ListPage {  // "硕士外封"
public:
    explicit PageSetMasFace1(const FontLists& fonts, QWidget* parent = nullptr);
};

class PageSetMasFace2 : public ListPage {  // "硕士中文内封"
public:
    explicit PageSetMasFace2(const FontLists& fonts, QWidget* parent = nullptr);
};

class PageSetMasFaceEng : public ListPage {  // "硕士英文内封"
public:
    explicit PageSetMasFaceEng(const FontLists& fonts, QWidget* parent = nullptr);
};

class PageSetAbsC : public ListPage {  // "中文摘要"
public:
    explicit PageSetAbsC(const FontLists& fonts, QWidget* parent = nullptr);
};

class PageSetAbsE : public ListPage {  // "英文摘要"
public:
    explicit PageSetAbsE(const FontLists& fonts, QWidget* parent = nullptr);
};

class PageSetText : public ListPage {  // "正文"
public:
    explicit PageSetText(const FontLists& fonts, QWidget* parent = nullptr);
};

class PageSetPicTable : public ListPage {  // "图表"
public:
    explicit PageSetPicTable(const FontLists& fonts, QWidget* parent = nullptr);
};

// "检测项": the seven check-item switches as check boxes ("check<id>").
class PageSetSelItem : public TemplatePage {
    Q_OBJECT
public:
    explicit PageSetSelItem(QWidget* parent = nullptr);

    QString tabTitle() const override;
    void showTemplate(const FormatTemplate& tmpl) override;
    void readTemplate(FormatTemplate& tmpl) const override;

private:
    struct Item {
        const char* label;
        int id;
        IntegerMember member;
    };
    static const std::array<Item, 7> kItems;
    std::array<QCheckBox*, 7> boxes_{};
};

}  // namespace quillmark::gui
