#include "gui/mainwindow/VerifyProgress.h"

#include <QCoreApplication>
#include <QProgressDialog>

VerifyCounts verifyWithProgress(QWidget* parent, Catalogue& catalogue, const QString& root) {
    QProgressDialog dialog(QStringLiteral("Verifying the disk images..."), QStringLiteral("Cancel"),
                           0, 1, parent);
    dialog.setObjectName(QStringLiteral("VerifyProgress"));
    dialog.setWindowTitle(QStringLiteral("Verify Disk Images"));
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setMinimumDuration(500);
    return verifyDisks(catalogue, root, {}, [&](const DiskCheck&, qlonglong done, qlonglong total) {
        dialog.setMaximum(int(total));
        dialog.setValue(int(done));
        dialog.setLabelText(
            QStringLiteral("Verifying the disk images... %1 of %2").arg(done).arg(total));
        QCoreApplication::processEvents();
        return !dialog.wasCanceled();
    });
}
