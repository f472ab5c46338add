#include "gui/mainwindow/StatusLine.h"

#include "gui/mainwindow/MainWindowNames.h"
#include "gui/mainwindow/Widgets.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QProgressBar>
#include <QStatusBar>

namespace {

// While an audit walks the window is repainted this often, so that the bar moves.
constexpr int kPaintEveryMs = 50;

} // namespace

StatusLine::StatusLine(QMainWindow* window) : QObject(window) {
    m_textsRow = new QWidget(window);
    auto* row = new QHBoxLayout(m_textsRow);
    row->setContentsMargins(0, 0, 0, 0);
    m_status = named<QLabel>(names::statusText);
    m_time = named<QLabel>(names::timeText);
    m_time->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    row->addWidget(m_status, 1);
    row->addWidget(m_time);

    m_bar = window->statusBar();
    m_bar->setObjectName(QLatin1String(names::statusBar));
    m_bar->setSizeGripEnabled(true);
    m_bar->setMouseTracking(true);
    m_bar->installEventFilter(this);
    const int stretches[3] = {2, 1, 3};
    for (int i = 0; i < 3; ++i) {
        QLabel* panel = named<QLabel>(names::statusPanels[i], m_bar);
        panel->setFrameShape(QFrame::StyledPanel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setMinimumWidth(120);
        panel->setMouseTracking(true);
        panel->installEventFilter(this);
        m_bar->addWidget(panel, stretches[i]);
        m_panels[i] = panel;
    }
    m_progress = named<QProgressBar>(names::progressBar, m_bar);
    m_progress->setTextVisible(false);
    m_progress->hide();
}

void StatusLine::setStatus(const QString& text) {
    m_status->setText(text);
}

void StatusLine::setTime(const QString& text) {
    m_time->setText(text);
}

void StatusLine::setPanel(int panel, const QString& text) {
    m_panels[panel - 1]->setText(text);
}

QString StatusLine::panelText(int panel) const {
    return m_panels[panel - 1]->text();
}

void StatusLine::setPanelsTip(const QString& tip) {
    m_bar->setToolTip(tip);
}

void StatusLine::trackAudit(const std::function<void(const AuditObserver&)>& audit) {
    setPanel(3, QString());
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // Over the third panel, inset a little, as the panel's own content.
    const QRect panel = m_panels[2]->geometry();
    const int inset = twipsToPixels(m_bar, 25);
    m_progress->setGeometry(panel.adjusted(inset, qMax(1, inset / 2), -inset, -qMax(1, inset / 2)));
    m_progress->raise();
    m_progress->setRange(0, kAuditBarMaximum);
    m_progress->setValue(0);
    m_progress->show();

    QElapsedTimer sincePaint;
    sincePaint.start();
    const AuditObserver show = [&](const AuditProgress& progress) {
        setPanel(2, QStringLiteral("Disks left to scan... ") + QString::number(progress.disksLeft));
        setPanel(1, QStringLiteral("Percentage complete...") +
                        QString::number(progress.percentage) + u'%');
        m_progress->setValue(int(progress.barValue));
        if (sincePaint.elapsed() >= kPaintEveryMs) {
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            sincePaint.restart();
        }
    };
    const auto done = [this] {
        m_progress->hide();
        QApplication::restoreOverrideCursor();
    };
    try {
        audit(show);
    } catch (...) {
        done();
        throw;
    }
    done();
}

bool StatusLine::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove)
        Q_EMIT hovered();
    return QObject::eventFilter(watched, event);
}
