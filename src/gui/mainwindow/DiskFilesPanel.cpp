#include "gui/mainwindow/DiskFilesPanel.h"

#include "core/disks/DiskFindings.h"

#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <map>

DiskFilesPanel::DiskFilesPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("DiskFilesPanel"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("DiskFilesSummary"));
    m_summary->setWordWrap(true);
    m_summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_files = new QTreeWidget(this);
    m_files->setObjectName(QStringLiteral("DiskFilesTree"));
    m_files->setHeaderLabels(
        {QStringLiteral("File"), QStringLiteral("Size"), QStringLiteral("Date")});
    m_files->setRootIsDecorated(true);
    m_files->setUniformRowHeights(true);
    m_files->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_files->header()->setStretchLastSection(false);
    // Room for a name, a size and a date side by side.
    setMinimumWidth(
        fontMetrics().horizontalAdvance(QStringLiteral("GAMES.PRG 999,999 2000-00-00 00:00")) + 48);
    layout->addWidget(m_summary);
    layout->addWidget(m_files, 1);
    showDisk(std::nullopt, false);
}

void DiskFilesPanel::showDisk(const std::optional<VerifiedDisk>& disk, bool entrySelected) {
    m_files->clear();
    if (!disk) {
        m_summary->setText(entrySelected
                               ? QStringLiteral("This disk has not been verified: Edit > Verify "
                                                "Disk Images reads every image.")
                               : QStringLiteral("The files of the selected game's disk show "
                                                "here once its image is verified."));
        return;
    }
    m_summary->setText(disk->summary());
    // Folders come before what they hold, so each item's parent is already made.
    std::map<QString, QTreeWidgetItem*> folders;
    const QLocale locale;
    for (const DiskDirectoryEntry& file : disk->files) {
        const qsizetype slash = file.path.lastIndexOf(u'\\');
        const QString name = file.path.sliced(slash + 1);
        const auto parent = folders.find(slash < 0 ? QString() : file.path.first(slash));
        auto* item = parent == folders.end() ? new QTreeWidgetItem(m_files)
                                             : new QTreeWidgetItem(parent->second);
        item->setText(0, name);
        item->setText(1, file.folder ? QString() : locale.toString(file.size));
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        item->setText(2, file.modified.toString(QStringLiteral("yyyy-MM-dd HH:mm")));
        if (file.folder)
            folders[file.path] = item;
    }
    m_files->expandAll();
    m_files->resizeColumnToContents(1);
    m_files->resizeColumnToContents(2);
}
