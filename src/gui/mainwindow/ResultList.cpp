#include "gui/mainwindow/ResultList.h"

#include "gui/mainwindow/MainWindowNames.h"
#include "gui/mainwindow/ResultListModel.h"
#include "gui/mainwindow/Widgets.h"
#include "gui/platform/Images.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTreeView>
#include <QVBoxLayout>

ResultList::ResultList(QWidget* parent) : QWidget(parent) {
    auto* stack = new QGridLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);

    m_view = named<QTreeView>(names::resultList, this);
    m_model = new ResultListModel(this);
    m_view->setModel(m_model);
    m_view->setRootIsDecorated(false);
    m_view->setUniformRowHeights(true);
    m_view->setAllColumnsShowFocus(true);
    m_view->setAlternatingRowColors(true);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setIconSize(QSize(16, 16));
    QHeaderView* header = m_view->header();
    header->setSectionsClickable(true);
    header->setSectionsMovable(false);
    header->setSortIndicatorShown(false);
    // The second column fills what the first leaves; the third is hidden.
    header->setStretchLastSection(true);
    m_view->installEventFilter(this);
    m_view->viewport()->installEventFilter(this);
    stack->addWidget(m_view, 0, 0);
    stack->addWidget(buildWelcomePanel(), 0, 0);
    stack->addWidget(buildNoMatchesPanel(), 0, 0, Qt::AlignCenter);

    // Whatever makes a row current chooses it, as a click on it does; a click on the row that
    // is current already chooses it again.
    QItemSelectionModel* selection = m_view->selectionModel();
    connect(selection, &QItemSelectionModel::currentRowChanged, this,
            &ResultList::chooseCurrentRow);
    connect(m_view, &QTreeView::clicked, this, [this] {
        if (!m_pressChoseRow)
            Q_EMIT rowChosen();
    });
    // The current row stays highlighted: Ctrl+click or Ctrl+Space would otherwise leave it
    // current but shown as not chosen.
    connect(selection, &QItemSelectionModel::selectionChanged, this, [this, selection] {
        const QModelIndex current = m_view->currentIndex();
        if (current.isValid() && !selection->isRowSelected(current.row()))
            selection->select(current,
                              QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    });
    connect(m_view, &QTreeView::doubleClicked, this, &ResultList::rowActivated);
    connect(header, &QHeaderView::sectionClicked, this,
            [this](int section) { Q_EMIT headerClicked(section + 1); });
}

QFrame* ResultList::buildWelcomePanel() {
    m_welcome = named<QFrame>(names::welcomePanel, this);
    m_welcome->setFrameShape(QFrame::StyledPanel);
    m_welcome->setAutoFillBackground(true);
    m_welcome->setBackgroundRole(QPalette::Base);
    auto* column = new QVBoxLayout(m_welcome);
    column->addStretch(1);
    // The picture gives way first when the window is made small.
    column->addWidget(scaledPicture(names::welcomePicture, applicationIcon(), 160));
    auto* titleRow = new QHBoxLayout;
    titleRow->addStretch(1);
    auto* the = named<QLabel>(names::welcomeThe, QStringLiteral("The"));
    the->setFont(scaledFont(font(), 1.6, false));
    auto* st = named<QLabel>(names::welcomeSt, QStringLiteral("ST "));
    st->setFont(scaledFont(font(), 3.0, true));
    auto* kestrel = named<QLabel>(names::welcomeKestrel, QStringLiteral("Kestrel V2.0"));
    kestrel->setFont(scaledFont(font(), 3.0, true));
    // An accent from the desktop's colours, so that it reads in light and dark themes alike.
    kestrel->setForegroundRole(QPalette::Link);
    for (QLabel* word : {the, st, kestrel})
        titleRow->addWidget(word, 0, Qt::AlignBottom);
    titleRow->addStretch(1);
    column->addLayout(titleRow);

    // A small legend of the availability marks under the title.
    auto* legend = named<QLabel>(names::welcomeLegend);
    QPixmap marks(3 * 22, 16);
    marks.fill(Qt::transparent);
    QPainter painter(&marks);
    for (int i = 0; i < 3; ++i)
        imageListPicture(3 + i).paint(&painter, i * 22 + 3, 0, 16, 16);
    painter.end();
    legend->setPixmap(marks);
    legend->setAlignment(Qt::AlignCenter);
    column->addWidget(legend);
    auto* listingCredit =
        named<QLabel>(names::welcomeListingCredit,
                      QStringLiteral("Compilation listing: the Kestrel demo "
                                     "catalogue, or your own in the program folder"));
    auto* authorCredit =
        named<QLabel>(names::welcomeAuthorCredit, QStringLiteral("Written by the Kestrel project"));
    for (QLabel* credit : {listingCredit, authorCredit}) {
        credit->setAlignment(Qt::AlignCenter);
        credit->setWordWrap(true);
        credit->setForegroundRole(QPalette::PlaceholderText);
        column->addWidget(credit);
    }
    column->addStretch(1);
    return m_welcome;
}

QFrame* ResultList::buildNoMatchesPanel() {
    m_noMatches = named<QFrame>(names::noMatchesPanel, this);
    m_noMatches->setFrameShape(QFrame::StyledPanel);
    m_noMatches->setAutoFillBackground(true);
    auto* column = new QVBoxLayout(m_noMatches);
    column->setContentsMargins(24, 14, 24, 14);
    auto* text = named<QLabel>(names::noMatchesText, QStringLiteral("No Matches Found"));
    text->setFont(scaledFont(font(), 1.4, true));
    column->addWidget(text);
    m_noMatches->hide();
    return m_noMatches;
}

void ResultList::setColumns(const ColumnCaptions& captions, const QString& numberCaption) {
    m_model->setCaptions({captions.first, captions.second, numberCaption});
    m_view->setColumnWidth(0, twipsToPixels(this, 2700));
    m_view->setColumnWidth(1, twipsToPixels(this, 5000));
    m_view->setColumnHidden(2, true);
}

QStringList ResultList::captions() const {
    return m_model->captions();
}

QString ResultList::sortCaption() const {
    return m_model->captions().value(m_sort.column);
}

void ResultList::clickColumn(int position, const ColumnCaptions& captions) {
    m_sort.columnClick(position);
    QStringList headers = m_model->captions();
    headers[0] = captions.first;
    headers[1] = captions.second;
    m_model->setCaptions(headers);
    m_model->setSortMark(m_sort.column, m_sort.descending());
    applySort();
}

void ResultList::applySort() {
    if (m_sort.sorted)
        m_model->sortRows(m_sort.column, m_sort.descending());
}

int ResultList::firstColumnWidth() const {
    return m_view->columnWidth(0);
}

void ResultList::setFirstColumnWidth(int pixels) {
    m_view->setColumnWidth(0, qMax(pixels, m_view->header()->minimumSectionSize()));
}

int ResultList::rowCount() const {
    return m_model->rowCount();
}

const ListedRows& ResultList::rows() const {
    return m_model->rows();
}

void ResultList::setRows(ListedRows rows) {
    m_model->setRows(std::move(rows));
    applySort();
}

void ResultList::clear() {
    m_model->clear();
}

int ResultList::selectedIndex() const {
    const QModelIndex current = m_view->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void ResultList::chooseCurrentRow(const QModelIndex& current) {
    if (!current.isValid())
        return;
    // Focus coming in by Tab makes the first row current without selecting it.
    QItemSelectionModel* selection = m_view->selectionModel();
    if (!selection->isRowSelected(current.row()))
        selection->select(current, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_pressChoseRow = true;
    Q_EMIT rowChosen();
}

bool ResultList::handleKey(const QKeyEvent& key) {
    const bool menuKey = key.key() == Qt::Key_Menu ||
                         (key.key() == Qt::Key_F10 && key.modifiers() == Qt::ShiftModifier);
    if (menuKey) {
        requestPopupAtCurrentRow();
        return true;
    }
    if ((key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) &&
        m_view->currentIndex().isValid()) {
        Q_EMIT rowActivated();
        return true;
    }
    return false;
}

void ResultList::requestPopupAtCurrentRow() {
    // A menu key seen twice (as a key and as the platform's menu request) opens one menu.
    if (rowCount() == 0 || QApplication::activePopupWidget())
        return;
    QPoint corner;
    const QModelIndex current = m_view->currentIndex();
    if (current.isValid()) {
        m_view->scrollTo(current);
        // Under the row, so that the menu leaves the row it acts on in sight.
        corner = m_view->visualRect(current).bottomLeft();
    }
    Q_EMIT popupRequested(m_view->viewport()->mapToGlobal(corner));
}

std::optional<ListedRow> ResultList::selectedRow() const {
    const int index = selectedIndex();
    if (index < 0)
        return std::nullopt;
    return m_model->rows().row(index);
}

void ResultList::removeSelectedRow() {
    const int index = selectedIndex();
    if (index < 0)
        return;
    m_model->removeRow(index);
}

void ResultList::showWelcome(bool shown) {
    m_welcome->setVisible(shown);
}

void ResultList::showNoMatches(bool shown) {
    m_noMatches->setVisible(shown);
}

bool ResultList::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_view) {
        if (event->type() == QEvent::KeyPress)
            return handleKey(*static_cast<QKeyEvent*>(event)) ||
                   QWidget::eventFilter(watched, event);
        if (event->type() == QEvent::ContextMenu &&
            static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard) {
            requestPopupAtCurrentRow();
            return true;
        }
    }
    if (event->type() == QEvent::MouseButtonPress && watched == m_view->viewport()) {
        m_pressChoseRow = false;
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton && rowCount() > 0) {
            // Let the list select the row under the pointer first, then offer the menu.
            m_view->viewport()->removeEventFilter(this);
            QCoreApplication::sendEvent(m_view->viewport(), event);
            m_view->viewport()->installEventFilter(this);
            Q_EMIT popupRequested(mouse->globalPosition().toPoint());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
