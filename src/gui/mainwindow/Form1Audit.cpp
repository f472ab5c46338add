// The main window's audits: the whole catalogue, one group, one game; with the busy
// pointer, the progress bar over the status bar's third panel and the time taken.
#include "gui/mainwindow/Form1.h"

#include "gui/mainwindow/ResultListModel.h"
#include "core/catalogue/Catalogue.h"
#include "core/Failures.h"
#include "core/images/ImagePath.h"
#include "core/browser/Clock.h"
#include "gui/platform/Prompts.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QStatusBar>

namespace {

// The window is repainted this often while an audit walks, so the bar moves.
constexpr int kPaintEveryMs = 50;

} // namespace

void Form1::fitprogress() {
    // Over the third panel, inset a little, as the panel's own content.
    const QRect panel = StatusPanels[2]->geometry();
    const int inset = twipsToPixels(25);
    ProgressBar1->setGeometry(
        panel.adjusted(inset, qMax(1, inset / 2), -inset, -qMax(1, inset / 2)));
    ProgressBar1->raise();
}

void Form1::startprogress() {
    ProgressBar1->setRange(0, kAuditBarMaximum);
    ProgressBar1->setValue(0);
    ProgressBar1->show();
}

void Form1::stopprogress() {
    ProgressBar1->hide();
}

bool Form1::rootFolderUsable(const QString& root) {
    if (!root.isEmpty() && QFileInfo(root).isDir())
        return true;
    // An unmounted drive would mark every disk unavailable; ask before doing that.
    const QString where = root.isEmpty()
                              ? QStringLiteral("The root game folder is not set.")
                              : QStringLiteral("The root game folder\n%1\ndoes not exist "
                                               "(is its drive mounted?).")
                                    .arg(root);
    return m_services.prompts.message(this,
                                      where + QStringLiteral("\n\nAn audit now would mark every "
                                                             "disk it looks at as unavailable. "
                                                             "Audit anyway?"),
                                      QStringLiteral("Atari ST Kestrel"), Prompts::Buttons::YesNo,
                                      Prompts::Icon::Question) == Prompts::Answer::Yes;
}

void Form1::runAudit(const std::function<qlonglong(const AuditObserver&)>& audit) {
    starttime = m_services.clock.tickCount();
    StatusPanels[2]->clear();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    fitprogress();
    startprogress();

    QElapsedTimer sincePaint;
    sincePaint.start();
    const AuditObserver show = [&](const AuditProgress& progress) {
        StatusPanels[1]->setText(QStringLiteral("Disks left to scan... ") +
                                 QString::number(progress.disksLeft));
        StatusPanels[0]->setText(QStringLiteral("Percentage complete...") +
                                 QString::number(progress.percentage) + u'%');
        ProgressBar1->setValue(int(progress.barValue));
        // Paint only: the user cannot act until the audit ends.
        if (sincePaint.elapsed() >= kPaintEveryMs) {
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            sincePaint.restart();
        }
    };
    QString failure;
    try {
        audit(show);
    } catch (const Refusal& refusal) {
        failure = refusal.text;
    } catch (const CatalogueError& error) {
        failure = error.message();
    }
    stopprogress();
    QApplication::restoreOverrideCursor();
    if (!failure.isEmpty()) {
        m_services.prompts.refuse(this, failure);
        return;
    }
    endtime = m_services.clock.tickCount();
    searchtime = ticksBetween(starttime, endtime);
    StatusPanels[0]->setText(QStringLiteral("Finished"));
    StatusPanels[2]->setText(auditedInText(searchtime));
    refreshAfterAudit();
}

void Form1::refreshAfterAudit() {
    if (listMode().isEmpty())
        OKButton_Click();
    else
        getfavourites();
    m_selected = 0;
    Combo8->setFocus();
}

void Form1::auditgames() {
    const QString root = rootGameFolder();
    if (!rootFolderUsable(root))
        return;
    runAudit(
        [&](const AuditObserver& show) { return auditAllDisks(m_services.catalogue, root, show); });
}

void Form1::mnuauditgroup_Click() {
    const QString group = Combo6->currentText();
    if (group == QLatin1String("ALL")) {
        m_services.prompts.refuse(this, QStringLiteral("No Group has been selected to audit!"));
        return;
    }
    const QString root = rootGameFolder();
    if (!rootFolderUsable(root))
        return;
    runAudit([&](const AuditObserver& show) {
        return auditGroup(m_services.catalogue, group, root, show);
    });
}

void Form1::mnuauditgame_Click() {
    const int row = selectedRow();
    if (row < 0)
        return;
    const ListedRow& listed = m_list->row(row);
    if (listed.icon == UndumpedIcon) {
        m_services.prompts.refuse(this,
                                  QStringLiteral("This game is currently marked as undefined "
                                                 "and/or requires dumping"),
                                  QStringLiteral("Audit Info"));
        return;
    }
    try {
        loadSelectedRecord(listed.sub2);
        auditEntry(m_services.catalogue, DiskFiles::fromCurrentRow(m_services.catalogue.results()),
                   listed.sub2, rootGameFolder());
    } catch (const CatalogueError& error) {
        m_services.prompts.refuse(this, error.message());
        return;
    }
    refreshAfterAudit();
}
