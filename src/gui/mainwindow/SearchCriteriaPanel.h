#pragma once

#include "core/search/SearchClauses.h"
#include "core/search/SearchCriteria.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

// The search criteria frame and the syntax panel that covers it when shown: what to search
// for, how, where, and which availability to leave out, with the Search, Reset and Exit
// buttons. It reads its controls into a SearchCriteria; it runs nothing itself.
class SearchCriteriaPanel : public QWidget {
    Q_OBJECT
public:
    explicit SearchCriteriaPanel(QWidget* parent = nullptr);

    // Start-up: the letter, group and operator boxes, the search history and the disk box.
    void fill(const QStringList& groups, const QStringList& history);

    // The criteria as the controls show them; the sort order is the list's, not ours.
    SearchCriteria criteria() const;
    bool byName() const;
    QString groupText() const;

    AvailabilityFilter filters() const;
    void setFilters(const AvailabilityFilter& filter);
    bool reversedColumns() const;
    // Without running the switch (start-up sets it before the list has columns).
    void setReversedColumns(bool reversed);

    void setSearchText(const QString& text);
    QStringList history() const;
    // Replaces the history rows and selects the first, which puts it into the search box.
    void setHistory(const QStringList& history);
    void setDiskTitles(const QStringList& titles);

    // Reset: first letter, group and operator, empty search text, name mode, disk "All".
    void reset();
    void showSyntax();
    void focusSearchBox();

Q_SIGNALS:
    void searchRequested();
    void resetRequested();
    void exitRequested();
    // A real group was chosen: its disk titles are wanted.
    void groupChosen(const QString& group);
    void columnOrderToggled(bool reversed);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildCriteria();
    void buildSyntaxPanel();
    void chooseGroup();
    void chooseOperator();
    void chooseMode();

    QGroupBox* m_criteria = nullptr;
    QRadioButton* m_nameMode = nullptr;
    QRadioButton* m_letterMode = nullptr;
    QComboBox* m_searchBox = nullptr;
    QComboBox* m_operatorBox = nullptr;
    QComboBox* m_letterBox = nullptr;
    QComboBox* m_groupBox = nullptr;
    QComboBox* m_diskBox = nullptr;
    QCheckBox* m_excludeAvailable = nullptr;
    QCheckBox* m_excludeUnavailable = nullptr;
    QCheckBox* m_excludeUndumped = nullptr;
    QCheckBox* m_reverseColumns = nullptr;
    QFrame* m_syntaxPanel = nullptr;
    QLabel* m_operatorHelp = nullptr;
};
