#pragma once

#include "gui/templatesettings/FontLists.h"
#include "template/TemplateKeys.h"

#include <QComboBox>

#include <string>
#include <vector>

namespace quillmark::gui {

// What a settings list offers; the member it stands for has the matching kind.
enum class ListKind {
    Font,              // sorted font families (text member)
    ReportOrderFont,   // font families in reporting order (text member)
    Size,              // the 15 size items (size member)
    FigureTableSize,   // the 16 size items with "10.5" (size member)
    Bold,              // "否", "是" (integer member)
    Alignment,         // the five alignments (integer member)
    AbstractHeadingForm,
    KeywordsLabelForm,
    Separator,         // "-", "." or any typed text (text member)
};

// One list of a settings page: its label, its control id and the member it shows.
struct ListRow {
    const char* label;
    int id;
    ListKind kind;
    MemberPointer member;
};

// A drop-down list bound to one template member. The items are filled once;
// showTemplate and readTemplate apply the show and read rules of the
// member's kind. Its object name is "list<id>".
class SettingsList : public QComboBox {
    Q_OBJECT
public:
    SettingsList(const ListRow& row, const FontLists& fonts, QWidget* parent = nullptr);

    void showTemplate(const FormatTemplate& tmpl);
    void readTemplate(FormatTemplate& tmpl) const;

    const ListRow& row() const { return row_; }

private:
    void select(std::optional<std::size_t> index, bool clearWhenNone);

    ListRow row_;
    std::vector<std::string> items_;
};

}  // namespace quillmark::gui
