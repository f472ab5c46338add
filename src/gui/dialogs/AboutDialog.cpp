#include "gui/dialogs/AboutDialog.h"

#include "gui/dialogs/DialogPlacement.h"
#include "gui/platform/Images.h"
#include "gui/platform/Shell.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QUrl>
#include <QVBoxLayout>

namespace {

// The objectNames scripts and tests find the window and its controls by.
namespace names {
constexpr char window[] = "Form2";
constexpr char picturePanel[] = "Picture1";
constexpr char picture[] = "Image1";
constexpr char title[] = "Label1";
constexpr char version[] = "Label2";
constexpr char rule[] = "Shape1";
constexpr char programmingCredit[] = "Label4";
constexpr char listingCredit[] = "Label6";
constexpr char mailLink[] = "Label3";
constexpr char catalogue[] = "catalogueInfo";
} // namespace names

const QString kMailAddress = QStringLiteral("kestrel@kestrel.invalid");

QLabel* label(QWidget* parent, const char* name, const QString& caption) {
    auto* text = new QLabel(caption, parent);
    text->setObjectName(QLatin1String(name));
    return text;
}

} // namespace

AboutDialog::AboutDialog(QWidget* owner, Shell& shell, const QString& catalogueText,
                         const QString& cataloguePath)
    : QDialog(owner), m_shell(shell) {
    setObjectName(QLatin1String(names::window));
    setModal(true);
    setWindowTitle(QStringLiteral("About"));
    // Moves over the background and the link arrive without a button held down.
    setMouseTracking(true);
    auto* layout = new QHBoxLayout(this);

    auto* picturePanel = new QFrame(this);
    picturePanel->setObjectName(QLatin1String(names::picturePanel));
    picturePanel->setFrameShape(QFrame::StyledPanel);
    picturePanel->setBackgroundRole(QPalette::Base);
    picturePanel->setAutoFillBackground(true);
    auto* pictureBox = new QVBoxLayout(picturePanel);
    auto* picture = label(picturePanel, names::picture, QString());
    picture->setPixmap(applicationIcon().pixmap(64, 64));
    pictureBox->addWidget(picture);
    pictureBox->addStretch(1);
    layout->addWidget(picturePanel);

    auto* texts = new QVBoxLayout;
    auto* title = label(this, names::title, QStringLiteral("The Atari ST Kestrel"));
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    title->setFont(titleFont);
    texts->addWidget(title);
    texts->addWidget(label(this, names::version, QStringLiteral("v2.0")));
    auto* rule = new QFrame(this);
    rule->setObjectName(QLatin1String(names::rule));
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    texts->addWidget(rule);
    texts->addWidget(label(this, names::programmingCredit,
                           QStringLiteral("Programming and design: the Kestrel project")));
    texts->addWidget(label(this, names::listingCredit,
                           QStringLiteral("Catalogue listing: compiled by its users")));
    if (!catalogueText.isEmpty()) {
        QLabel* catalogue = label(this, names::catalogue, catalogueText);
        catalogue->setToolTip(cataloguePath);
        catalogue->setTextInteractionFlags(Qt::TextSelectableByMouse);
        texts->addWidget(catalogue);
    }
    m_mailLink = label(this, names::mailLink, QStringLiteral("mailto: ") + kMailAddress);
    m_mailLink->setMouseTracking(true);
    m_mailLink->installEventFilter(this);
    restoreLink();
    texts->addSpacing(8);
    texts->addWidget(m_mailLink);
    texts->addStretch(1);
    layout->addLayout(texts, 1);
    adjustSize();
    centreOver(this, owner);
}

void AboutDialog::setLinkColour(const QColor& colour) {
    QPalette palette = m_mailLink->palette();
    palette.setColor(QPalette::WindowText, colour);
    m_mailLink->setPalette(palette);
}

void AboutDialog::highlightLink() {
    // Red under the pointer; on a dark window a lighter red, which reads there.
    const bool darkWindow = palette().color(QPalette::Window).lightness() < 128;
    const QColor red(255, 0, 0);
    setLinkColour(darkWindow ? red.lighter(160) : red);
    // The fingertip of the picture is the pointer's hot spot.
    setCursor(QCursor(handPointerPicture().pixmap(32, 32), 10, 1));
}

void AboutDialog::restoreLink() {
    // The desktop's own link colour (blue in a light theme), readable on its windows.
    setLinkColour(palette().color(QPalette::Link));
    setCursor(Qt::ArrowCursor);
}

void AboutDialog::openMailLink() {
    m_shell.openUrl(QUrl(QStringLiteral("mailto:") + kMailAddress));
}

bool AboutDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_mailLink) {
        if (event->type() == QEvent::MouseMove) {
            highlightLink();
            // Handled here, so the move does not reach the window's background as well.
            return true;
        }
        if (event->type() == QEvent::MouseButtonRelease) {
            const auto* release = static_cast<QMouseEvent*>(event);
            if (release->button() == Qt::LeftButton &&
                m_mailLink->rect().contains(release->position().toPoint()))
                openMailLink();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void AboutDialog::mouseMoveEvent(QMouseEvent* event) {
    restoreLink();
    QDialog::mouseMoveEvent(event);
}
