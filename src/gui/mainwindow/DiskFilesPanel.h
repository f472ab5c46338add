#pragma once

#include <QWidget>

#include <optional>

struct VerifiedDisk;
class QLabel;
class QTreeWidget;

// Beside the result list: what the last verification found on the selected entry's disk, its
// state in one line and its files and folders as a tree. The user may hide it.
class DiskFilesPanel : public QWidget {
    Q_OBJECT
public:
    explicit DiskFilesPanel(QWidget* parent = nullptr);

    // Shows the disk; none for an entry whose disk was never verified, "" text for no entry.
    void showDisk(const std::optional<VerifiedDisk>& disk, bool entrySelected);

private:
    QLabel* m_summary = nullptr;
    QTreeWidget* m_files = nullptr;
};
