#include "gui/mainwindow/Form1.h"

#include "core/search/GroupLists.h"
#include "gui/platform/Images.h"
#include "gui/mainwindow/ResultListModel.h"
#include "core/settings/SettingsStore.h"
#include "core/catalogue/Catalogue.h"
#include "core/images/EmulatorLaunch.h"
#include "core/search/OperatorHelp.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTreeView>

namespace {

const QString kCaption = QStringLiteral("The Atari ST Kestrel v2.0 - The Tarnwell Edition [BETA]");
const QString kReady = QStringLiteral(" Status: Ready To Search");

// Settings hold check box states as numbers; anything but 1 leaves the box clear.
Qt::CheckState checkStateOf(const QString& value) {
    bool ok = false;
    const short number = value.trimmed().toShort(&ok);
    return ok && number == 1 ? Qt::Checked : Qt::Unchecked;
}

QString checkValue(const QCheckBox* box) {
    return box->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

Form1::Form1(const ProgramFolder& folder, Services services, QWidget* parent)
    : QMainWindow(parent), m_folder(folder), m_services(services) {
    setObjectName(QStringLiteral("Form1"));
    setWindowIcon(applicationIcon());
    resize(960, 680);
    buildToolbar();
    buildMenus();
    buildControls();
    buildPopupMenu();

    connect(OKButton, &QPushButton::clicked, this, &Form1::OKButton_Click);
    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(Check1, &QCheckBox::toggled, this, &Form1::Check1_Click);
    connect(Combo6, &QComboBox::currentIndexChanged, this, &Form1::Combo6_Click);
    connect(Combo9, &QComboBox::currentIndexChanged, this, &Form1::Combo9_Click);
    connect(Option1, &QRadioButton::clicked, this, &Form1::Option1_Click);
    connect(Option2, &QRadioButton::clicked, this, &Form1::Option2_Click);
    connect(ListView1, &QTreeView::clicked, this, &Form1::ListView1_Click);
    connect(ListView1->header(), &QHeaderView::sectionClicked, this,
            [this](int section) { ListView1_ColumnClick(section + 1); });
}

Form1::~Form1() = default;

QString Form1::listMode() const {
    return Text1->text();
}

int Form1::twipsToPixels(int twips) const {
    return qRound(twips * logicalDpiX() / 1440.0);
}

void Form1::centreOnScreen() {
    const QScreen* screen = this->screen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    move(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 2);
}

void Form1::Form_Load() {
    setWindowTitle(kCaption);
    centreOnScreen();
    m_settingsPath = m_folder.settings().file();
    m_services.catalogue.open(m_folder.file(Catalogue::fileName()));

    const ColumnCaptions captions = Settings(m_settingsPath).columnCaptions();
    setColumnHeaders({captions.first, captions.second, QStringLiteral("nummer")});
    m_list->setSortMark(0, false);

    Check1->setCheckState(checkStateOf(
        readini(QStringLiteral("order"), QStringLiteral("value"), QString(), m_settingsPath)));

    m_sort.column = 0;
    m_sort.direction = ListSort::Descending;
    ListView1_ColumnClick(1);

    Label3->setText(kReady);

    Combo3->addItems({QStringLiteral("-"), QStringLiteral("0-9")});
    for (char letter = 'a'; letter <= 'z'; ++letter)
        Combo3->addItem(QString(QLatin1Char(letter)));
    Combo3->setCurrentIndex(0);

    // Selecting the first row of the group and operator boxes runs their handlers once.
    {
        const QSignalBlocker quiet(Combo6);
        Combo6->addItem(QStringLiteral("ALL"));
        Combo6->addItems(groupBoxNames());
        Combo6->setCurrentIndex(0);
    }
    Combo6_Click();
    {
        const QSignalBlocker quiet(Combo9);
        Combo9->addItems({QStringLiteral("contains"), QStringLiteral("starts with"),
                          QStringLiteral("ends with"), QStringLiteral("precise")});
        Combo9->setCurrentIndex(0);
    }
    Combo9_Click();

    for (int key = 2; key <= 10; ++key)
        Combo8->addItem(
            readini(QStringLiteral("searchbox"), QString::number(key), QString(), m_settingsPath));
    Combo8->setEditText(QString());

    Combo1->clear();
    Combo1->addItem(QStringLiteral("All"));
    Combo1->setCurrentIndex(0);

    const QString order = QStringLiteral("order");
    Check2->setCheckState(
        checkStateOf(readini(order, QStringLiteral("c1"), QString(), m_settingsPath)));
    Check3->setCheckState(
        checkStateOf(readini(order, QStringLiteral("c2"), QString(), m_settingsPath)));
    Check4->setCheckState(
        checkStateOf(readini(order, QStringLiteral("c3"), QString(), m_settingsPath)));

    const char* emulator = emulatorRow(Settings(m_settingsPath).emulator()).menuItem;
    findChild<QAction*>(QLatin1String(emulator))->setChecked(true);
}

void Form1::setColumnHeaders(const QStringList& captions) {
    m_list->setCaptions(captions);
    ListView1->setColumnWidth(0, twipsToPixels(2700));
    ListView1->setColumnWidth(1, twipsToPixels(5000));
    ListView1->setColumnHidden(2, true);
}

void Form1::applySort() {
    if (m_sort.sorted)
        m_list->sortRows(m_sort.column, m_sort.direction == ListSort::Descending);
}

void Form1::ListView1_ColumnClick(int position) {
    m_sort.columnClick(position);
    const ColumnCaptions captions = Settings(m_settingsPath).columnCaptions();
    QStringList headers = m_list->captions();
    headers[0] = captions.first;
    headers[1] = captions.second;
    m_list->setCaptions(headers);
    m_list->setSortMark(m_sort.column, m_sort.direction == ListSort::Descending);
    applySort();
}

void Form1::Check1_Click() {
    Settings(m_settingsPath).storeColumnOrder(Check1->isChecked());
    const ColumnCaptions captions = Settings(m_settingsPath).columnCaptions();
    setColumnHeaders({captions.first, captions.second, QStringLiteral("Nummer")});
    m_sort.prepareColumnSwap();
    ListView1_ColumnClick(m_sort.column + 1);
    if (m_list->rowCount() > 0)
        refillList();
}

void Form1::refillList() {
    if (!listMode().isEmpty())
        getfavourites();
    else
        OKButton_Click();
}

void Form1::Command1_Click() {
    Combo3->setCurrentIndex(0);
    Combo6->setCurrentIndex(0);
    Combo9->setCurrentIndex(0);
    Combo8->setEditText(QString());
    Option2->setChecked(true);
    Option2_Click();
    Label3->setText(kReady);
    Frame1->hide();
    Frame3->show();
    Combo1->setEditText(QStringLiteral("All"));
    Label14->clear();
    m_list->clear();
    m_selected = 0;
    Text1->setText(QStringLiteral("Favourites"));
}

void Form1::Command2_Click() {
    close();
}

void Form1::Command3_Click() {
    Frame4->hide();
}

void Form1::mnusyntax_Click() {
    Frame4->show();
    Frame4->raise();
}

void Form1::Combo9_Click() {
    Label12->setText(operatorHelpText(Combo9->currentText()));
}

void Form1::Option1_Click() {
    Combo9->setEnabled(false);
    paintBackground(Combo9, QPalette::Button);
}

void Form1::Option2_Click() {
    Combo9->setEnabled(true);
    paintBackground(Combo9, QPalette::Base);
}

void Form1::paintBackground(QWidget* widget, QPalette::ColorRole role) {
    QPalette palette = widget->palette();
    const QColor colour = QGuiApplication::palette().color(role);
    palette.setColor(QPalette::Base, colour);
    palette.setColor(QPalette::Button, colour);
    widget->setPalette(palette);
}

void Form1::closeEvent(QCloseEvent* event) {
    const QString order = QStringLiteral("order");
    writeini(order, QStringLiteral("c1"), checkValue(Check2), m_settingsPath);
    writeini(order, QStringLiteral("c2"), checkValue(Check3), m_settingsPath);
    writeini(order, QStringLiteral("c3"), checkValue(Check4), m_settingsPath);
    event->accept();
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::MouseButtonPress && watched == ListView1->viewport()) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton && m_list->rowCount() > 0) {
            // Let the list select the row under the pointer first, then offer the menu.
            ListView1->viewport()->removeEventFilter(this);
            QCoreApplication::sendEvent(ListView1->viewport(), event);
            ListView1->viewport()->installEventFilter(this);
            mnufav->popup(mouse->globalPosition().toPoint());
            return true;
        }
    } else if (type == QEvent::MouseMove) {
        if ((watched == StatusBar1 || watched->parent() == StatusBar1) && m_selected == 1)
            StatusBar1->setToolTip(rootGameFolder() + QDir::separator() + StatusPanels[2]->text());
        else if (watched == Frame2)
            unsetCursor();
    } else if (type == QEvent::KeyPress && (watched == Combo8 || watched == Combo8->lineEdit())) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            OKButton_Click();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
