#pragma once

#include "core/search/ListedRows.h"

#include <QAbstractTableModel>
#include <QStringList>

// The rows of the result list: three columns (the third, the entry number, stays hidden)
// and an availability icon on the first. The header of the sort column carries the sort mark.
class ResultListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ResultListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    const QStringList& captions() const { return m_captions; }
    void setCaptions(const QStringList& captions);

    // The header that shows a sort mark (-1 for none) and which one (image 1 or 2).
    void setSortMark(int column, bool descending);

    const ListedRows& rows() const { return m_rows; }
    void setRows(ListedRows rows);
    void removeRow(int index);
    void clear();

    // Orders the rows by one column's text, as the catalogue orders text; equal texts keep
    // their order.
    void sortRows(int column, bool descending);

private:
    QStringList m_captions;
    ListedRows m_rows;
    int m_markColumn = -1;
    bool m_markDescending = false;
};
