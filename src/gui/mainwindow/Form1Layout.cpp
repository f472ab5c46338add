// Building the main window's controls. Placement is ours; names and captions are the ones
// the rest of the program and the user know.
#include "gui/mainwindow/Form1.h"

#include "gui/platform/Images.h"
#include "gui/mainwindow/ResultListModel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTextEdit>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

template <typename W, typename... Args> W* named(const char* name, Args&&... args) {
    W* widget = new W(std::forward<Args>(args)...);
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QLabel* legendMark(const char* name, int picture) {
    QLabel* label = named<QLabel>(name);
    label->setPixmap(imageListPicture(picture).pixmap(16, 16));
    label->setFrameShape(QFrame::NoFrame);
    return label;
}

QFont scaledFont(const QFont& base, qreal factor, bool bold) {
    QFont font = base;
    font.setPointSizeF(base.pointSizeF() * factor);
    font.setBold(bold);
    return font;
}

} // namespace

void Form1::buildControls() {
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("centralWidget"));
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(6, 6, 6, 2);

    // The syntax panel shares the criteria frame's place and covers it when shown.
    auto* criteria = new QWidget(central);
    auto* criteriaStack = new QGridLayout(criteria);
    criteriaStack->setContentsMargins(0, 0, 0, 0);
    buildCriteria(criteria);
    criteriaStack->addWidget(Frame2, 0, 0);
    criteriaStack->addWidget(Frame4, 0, 0);
    layout->addWidget(criteria);

    auto* listArea = new QWidget(central);
    buildListArea(listArea);
    layout->addWidget(listArea, 1);

    auto* statusLine = new QHBoxLayout;
    Label3 = named<QLabel>("Label3");
    Label14 = named<QLabel>("Label14");
    Label14->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    statusLine->addWidget(Label3, 1);
    statusLine->addWidget(Label14);
    layout->addLayout(statusLine);

    // Hidden holders: the list mode and the text buffer of the clipboard export.
    Text1 = named<QLineEdit>("Text1", QStringLiteral("Text1"), central);
    Text1->hide();
    RTB1 = named<QTextEdit>("RTB1", central);
    RTB1->setAcceptRichText(false);
    RTB1->hide();

    setCentralWidget(central);
    buildStatusBar();
}

void Form1::buildCriteria(QWidget* parent) {
    Frame2 = named<QGroupBox>("Frame2", QStringLiteral("Search Criteria"), parent);
    Frame2->setMouseTracking(true);
    Frame2->installEventFilter(this);
    auto* grid = new QGridLayout(Frame2);
    grid->setHorizontalSpacing(8);

    Option2 = named<QRadioButton>("Option2", QStringLiteral("Name:"));
    Option2->setChecked(true);
    Option1 = named<QRadioButton>("Option1", QStringLiteral("Alpha-numerical:"));
    Combo8 = named<QComboBox>("Combo8");
    Combo8->setEditable(true);
    Combo8->setInsertPolicy(QComboBox::NoInsert);
    Combo8->setMinimumContentsLength(28);
    Combo8->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    Combo8->installEventFilter(this);
    Combo8->lineEdit()->installEventFilter(this);
    Combo8->setToolTip(QStringLiteral("Search text; Help > Syntax Overview explains the marks"));
    Label1 = named<QLabel>("Label1", QStringLiteral("Operator:"));
    Combo9 = named<QComboBox>("Combo9");
    Label1->setBuddy(Combo9);
    Combo3 = named<QComboBox>("Combo3");
    Label4 = named<QLabel>("Label4", QStringLiteral("Groups:"));
    Combo6 = named<QComboBox>("Combo6");
    Combo6->setMaxVisibleItems(25);
    Label4->setBuddy(Combo6);
    auto* diskLabel = named<QLabel>("LabelDisk", QStringLiteral("Disk:"));
    Combo1 = named<QComboBox>("Combo1");
    Combo1->setMinimumContentsLength(22);
    Combo1->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    diskLabel->setBuddy(Combo1);

    grid->addWidget(Option2, 0, 0);
    grid->addWidget(Combo8, 0, 1, 1, 3);
    grid->addWidget(Label1, 0, 4, Qt::AlignRight);
    grid->addWidget(Combo9, 0, 5);
    grid->addWidget(Option1, 1, 0);
    grid->addWidget(Combo3, 1, 1);
    grid->addWidget(Label4, 1, 2, Qt::AlignRight);
    grid->addWidget(Combo6, 1, 3);
    grid->addWidget(diskLabel, 1, 4, Qt::AlignRight);
    grid->addWidget(Combo1, 1, 5);

    auto* filters = new QHBoxLayout;
    Check2 = named<QCheckBox>("Check2", QStringLiteral("Exclude Available"));
    Check3 = named<QCheckBox>("Check3", QStringLiteral("Exclude Unavailable"));
    Check4 = named<QCheckBox>("Check4", QStringLiteral("Exclude Undumped"));
    Picture2 = legendMark("Picture2", 3);
    Picture3 = legendMark("Picture3", 4);
    Picture4 = legendMark("Picture4", 5);
    for (auto [check, mark] :
         {std::pair{Check2, Picture2}, std::pair{Check3, Picture3}, std::pair{Check4, Picture4}}) {
        filters->addWidget(check);
        filters->addWidget(mark);
        filters->addSpacing(14);
    }
    filters->addStretch(1);
    Check1 = named<QCheckBox>("Check1", QStringLiteral("Reverse Column Order"));
    filters->addWidget(Check1);
    grid->addLayout(filters, 2, 0, 1, 6);

    auto* buttons = new QVBoxLayout;
    OKButton = named<QPushButton>("OKButton", QStringLiteral("Search"));
    OKButton->setDefault(true);
    Command1 = named<QPushButton>("Command1", QStringLiteral("Reset"));
    Command2 = named<QPushButton>("Command2", QStringLiteral("Exit"));
    buttons->addWidget(OKButton);
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    grid->addLayout(buttons, 0, 6, 3, 1);

    Picture5 = named<QLabel>("Picture5");
    Picture5->setPixmap(applicationIcon().pixmap(64, 64));
    grid->addWidget(Picture5, 0, 7, 3, 1, Qt::AlignCenter);
    grid->setColumnStretch(3, 1);
    grid->setColumnStretch(5, 1);

    // The syntax panel.
    Frame4 = named<QFrame>("Frame4", parent);
    Frame4->setFrameShape(QFrame::StyledPanel);
    Frame4->setAutoFillBackground(true);
    auto* syntax = new QHBoxLayout(Frame4);
    auto* title = named<QLabel>("LabelSyntaxTitle", QStringLiteral("Syntax Overview"));
    title->setFont(scaledFont(title->font(), 1.2, true));
    Label12 = named<QLabel>("Label12");
    Label12->setFont(QFont(QStringLiteral("Tahoma")));
    Label12->setWordWrap(true);
    // The help text lays itself out in rows through runs of spaces; it needs a width that
    // holds its widest row and no more.
    const QFontMetrics metrics(Label12->font());
    Label12->setFixedWidth(
        8 + qMax(metrics.horizontalAdvance(QStringLiteral(
                     "  term = match all occurence term     #term = match incomplete term")),
                 metrics.horizontalAdvance(QStringLiteral(
                     "+#term = exclude incomplete term      +*term = exclude complete term"))));
    Label12->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Label12->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    Command3 = named<QPushButton>("Command3", QStringLiteral("Close"));
    syntax->addWidget(title, 0, Qt::AlignTop);
    syntax->addStretch(1);
    syntax->addWidget(Label12);
    syntax->addStretch(1);
    syntax->addWidget(Command3, 0, Qt::AlignBottom);
    Frame4->hide();
}

void Form1::buildListArea(QWidget* parent) {
    auto* stack = new QGridLayout(parent);
    stack->setContentsMargins(0, 0, 0, 0);

    ListView1 = named<QTreeView>("ListView1", parent);
    m_list = new ResultListModel(this);
    ListView1->setModel(m_list);
    ListView1->setRootIsDecorated(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setAllColumnsShowFocus(true);
    ListView1->setAlternatingRowColors(true);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setIconSize(QSize(16, 16));
    ListView1->header()->setSectionsClickable(true);
    ListView1->header()->setSectionsMovable(false);
    ListView1->header()->setSortIndicatorShown(false);
    ListView1->header()->setStretchLastSection(false);
    ListView1->viewport()->installEventFilter(this);
    stack->addWidget(ListView1, 0, 0);

    // Welcome panel over the list until something is listed.
    Frame3 = named<QFrame>("Frame3", parent);
    Frame3->setFrameShape(QFrame::StyledPanel);
    Frame3->setAutoFillBackground(true);
    Frame3->setBackgroundRole(QPalette::Base);
    auto* welcome = new QVBoxLayout(Frame3);
    welcome->addStretch(1);
    Picture1 = named<QLabel>("Picture1");
    Picture1->setPixmap(applicationIcon().pixmap(160, 160));
    Picture1->setAlignment(Qt::AlignCenter);
    welcome->addWidget(Picture1);
    auto* titleRow = new QHBoxLayout;
    titleRow->addStretch(1);
    Label10 = named<QLabel>("Label10", QStringLiteral("The"));
    Label10->setFont(scaledFont(font(), 1.6, false));
    Label7 = named<QLabel>("Label7", QStringLiteral("ST "));
    Label7->setFont(scaledFont(font(), 3.0, true));
    Label8 = named<QLabel>("Label8", QStringLiteral("Kestrel V2.0"));
    Label8->setFont(scaledFont(font(), 3.0, true));
    Label8->setStyleSheet(QStringLiteral("color: #a0461e"));
    titleRow->addWidget(Label10, 0, Qt::AlignBottom);
    titleRow->addWidget(Label7, 0, Qt::AlignBottom);
    titleRow->addWidget(Label8, 0, Qt::AlignBottom);
    titleRow->addStretch(1);
    welcome->addLayout(titleRow);
    Image1 = named<QLabel>("Image1");
    {
        // A small legend of the availability marks under the title.
        QPixmap legend(3 * 22, 16);
        legend.fill(Qt::transparent);
        QPainter painter(&legend);
        for (int i = 0; i < 3; ++i)
            imageListPicture(3 + i).paint(&painter, i * 22 + 3, 0, 16, 16);
        painter.end();
        Image1->setPixmap(legend);
    }
    Image1->setAlignment(Qt::AlignCenter);
    welcome->addWidget(Image1);
    Label2 =
        named<QLabel>("Label2", QStringLiteral("Compilation listing: the Kestrel demo "
                                               "catalogue, or your own in the program folder"));
    Label9 = named<QLabel>("Label9", QStringLiteral("Written by the Kestrel project"));
    for (QLabel* credit : {Label2, Label9}) {
        credit->setAlignment(Qt::AlignCenter);
        credit->setForegroundRole(QPalette::PlaceholderText);
        welcome->addWidget(credit);
    }
    welcome->addStretch(1);
    stack->addWidget(Frame3, 0, 0);

    // "No Matches Found", centred over the list.
    Frame1 = named<QFrame>("Frame1", parent);
    Frame1->setFrameShape(QFrame::StyledPanel);
    Frame1->setAutoFillBackground(true);
    auto* none = new QVBoxLayout(Frame1);
    none->setContentsMargins(24, 14, 24, 14);
    Label5 = named<QLabel>("Label5", QStringLiteral("No Matches Found"));
    Label5->setFont(scaledFont(font(), 1.4, true));
    none->addWidget(Label5);
    Frame1->hide();
    stack->addWidget(Frame1, 0, 0, Qt::AlignCenter);
}

void Form1::buildStatusBar() {
    StatusBar1 = statusBar();
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(true);
    StatusBar1->setMouseTracking(true);
    StatusBar1->installEventFilter(this);
    const int stretches[3] = {2, 1, 3};
    for (int i = 0; i < 3; ++i) {
        QLabel* panel = new QLabel(StatusBar1);
        panel->setObjectName(QStringLiteral("Panel%1").arg(i + 1));
        panel->setFrameShape(QFrame::StyledPanel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setMinimumWidth(120);
        panel->setMouseTracking(true);
        panel->installEventFilter(this);
        StatusBar1->addWidget(panel, stretches[i]);
        StatusPanels[i] = panel;
    }
    ProgressBar1 = named<QProgressBar>("ProgressBar1", StatusBar1);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->hide();
}
