#include "gui/dialogs/Form2.h"

#include "gui/platform/Images.h"
#include "gui/dialogs/DialogPlacement.h"
#include "gui/platform/Shell.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QUrl>
#include <QVBoxLayout>

namespace {

QLabel* label(QWidget* parent, const char* name, const QString& caption) {
    auto* text = new QLabel(caption, parent);
    text->setObjectName(QLatin1String(name));
    return text;
}

} // namespace

Form2::Form2(QWidget* owner, Shell& shell) : QDialog(owner), m_shell(shell) {
    setObjectName(QStringLiteral("Form2"));
    setModal(true);
    // Moves over the background and the link arrive without a button held down.
    setMouseTracking(true);
    auto* layout = new QHBoxLayout(this);

    Picture1 = new QFrame(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setFrameShape(QFrame::StyledPanel);
    Picture1->setBackgroundRole(QPalette::Base);
    Picture1->setAutoFillBackground(true);
    auto* pictureBox = new QVBoxLayout(Picture1);
    Image1 = new QLabel(Picture1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(applicationIcon().pixmap(64, 64));
    pictureBox->addWidget(Image1);
    pictureBox->addStretch(1);
    layout->addWidget(Picture1);

    auto* texts = new QVBoxLayout;
    Label1 = label(this, "Label1", QStringLiteral("The Atari ST Kestrel"));
    QFont titleFont = Label1->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    Label1->setFont(titleFont);
    Label2 = label(this, "Label2", QStringLiteral("v2.0"));
    Shape1 = new QFrame(this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setFrameShape(QFrame::HLine);
    Shape1->setFrameShadow(QFrame::Sunken);
    Label4 = label(this, "Label4", QStringLiteral("Programming and design: the Kestrel project"));
    Label6 = label(this, "Label6", QStringLiteral("Catalogue listing: compiled by its users"));
    Label3 = label(this, "Label3", QStringLiteral("mailto: ") + mailAddress());
    Label3->setMouseTracking(true);
    Label3->installEventFilter(this);
    setLinkColour(QColor(0, 0, 255));
    texts->addWidget(Label1);
    texts->addWidget(Label2);
    texts->addWidget(Shape1);
    texts->addWidget(Label4);
    texts->addWidget(Label6);
    texts->addSpacing(8);
    texts->addWidget(Label3);
    texts->addStretch(1);
    layout->addLayout(texts, 1);
    adjustSize();
}

void Form2::Form_Load() {
    centreOver(this, parentWidget());
    setWindowTitle(QStringLiteral("About"));
}

void Form2::setLinkColour(const QColor& colour) {
    QPalette palette = Label3->palette();
    palette.setColor(QPalette::WindowText, colour);
    Label3->setPalette(palette);
}

void Form2::Label3_MouseMove() {
    setLinkColour(QColor(255, 0, 0));
    // The fingertip of the picture is the pointer's hot spot.
    setCursor(QCursor(handPointerPicture().pixmap(32, 32), 10, 1));
}

void Form2::Form_MouseMove() {
    setLinkColour(QColor(0, 0, 255));
    setCursor(Qt::ArrowCursor);
}

void Form2::Label3_Click() {
    m_shell.openUrl(QUrl(QStringLiteral("mailto:") + mailAddress()));
}

bool Form2::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Label3) {
        if (event->type() == QEvent::MouseMove) {
            Label3_MouseMove();
            // Handled here, so the move does not reach the window's background as well.
            return true;
        }
        if (event->type() == QEvent::MouseButtonRelease) {
            const auto* release = static_cast<QMouseEvent*>(event);
            if (release->button() == Qt::LeftButton &&
                Label3->rect().contains(release->position().toPoint()))
                Label3_Click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void Form2::mouseMoveEvent(QMouseEvent* event) {
    Form_MouseMove();
    QDialog::mouseMoveEvent(event);
}
