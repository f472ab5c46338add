#include "gui/mainwindow/ResultListModel.h"

#include "gui/platform/Images.h"

#include <algorithm>

ResultListModel::ResultListModel(QObject* parent)
    : QAbstractTableModel(parent), m_captions{QString(), QString(), QString()} {}

int ResultListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

int ResultListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 3;
}

QVariant ResultListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || size_t(index.row()) >= m_rows.size())
        return QVariant();
    const ListedRow& row = m_rows[size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return columnText(row, index.column());
    case Qt::DecorationRole:
        if (index.column() == 0 && row.icon != NoIcon) {
            static const QIcon icons[] = {imageListPicture(AvailableIcon),
                                          imageListPicture(UnavailableIcon),
                                          imageListPicture(UndumpedIcon)};
            return icons[row.icon - AvailableIcon];
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

void ResultListModel::setRows(std::vector<ListedRow> rows) {
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

void ResultListModel::clear() {
    setRows({});
}

void ResultListModel::sortRows(int column, bool descending) {
    if (column < 0 || column > 2)
        return;
    const std::vector<int> order = sortedOrder(m_rows, column, descending);
    // Rows usually arrive from the catalogue in this order already: then nothing moves.
    if (std::is_sorted(order.begin(), order.end()))
        return;

    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<ListedRow> sorted;
    sorted.reserve(m_rows.size());
    std::vector<int> newPosition(m_rows.size());
    for (size_t k = 0; k < order.size(); ++k) {
        sorted.push_back(std::move(m_rows[size_t(order[k])]));
        newPosition[size_t(order[k])] = int(k);
    }
    m_rows = std::move(sorted);
    // Keep the selection and the current row on the same entries.
    const QModelIndexList persistent = persistentIndexList();
    for (const QModelIndex& old : persistent)
        changePersistentIndex(old, index(newPosition[size_t(old.row())], old.column()));
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}
