#pragma once

#include "core/search/ListSort.h"
#include "core/search/ListedRows.h"
#include "core/settings/Settings.h"

#include <QWidget>

#include <optional>

class QFrame;
class QKeyEvent;
class QModelIndex;
class QTreeView;
class ResultListModel;

// The result list with what lies over it: the welcome panel until something is listed and the
// "No Matches Found" panel. The list keeps its own sort state and sorts its rows by it; its
// column captions are the catalogue fields the columns show.
class ResultList : public QWidget {
    Q_OBJECT
public:
    explicit ResultList(QWidget* parent = nullptr);

    // New headers: the two fields in their order, then the hidden entry number column.
    void setColumns(const ColumnCaptions& captions, const QString& numberCaption);
    QStringList captions() const;
    const ListSort& sort() const { return m_sort; }
    void setSort(const ListSort& sort) { m_sort = sort; }
    QString sortCaption() const;

    // A click on the header at `position` (1-based); the captions are set again as read.
    void clickColumn(int position, const ColumnCaptions& captions);
    // Before the columns swap: see ListSort.
    void prepareColumnSwap() { m_sort.prepareColumnSwap(); }

    // The first column's width as the user left it; the second fills the rest of the list.
    int firstColumnWidth() const;
    void setFirstColumnWidth(int pixels);

    int rowCount() const;
    const ListedRows& rows() const;
    void setRows(ListedRows rows);
    void clear();
    // The current row, however it was reached, or none.
    std::optional<ListedRow> selectedRow() const;
    void removeSelectedRow();

    void showWelcome(bool shown);
    void showNoMatches(bool shown);

Q_SIGNALS:
    // A row became the current one (by the mouse or the keyboard), or the current row was
    // clicked again: once for each.
    void rowChosen();
    // Enter or a double click on the current row.
    void rowActivated();
    void headerClicked(int position);
    // The right button was pressed over a list that holds rows, or the menu key pressed in
    // it, at this global position.
    void popupRequested(const QPoint& globalPosition);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QFrame* buildWelcomePanel();
    QFrame* buildNoMatchesPanel();
    int selectedIndex() const;
    void applySort();
    void chooseCurrentRow(const QModelIndex& current);
    bool handleKey(const QKeyEvent& key);
    void requestPopupAtCurrentRow();

    QTreeView* m_view = nullptr;
    ResultListModel* m_model = nullptr;
    QFrame* m_welcome = nullptr;
    QFrame* m_noMatches = nullptr;
    ListSort m_sort;
    // Set when the current row changed during the latest press, so that its click does not
    // choose the row a second time.
    bool m_pressChoseRow = false;
};
