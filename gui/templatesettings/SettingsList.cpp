#include "gui/templatesettings/SettingsList.h"

#include "template/ItemLists.h"
#include "template/ListSelection.h"

namespace quillmark::gui {

namespace {

const std::vector<std::string>& itemsOf(ListKind kind, const FontLists& fonts) {
    switch (kind) {
    case ListKind::Font: return fonts.sorted;
    case ListKind::ReportOrderFont: return fonts.reported;
    case ListKind::Size: return sizeItems();
    case ListKind::FigureTableSize: return figureTableSizeItems();
    case ListKind::Bold: return boldItems();
    case ListKind::Alignment: return alignmentItems();
    case ListKind::AbstractHeadingForm: return abstractHeadingFormItems();
    case ListKind::KeywordsLabelForm: return keywordsLabelFormItems();
    case ListKind::Separator: return separatorItems();
    }
    return fonts.sorted;
}

bool isTextKind(ListKind kind) {
    return kind == ListKind::Font || kind == ListKind::ReportOrderFont || kind == ListKind::Separator;
}

bool isSizeKind(ListKind kind) { return kind == ListKind::Size || kind == ListKind::FigureTableSize; }

}  // namespace

SettingsList::SettingsList(const ListRow& row, const FontLists& fonts, QWidget* parent)
    : QComboBox(parent), row_(row), items_(itemsOf(row.kind, fonts)) {
    setObjectName(QStringLiteral("list%1").arg(row.id));
    setMaxVisibleItems(16);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(isTextKind(row.kind) && row.kind != ListKind::Separator ? 14 : 6);
    for (const std::string& item : items_) addItem(QString::fromStdString(item));
    if (row.kind == ListKind::Separator) {
        setEditable(true);
        setInsertPolicy(QComboBox::NoInsert);
        setCompleter(nullptr);  // the typed text is taken as typed
    }
    setCurrentIndex(-1);  // a freshly filled list shows nothing
}

void SettingsList::select(std::optional<std::size_t> index, bool clearWhenNone) {
    if (index) {
        setCurrentIndex(static_cast<int>(*index));
    } else if (clearWhenNone) {
        setCurrentIndex(-1);
    }
}

void SettingsList::showTemplate(const FormatTemplate& tmpl) {
    // A text search that finds nothing leaves the selection as it is; an
    // index outside the list leaves the list without a selection.
    if (isTextKind(row_.kind)) {
        select(selectByPrefix(items_, tmpl.*std::get<TextMember>(row_.member)), false);
    } else if (isSizeKind(row_.kind)) {
        select(selectSize(items_, tmpl.*std::get<SizeMember>(row_.member)), false);
    } else {
        select(selectByIndex(items_, tmpl.*std::get<IntegerMember>(row_.member)), true);
    }
}

void SettingsList::readTemplate(FormatTemplate& tmpl) const {
    const int index = currentIndex();
    const ListSelection selected = index < 0 ? std::nullopt : ListSelection(static_cast<std::size_t>(index));
    if (row_.kind == ListKind::Separator) {
        tmpl.*std::get<TextMember>(row_.member) = currentText().toStdString();
    } else if (isTextKind(row_.kind)) {
        tmpl.*std::get<TextMember>(row_.member) = readText(items_, selected);
    } else if (isSizeKind(row_.kind)) {
        tmpl.*std::get<SizeMember>(row_.member) = readSize(items_, selected);
    } else {
        tmpl.*std::get<IntegerMember>(row_.member) = readIndex(selected);
    }
}

}  // namespace quillmark::gui
