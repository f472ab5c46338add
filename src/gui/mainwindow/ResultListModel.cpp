#include "gui/mainwindow/ResultListModel.h"

#include "gui/platform/Images.h"

#include <QPixmap>

ResultListModel::ResultListModel(QObject* parent)
    : QAbstractTableModel(parent), m_captions{QString(), QString(), QString()} {}

int ResultListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

int ResultListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 3;
}

QVariant ResultListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_rows.size())
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return m_rows.text(index.row(), index.column());
    case Qt::DecorationRole:
        if (index.column() == 0) {
            // A row without a mark keeps the mark's room, so that every row is as high as the
            // marks, whichever row the list measures, and its text lines up with the others.
            static const QIcon blank = [] {
                QPixmap empty(16, 16);
                empty.fill(Qt::transparent);
                return QIcon(empty);
            }();
            static const QIcon icons[] = {imageListPicture(AvailableIcon),
                                          imageListPicture(UnavailableIcon),
                                          imageListPicture(UndumpedIcon)};
            const int icon = m_rows.icon(index.row());
            return icon == NoIcon ? blank : icons[icon - AvailableIcon];
        }
        return QVariant();
    default:
        return QVariant();
    }
}

QVariant ResultListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= m_captions.size())
        return QVariant();
    if (role == Qt::DisplayRole)
        return m_captions[section];
    if (role == Qt::DecorationRole && section == m_markColumn)
        return imageListPicture(m_markDescending ? 2 : 1);
    return QVariant();
}

void ResultListModel::setCaptions(const QStringList& captions) {
    m_captions = captions;
    while (m_captions.size() < 3)
        m_captions << QString();
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, 2);
}

void ResultListModel::setSortMark(int column, bool descending) {
    m_markColumn = column;
    m_markDescending = descending;
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, 2);
}

void ResultListModel::setRows(ListedRows rows) {
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

void ResultListModel::removeRow(int index) {
    beginRemoveRows(QModelIndex(), index, index);
    m_rows.remove(index);
    endRemoveRows();
}

void ResultListModel::clear() {
    setRows({});
}

void ResultListModel::sortRows(int column, bool descending) {
    if (column < 0 || column > 2)
        return;
    const std::vector<qsizetype> order = m_rows.sortedOrder(column, descending);
    if (order.empty())
        return; // in order already: nothing moves

    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    m_rows.reorder(order);
    std::vector<int> newPosition(order.size());
    for (size_t k = 0; k < order.size(); ++k)
        newPosition[size_t(order[k])] = int(k);
    // Keep the selection and the current row on the same entries.
    const QModelIndexList persistent = persistentIndexList();
    for (const QModelIndex& old : persistent)
        changePersistentIndex(old, index(newPosition[size_t(old.row())], old.column()));
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}
