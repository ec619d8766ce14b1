#pragma once

#include "gui/templatesettings/SettingsList.h"
#include "gui/templatesettings/TemplatePage.h"

#include <vector>

namespace quillmark::gui {

// A group box of a page and its lists; a group without a title places its
// lists on the page itself.
struct ListGroup {
    const char* title;
    std::vector<ListRow> lists;
};

// How a page is made: its tab title, its groups in order, and the text in
// its lower right corner (a static text, or on one page an empty group box;
// none when null).
struct PageLayout {
    const char* tabTitle;
    std::vector<ListGroup> groups;
    const char* cornerText;
    bool cornerIsGroupBox = false;
};

// A settings page of drop-down lists, one per template member.
class ListPage : public TemplatePage {
    Q_OBJECT
public:
    ListPage(PageLayout layout, const FontLists& fonts, QWidget* parent = nullptr);

    QString tabTitle() const override;
    void showTemplate(const FormatTemplate& tmpl) override;
    void readTemplate(FormatTemplate& tmpl) const override;

    const std::vector<SettingsList*>& lists() const { return lists_; }

private:
    QWidget* buildGroup(const ListGroup& group, const FontLists& fonts);

    PageLayout layout_;
    std::vector<SettingsList*> lists_;
};

}  // namespace quillmark::gui
