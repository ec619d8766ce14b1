#include "gui/FindingsModel.h"

#include <QBrush>
#include <QColor>

#include <array>

namespace quillmark::gui {

namespace {

constexpr std::array<int, FindingsList::kColumns> kWidths = {40, 150, 60, 50, 300, 80};
constexpr int kDescriptionColumn = 4;

const QColor kBackground(224, 157, 230);
const QColor kText(0, 0, 255);

}  // namespace

int FindingsModel::columnWidth(int column) {
    return column >= 0 && column < static_cast<int>(kWidths.size()) ? kWidths[static_cast<std::size_t>(column)] : 0;
}

FindingsModel::FindingsModel(const FindingsList& list, QObject* parent)
    : QAbstractTableModel(parent), list_(list), shown_(static_cast<int>(list.size())) {}

bool FindingsModel::rowsAppended() {
    const int now = static_cast<int>(list_.size());
    if (now < shown_) {
        reset();
        return false;
    }
    if (now == shown_) return false;
    beginInsertRows({}, shown_, now - 1);
    shown_ = now;
    endInsertRows();
    return true;
}

void FindingsModel::reset() {
    beginResetModel();
    shown_ = static_cast<int>(list_.size());
    endResetModel();
}

int FindingsModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : shown_; }

int FindingsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(FindingsList::kColumns);
}

QVariant FindingsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= shown_ || index.row() >= static_cast<int>(list_.size())) return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return QString::fromStdString(
            list_.row(static_cast<std::size_t>(index.row())).cells[static_cast<std::size_t>(index.column())]);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(
            Qt::Alignment(index.column() == kDescriptionColumn ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter));
    case Qt::BackgroundRole:
        return QBrush(kBackground);
    case Qt::ForegroundRole:
        return QBrush(kText);
    default:
        return {};
    }
}

QVariant FindingsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= static_cast<int>(FindingsList::kColumns)) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    if (role == Qt::DisplayRole) return QString::fromUtf8(FindingsList::headings()[static_cast<std::size_t>(section)]);
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(
            Qt::Alignment(section == kDescriptionColumn ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter));
    }
    return {};
}

}  // namespace quillmark::gui
