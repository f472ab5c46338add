#include "core/images/DiskAudit.h"

#include "core/catalogue/Catalogue.h"
#include "core/Failures.h"
#include "core/catalogue/SqlText.h"
#include "core/images/ImageLocator.h"
#include "core/images/ImagePath.h"
#include "core/search/Listing.h"

#include <QDir>
#include <QFileInfo>
#include <QElapsedTimer>

#include <cmath>
#include <optional>
#include <vector>

namespace {

// Codes are written in batches: a transaction ends after this many writes or milliseconds,
// so a crash loses at most one batch and the catalogue stays whole.
constexpr int kBatchWrites = 2000;
constexpr int kBatchMs = 250;

class BatchedWrites {
public:
    explicit BatchedWrites(Catalogue& catalogue)
        : m_catalogue(catalogue),
          m_update(catalogue.prepareUpdate(u"UPDATE Dnames SET got = ? WHERE (F_ID = ?)")) {
        begin();
    }
    // A walk that stops part way keeps the batches committed so far and drops the open one.
    ~BatchedWrites() {
        if (m_open)
            rollback();
    }
    BatchedWrites(const BatchedWrites&) = delete;
    BatchedWrites& operator=(const BatchedWrites&) = delete;

    // Throws CatalogueError at the first code that cannot be written or committed: going on
    // would report disks as audited whose codes never reached the file.
    void writeCode(qlonglong fId, int code) {
        try {
            m_update->run({code, fId});
        } catch (const CatalogueError& error) {
            stop(m_catalogue.writeFailure(error.message()));
        }
        ++m_pending;
        if (m_pending >= kBatchWrites || m_since.elapsed() >= kBatchMs) {
            commit();
            begin();
        }
    }

    // Commits the last batch; throws CatalogueError when that fails.
    void finish() { commit(); }

private:
    void commit() {
        try {
            m_catalogue.execute(u"COMMIT");
        } catch (const CatalogueError& error) {
            stop(error.message());
        }
        m_open = false;
        m_committed += m_pending;
    }

    void begin() {
        m_catalogue.execute(u"BEGIN");
        m_open = true;
        m_since.start();
        m_pending = 0;
    }

    void rollback() {
        // A failed statement may have ended the transaction already; nothing is left to undo
        // then, and the answer does not matter.
        tolerate("Undoing the audit's open batch", [&] { m_catalogue.execute(u"ROLLBACK"); });
        m_open = false;
    }

    [[noreturn]] void stop(const QString& failure) {
        rollback();
        throw CatalogueError(failure + auditStoppedNote(m_committed));
    }

    Catalogue& m_catalogue;
    std::unique_ptr<Catalogue::Update> m_update;
    QElapsedTimer m_since;
    bool m_open = false;
    int m_pending = 0;         // written in the open batch
    qlonglong m_committed = 0; // changed codes already in the file
};

// What an audit reads of a disk's row: its file record and code, its image's place.
class DiskColumns {
public:
    explicit DiskColumns(const RowStream& rows)
        : m_fId(rows.requiredColumn(u"F_ID")), m_got(rows.requiredColumn(u"got")), m_files(rows) {}

    qlonglong fId(const RowStream& rows) const { return rows.integer(m_fId); }
    // The code an audit may replace; none for undumped disks (2) and disks without a code,
    // which are looked at but never written.
    std::optional<qlonglong> code(const RowStream& rows) const {
        if (rows.isNull(m_got))
            return std::nullopt;
        const qlonglong got = rows.integer(m_got);
        return got == 2 ? std::nullopt : std::optional(got);
    }
    void readFiles(const RowStream& rows, DiskFiles& files) const { m_files.read(rows, files); }

private:
    int m_fId;
    int m_got;
    DiskFilesColumns m_files;
};

// Looks for the images of an audit's disks, in order, and writes the codes that change. One
// locator serves the whole audit, so each folder is listed once.
class Walk {
public:
    Walk(Catalogue& catalogue, const QString& root)
        : m_writes(catalogue), m_path(root + QDir::separator()), m_rootSize(m_path.size()) {}

    void visit(qlonglong fId, std::optional<qlonglong> code, const DiskFiles& files) {
        m_path.truncate(m_rootSize);
        appendRelativeImagePath(m_path, files);
        const int found = m_locator.present(m_path) ? 1 : 0;
        // Writing the code a disk already has changes nothing, so it is not written.
        if (code && *code != found)
            m_writes.writeCode(fId, found);
    }
    void finish() { m_writes.finish(); }

private:
    BatchedWrites m_writes;
    ImageLocator m_locator;
    QString m_path; // the root and separator, then the disk's relative path
    qsizetype m_rootSize;
};

// After each disk: the percentage is the bar's before this disk's step, the bar moves on by the
// step (a step past the maximum is refused), and then the observer is told.
void advance(AuditProgress& progress, float step, const AuditObserver& observer) {
    --progress.disksLeft;
    progress.percentage = auditPercentage(progress.barValue);
    if (progress.barValue + step <= kAuditBarMaximum)
        progress.barValue += step;
    if (observer)
        observer(progress);
}

} // namespace

int auditPercentage(float barValue) {
    return int(std::nearbyint(double(barValue) / 100.0));
}

qlonglong auditAllDisks(Catalogue& catalogue, const QString& root, const AuditObserver& observer) {
    const qlonglong count = [&] {
        RowStream counted = catalogue.stream(u"SELECT COUNT(F_ID) FROM Dnames");
        return counted.next() ? counted.integer(0) : 0;
    }();
    if (count == 0)
        throw Refusal{QStringLiteral("There are no disks to audit.")};
    AuditProgress progress;
    progress.disksLeft = count;
    const float step = float(kAuditBarMaximum) / float(count);

    // Each code is written as soon as its row is read; SQLite lets a connection change rows
    // and commit while one of its reads is still stepping.
    catalogue.checkWritable();
    RowStream rows = catalogue.stream(u"SELECT * FROM Dnames WHERE F_ID < 25000");
    const DiskColumns disk(rows);
    Walk walk(catalogue, root);
    qlonglong visited = 0;
    DiskFiles files;
    while (rows.next()) {
        disk.readFiles(rows, files);
        walk.visit(disk.fId(rows), disk.code(rows), files);
        ++visited;
        advance(progress, step, observer);
    }
    walk.finish();
    return visited;
}

qlonglong auditGroup(Catalogue& catalogue, const QString& group, const QString& root,
                     const AuditObserver& observer) {
    RowStream rows =
        catalogue.stream(QStringLiteral("SELECT * FROM Compilations,Dnames WHERE") +
                         QStringLiteral(" Compilations.F_ID = Dnames.F_ID") +
                         QStringLiteral(" AND compilations.[group] LIKE '%") + quoteDoubled(group) +
                         QStringLiteral("%'") + QStringLiteral(" ORDER by group"));
    // The step is counted in disks before the first one is looked at; a group is small, so
    // its disks are kept.
    struct Disk {
        qlonglong fId;
        std::optional<qlonglong> code;
        DiskFiles files;
    };
    std::vector<Disk> disks;
    const DiskColumns disk(rows);
    const int title = rows.requiredColumn(u"Group");
    // A disk is a run of rows with the same title and file record.
    QByteArray previousTitle;
    while (rows.next()) {
        const qlonglong fId = disk.fId(rows);
        const QByteArrayView rowTitle = rows.utf8(title);
        if (!disks.empty() && fId == disks.back().fId && rowTitle == previousTitle)
            continue;
        previousTitle = rowTitle.toByteArray();
        disk.readFiles(rows, disks.emplace_back(Disk{fId, disk.code(rows), {}}).files);
    }
    if (disks.empty())
        throw Refusal{QStringLiteral("There are no disks to audit.")};
    AuditProgress progress;
    progress.disksLeft = qlonglong(disks.size());
    const float step = float(std::nearbyint(double(kAuditBarMaximum) / double(disks.size())));

    catalogue.checkWritable();
    Walk walk(catalogue, root);
    for (const Disk& each : disks) {
        walk.visit(each.fId, each.code, each.files);
        advance(progress, step, observer);
    }
    walk.finish();
    return qlonglong(disks.size());
}

int auditEntry(Catalogue& catalogue, const DiskFiles& files, const QString& nummer,
               const QString& root) {
    ImageLocator locator;
    const int code = locator.present(composeImagePath(root, files)) ? 1 : 0;
    catalogue.execute(QStringLiteral("UPDATE Compilations,Dnames SET got= %1 WHERE "
                                     "Compilations.F_ID=Dnames.F_ID AND Nummer LIKE '%2'")
                          .arg(code)
                          .arg(quoteDoubled(nummer)));
    return code;
}

namespace {

QString everyDiskUnavailable(const QString& where) {
    return where + QStringLiteral("\n\nAn audit now would mark every disk it looks at as "
                                  "unavailable.");
}

} // namespace

QString missingRootFolderText(const QString& root) {
    if (!root.isEmpty() && QFileInfo(root).isDir())
        return QString();
    return everyDiskUnavailable(root.isEmpty()
                                    ? QStringLiteral("The root game folder is not set.")
                                    : QStringLiteral("The root game folder\n%1\ndoes not "
                                                     "exist (is its drive mounted?).")
                                          .arg(root));
}

QString rootFolderProblemText(Catalogue& catalogue, const QString& root) {
    const QString missing = missingRootFolderText(root);
    if (!missing.isEmpty())
        return missing;
    if (QDir(root).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System))
        return everyDiskUnavailable(
            QStringLiteral("The root game folder\n%1\nis empty (is its drive mounted?).")
                .arg(root));
    // One look per distinct folder: a catalogue has a few hundred.
    ImageLocator locator;
    RowStream folders = catalogue.stream(u"SELECT DISTINCT folder FROM Dnames");
    bool anyDisk = false;
    while (folders.next()) {
        anyDisk = true;
        if (locator.holdsFolder(root + QDir::separator() + folders.text(0)))
            return QString();
    }
    if (!anyDisk)
        return QString();
    return everyDiskUnavailable(QStringLiteral("The root game folder\n%1\nholds none of the "
                                               "folders of the catalogue's disks (is it the "
                                               "right folder, and its drive mounted?).")
                                    .arg(root));
}

QString auditStoppedNote(qlonglong committed) {
    return QStringLiteral("\n\nThe audit stopped there. The %1 changed codes written before "
                          "it are kept; the others are as they were.")
        .arg(committed);
}

QString auditedInText(quint32 milliseconds) {
    return QStringLiteral(" Audited in: ") + secondsText(milliseconds) + QStringLiteral(" secs");
}
