#include "gui/mainwindow/SearchCriteriaPanel.h"

#include "core/search/AlphaSearch.h"
#include "core/search/OperatorHelp.h"
#include "gui/mainwindow/MainWindowNames.h"
#include "gui/mainwindow/Widgets.h"
#include "gui/platform/Images.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

SearchCriteriaPanel::SearchCriteriaPanel(QWidget* parent) : QWidget(parent) {
    // The syntax panel shares the criteria frame's place and covers it when shown.
    auto* stack = new QGridLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    buildCriteria();
    buildSyntaxPanel();
    stack->addWidget(m_criteria, 0, 0);
    stack->addWidget(m_syntaxPanel, 0, 0);
}

void SearchCriteriaPanel::buildCriteria() {
    m_criteria = named<QGroupBox>(names::criteriaFrame, QStringLiteral("Search Criteria"), this);
    m_criteria->setMouseTracking(true);
    m_criteria->installEventFilter(this);
    auto* grid = new QGridLayout(m_criteria);
    grid->setHorizontalSpacing(8);

    m_nameMode = named<QRadioButton>(names::nameMode, QStringLiteral("Name:"));
    m_nameMode->setChecked(true);
    m_letterMode = named<QRadioButton>(names::letterMode, QStringLiteral("Alpha-numerical:"));
    m_searchBox = named<QComboBox>(names::searchBox);
    m_searchBox->setEditable(true);
    m_searchBox->setInsertPolicy(QComboBox::NoInsert);
    // Narrow at least, so that the window can be made small; wider as the window grows.
    m_searchBox->setMinimumContentsLength(12);
    m_searchBox->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    // Keys reach the box when it has the focus, its line edit when it is sent them directly.
    m_searchBox->installEventFilter(this);
    m_searchBox->lineEdit()->installEventFilter(this);
    m_searchBox->setToolTip(
        QStringLiteral("Search text; Help > Syntax Overview explains the marks"));
    auto* operatorLabel = named<QLabel>(names::operatorLabel, QStringLiteral("Operator:"));
    m_operatorBox = named<QComboBox>(names::operatorBox);
    operatorLabel->setBuddy(m_operatorBox);
    m_letterBox = named<QComboBox>(names::letterBox);
    auto* groupLabel = named<QLabel>(names::groupLabel, QStringLiteral("Groups:"));
    m_groupBox = named<QComboBox>(names::groupBox);
    m_groupBox->setMaxVisibleItems(25);
    m_groupBox->setMinimumContentsLength(10);
    m_groupBox->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    groupLabel->setBuddy(m_groupBox);
    auto* diskLabel = named<QLabel>(names::diskLabel, QStringLiteral("Disk:"));
    m_diskBox = named<QComboBox>(names::diskBox);
    m_diskBox->setMinimumContentsLength(10);
    m_diskBox->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    diskLabel->setBuddy(m_diskBox);

    grid->addWidget(m_nameMode, 0, 0);
    grid->addWidget(m_searchBox, 0, 1, 1, 3);
    grid->addWidget(operatorLabel, 0, 4, Qt::AlignRight);
    grid->addWidget(m_operatorBox, 0, 5);
    grid->addWidget(m_letterMode, 1, 0);
    grid->addWidget(m_letterBox, 1, 1);
    grid->addWidget(groupLabel, 1, 2, Qt::AlignRight);
    grid->addWidget(m_groupBox, 1, 3);
    grid->addWidget(diskLabel, 1, 4, Qt::AlignRight);
    grid->addWidget(m_diskBox, 1, 5);

    // Each filter with its mark under a pair of the columns above, and the column switch on a
    // row of its own, so that the frame is no wider than its boxes need.
    m_excludeAvailable =
        named<QCheckBox>(names::excludeAvailable, QStringLiteral("Exclude Available"));
    m_excludeUnavailable =
        named<QCheckBox>(names::excludeUnavailable, QStringLiteral("Exclude Unavailable"));
    m_excludeUndumped =
        named<QCheckBox>(names::excludeUndumped, QStringLiteral("Exclude Undumped"));
    const std::pair<QCheckBox*, QLabel*> legend[] = {
        {m_excludeAvailable, legendMark(names::availableMark, 3)},
        {m_excludeUnavailable, legendMark(names::unavailableMark, 4)},
        {m_excludeUndumped, legendMark(names::undumpedMark, 5)}};
    int column = 0;
    for (auto [check, mark] : legend) {
        auto* filter = new QHBoxLayout;
        filter->addWidget(check);
        filter->addWidget(mark);
        filter->addStretch(1);
        grid->addLayout(filter, 2, column, 1, 2);
        column += 2;
    }
    m_reverseColumns =
        named<QCheckBox>(names::reverseColumns, QStringLiteral("Reverse Column Order"));
    grid->addWidget(m_reverseColumns, 3, 4, 1, 2, Qt::AlignRight);

    auto* buttons = new QVBoxLayout;
    auto* search = named<QPushButton>(names::searchButton, QStringLiteral("Search"));
    search->setDefault(true);
    auto* reset = named<QPushButton>(names::resetButton, QStringLiteral("Reset"));
    auto* exit = named<QPushButton>(names::exitButton, QStringLiteral("Exit"));
    buttons->addWidget(search);
    buttons->addWidget(reset);
    buttons->addWidget(exit);
    buttons->addStretch(1);
    grid->addLayout(buttons, 0, 6, 4, 1);

    grid->addWidget(scaledPicture(names::criteriaPicture, applicationIcon(), 64), 0, 7, 4, 1);
    grid->setColumnStretch(3, 1);
    grid->setColumnStretch(5, 1);

    connect(search, &QPushButton::clicked, this, &SearchCriteriaPanel::searchRequested);
    connect(reset, &QPushButton::clicked, this, &SearchCriteriaPanel::resetRequested);
    connect(exit, &QPushButton::clicked, this, &SearchCriteriaPanel::exitRequested);
    connect(m_reverseColumns, &QCheckBox::toggled, this, &SearchCriteriaPanel::columnOrderToggled);
    connect(m_groupBox, &QComboBox::currentIndexChanged, this, &SearchCriteriaPanel::chooseGroup);
    connect(m_operatorBox, &QComboBox::currentIndexChanged, this,
            &SearchCriteriaPanel::chooseOperator);
    connect(m_nameMode, &QRadioButton::clicked, this, &SearchCriteriaPanel::chooseMode);
    connect(m_letterMode, &QRadioButton::clicked, this, &SearchCriteriaPanel::chooseMode);
}

void SearchCriteriaPanel::buildSyntaxPanel() {
    m_syntaxPanel = named<QFrame>(names::syntaxPanel, this);
    m_syntaxPanel->setFrameShape(QFrame::StyledPanel);
    m_syntaxPanel->setAutoFillBackground(true);
    auto* row = new QHBoxLayout(m_syntaxPanel);
    auto* title = named<QLabel>(names::syntaxTitle, QStringLiteral("Syntax Overview"));
    title->setFont(scaledFont(title->font(), 1.2, true));
    m_operatorHelp = named<QLabel>(names::operatorHelp);
    m_operatorHelp->setFont(QFont(QStringLiteral("Tahoma")));
    m_operatorHelp->setWordWrap(true);
    // The help text lays itself out in rows through runs of spaces; it needs a width that
    // holds its widest row and no more.
    const QFontMetrics metrics(m_operatorHelp->font());
    m_operatorHelp->setFixedWidth(
        8 + qMax(metrics.horizontalAdvance(QStringLiteral(
                     "  term = match all occurence term     #term = match incomplete term")),
                 metrics.horizontalAdvance(QStringLiteral(
                     "+#term = exclude incomplete term      +*term = exclude complete term"))));
    m_operatorHelp->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_operatorHelp->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    auto* close = named<QPushButton>(names::syntaxClose, QStringLiteral("Close"));
    row->addWidget(title, 0, Qt::AlignTop);
    row->addStretch(1);
    row->addWidget(m_operatorHelp);
    row->addStretch(1);
    row->addWidget(close, 0, Qt::AlignBottom);
    m_syntaxPanel->hide();
    connect(close, &QPushButton::clicked, m_syntaxPanel, &QWidget::hide);
}

void SearchCriteriaPanel::fill(const QStringList& groups, const QStringList& history) {
    m_letterBox->addItems(letterBoxEntries());
    m_letterBox->setCurrentIndex(0);
    // Choosing the first group and operator runs their handlers once.
    {
        const QSignalBlocker quiet(m_groupBox);
        m_groupBox->addItem(QStringLiteral("ALL"));
        m_groupBox->addItems(groups);
        m_groupBox->setCurrentIndex(0);
    }
    chooseGroup();
    {
        const QSignalBlocker quiet(m_operatorBox);
        m_operatorBox->addItems({QStringLiteral("contains"), QStringLiteral("starts with"),
                                 QStringLiteral("ends with"), QStringLiteral("precise")});
        m_operatorBox->setCurrentIndex(0);
    }
    chooseOperator();
    m_searchBox->addItems(history);
    m_searchBox->setEditText(QString());
    m_diskBox->clear();
    m_diskBox->addItem(QStringLiteral("All"));
    m_diskBox->setCurrentIndex(0);
}

SearchCriteria SearchCriteriaPanel::criteria() const {
    SearchCriteria criteria;
    criteria.searchText = m_searchBox->currentText();
    criteria.operatorText = m_operatorBox->currentText();
    criteria.letterText = m_letterBox->currentText();
    criteria.groupText = m_groupBox->currentText();
    criteria.diskText = m_diskBox->currentText();
    criteria.availability = filters();
    return criteria;
}

bool SearchCriteriaPanel::byName() const {
    return m_nameMode->isChecked();
}

QString SearchCriteriaPanel::groupText() const {
    return m_groupBox->currentText();
}

AvailabilityFilter SearchCriteriaPanel::filters() const {
    return {m_excludeAvailable->isChecked(), m_excludeUnavailable->isChecked(),
            m_excludeUndumped->isChecked()};
}

void SearchCriteriaPanel::setFilters(const AvailabilityFilter& filter) {
    m_excludeAvailable->setChecked(filter.excludeAvailable);
    m_excludeUnavailable->setChecked(filter.excludeUnavailable);
    m_excludeUndumped->setChecked(filter.excludeUndumped);
}

bool SearchCriteriaPanel::reversedColumns() const {
    return m_reverseColumns->isChecked();
}

void SearchCriteriaPanel::setReversedColumns(bool reversed) {
    m_reverseColumns->setChecked(reversed);
}

void SearchCriteriaPanel::setSearchText(const QString& text) {
    m_searchBox->setEditText(text);
}

QStringList SearchCriteriaPanel::history() const {
    QStringList rows;
    for (int row = 0; row < m_searchBox->count(); ++row)
        rows << m_searchBox->itemText(row);
    return rows;
}

void SearchCriteriaPanel::setHistory(const QStringList& history) {
    m_searchBox->clear();
    m_searchBox->addItems(history);
    if (m_searchBox->count() > 0)
        m_searchBox->setCurrentIndex(0);
}

void SearchCriteriaPanel::setDiskTitles(const QStringList& titles) {
    m_diskBox->clear();
    m_diskBox->addItems(titles);
    if (m_diskBox->count() > 0)
        m_diskBox->setCurrentIndex(0);
}

void SearchCriteriaPanel::reset() {
    m_letterBox->setCurrentIndex(0);
    m_groupBox->setCurrentIndex(0);
    m_operatorBox->setCurrentIndex(0);
    m_searchBox->setEditText(QString());
    m_nameMode->setChecked(true);
    chooseMode();
    m_diskBox->setEditText(QStringLiteral("All"));
}

void SearchCriteriaPanel::showSyntax() {
    m_syntaxPanel->show();
    m_syntaxPanel->raise();
}

void SearchCriteriaPanel::focusSearchBox() {
    m_searchBox->setFocus();
}

void SearchCriteriaPanel::chooseGroup() {
    if (m_groupBox->currentText() == QLatin1String("ALL")) {
        m_diskBox->setEnabled(false);
        paintBackground(m_diskBox, QPalette::Window);
        if (m_diskBox->count() > 0)
            m_diskBox->setCurrentIndex(0);
        return;
    }
    m_diskBox->setEnabled(true);
    paintBackground(m_diskBox, QPalette::Base);
    m_diskBox->clear();
    Q_EMIT groupChosen(m_groupBox->currentText());
}

void SearchCriteriaPanel::chooseOperator() {
    m_operatorHelp->setText(operatorHelpText(m_operatorBox->currentText()));
}

void SearchCriteriaPanel::chooseMode() {
    const bool byName = m_nameMode->isChecked();
    m_operatorBox->setEnabled(byName);
    paintBackground(m_operatorBox, byName ? QPalette::Base : QPalette::Button);
}

bool SearchCriteriaPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove && watched == m_criteria) {
        window()->unsetCursor();
    } else if (event->type() == QEvent::KeyPress &&
               (watched == m_searchBox || watched == m_searchBox->lineEdit())) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Q_EMIT searchRequested();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
