#pragma once

#include "shell/FindingsList.h"

#include <QAbstractTableModel>

namespace quillmark::gui {

// The shell's findings list as a table model for the findings view. The shell
// changes the list; the window tells the model what happened: rowsAppended()
// after the hand-over was taken (it only appends), reset() after any command.
class FindingsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // Column widths in pixels, by column.
    static int columnWidth(int column);

    explicit FindingsModel(const FindingsList& list, QObject* parent = nullptr);

    // True when rows were added since the last call.
    bool rowsAppended();
    void reset();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const FindingsList& list_;
    int shown_ = 0;
};

}  // namespace quillmark::gui
