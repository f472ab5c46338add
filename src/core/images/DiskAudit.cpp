#include "core/images/DiskAudit.h"

#include "core/catalogue/Catalogue.h"
#include "core/Failures.h"
#include "core/catalogue/SqlText.h"
#include "core/images/ImageLocator.h"
#include "core/images/ImagePath.h"
#include "core/images/PresenceScan.h"
#include "core/search/Listing.h"

#include <QDir>
#include <QFileInfo>
#include <QElapsedTimer>

#include <cmath>
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
    ~BatchedWrites() { commit(); }
    BatchedWrites(const BatchedWrites&) = delete;
    BatchedWrites& operator=(const BatchedWrites&) = delete;

    void writeCode(qlonglong fId, int code) {
        // A failed write leaves that disk's code as it was; the audit goes on.
        tolerate("Writing a disk's code", [&] { m_update->run({code, fId}); });
        if (++m_written >= kBatchWrites || m_since.elapsed() >= kBatchMs) {
            commit();
            begin();
        }
    }

private:
    void commit() {
        tolerate("Committing the audit's codes", [&] { m_catalogue.execute(u"COMMIT"); });
    }

    void begin() {
        m_catalogue.execute(u"BEGIN");
        m_since.start();
        m_written = 0;
    }

    Catalogue& m_catalogue;
    std::unique_ptr<Catalogue::Update> m_update;
    QElapsedTimer m_since;
    int m_written = 0;
};

// Undumped disks and disks without a code are looked at but never written.
bool keepsItsCode(const QVariant& got) {
    return got.isNull() || got.toLongLong() == 2;
}

// The disks an audit visits, in order: their image paths are gathered first, so that the
// files can be looked for on a worker while the codes are written here.
class Walk {
public:
    Walk(Catalogue& catalogue, const ResultSet& rows, const QString& root)
        : m_rows(rows), m_rootAndSeparator(root + QDir::separator()), m_catalogue(catalogue),
          m_scan(size_t(rows.rowCount())) {
        // Field positions are found once; a walk visits thousands of rows.
        const char16_t* names[] = {u"F_ID",     u"got",        u"folder",
                                   u"filename", u"filenumber", u"fileexten"};
        for (int i = 0; i < 6; ++i) {
            m_fields[i] = rows.columnIndex(names[i]);
            if (m_fields[i] < 0)
                throw CatalogueError(QStringLiteral("The result has no field named %1.")
                                         .arg(QString::fromUtf16(names[i])));
        }
    }

    // Adds the current row as the next disk to visit; its file is looked for at once.
    void add() {
        const ResultSet::Row& row = m_rows.row(m_rows.position());
        auto text = [&](int field) { return row[size_t(m_fields[field])].toString(); };
        m_visits.push_back(m_rows.position());
        m_scan.add(m_rootAndSeparator + relativeImagePath({text(2), text(3), text(4), text(5)}));
    }

    // Visits the disks in order, telling `afterEach` after each one.
    qlonglong run(const std::function<void()>& afterEach) {
        BatchedWrites writes(m_catalogue);
        for (size_t k = 0; k < m_visits.size(); ++k) {
            const ResultSet::Row& row = m_rows.row(m_visits[k]);
            const int code = m_scan.present(k) ? 1 : 0;
            const QVariant& got = row[size_t(m_fields[1])];
            // Writing the code a disk already has changes nothing, so it is not written.
            if (!keepsItsCode(got) && got.toLongLong() != code)
                writes.writeCode(row[size_t(m_fields[0])].toLongLong(), code);
            afterEach();
        }
        return qlonglong(m_visits.size());
    }

private:
    const ResultSet& m_rows;
    QString m_rootAndSeparator;
    Catalogue& m_catalogue;
    PresenceScan m_scan;
    int m_fields[6];
    std::vector<qsizetype> m_visits;
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
    const qlonglong count =
        catalogue.query(u"SELECT COUNT(F_ID) FROM Dnames").row(0)[0].toLongLong();
    if (count == 0)
        throw Refusal{QStringLiteral("There are no disks to audit.")};
    AuditProgress progress;
    progress.disksLeft = count;
    const float step = float(kAuditBarMaximum) / float(count);

    ResultSet& rows = catalogue.query(u"SELECT * FROM Dnames WHERE F_ID < 25000");
    Walk walk(catalogue, rows, root);
    for (rows.moveFirst(); !rows.atEnd(); rows.moveNext())
        walk.add();
    return walk.run([&] { advance(progress, step, observer); });
}

qlonglong auditGroup(Catalogue& catalogue, const QString& group, const QString& root,
                     const AuditObserver& observer) {
    ResultSet& rows =
        catalogue.query(QStringLiteral("SELECT * FROM Compilations,Dnames WHERE") +
                        QStringLiteral(" Compilations.F_ID = Dnames.F_ID") +
                        QStringLiteral(" AND compilations.[group] LIKE '%") + quoteDoubled(group) +
                        QStringLiteral("%'") + QStringLiteral(" ORDER by group"));
    // A disk is a run of rows with the same title and file record.
    auto keyOf = [&rows] {
        return rows.field(u"Group").toString() + rows.field(u"F_ID").toString();
    };
    qlonglong count = 0;
    QString previous;
    for (rows.moveFirst(); !rows.atEnd(); rows.moveNext()) {
        const QString key = keyOf();
        if (count == 0 || key != previous)
            ++count;
        previous = key;
    }
    if (count == 0)
        throw Refusal{QStringLiteral("There are no disks to audit.")};
    AuditProgress progress;
    progress.disksLeft = count;
    const float step = float(std::nearbyint(double(kAuditBarMaximum) / double(count)));

    Walk walk(catalogue, rows, root);
    previous.clear();
    bool first = true;
    for (rows.moveFirst(); !rows.atEnd(); rows.moveNext()) {
        const QString key = keyOf();
        if (first || key != previous)
            walk.add();
        first = false;
        previous = key;
    }
    return walk.run([&] { advance(progress, step, observer); });
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

QString missingRootFolderText(const QString& root) {
    if (!root.isEmpty() && QFileInfo(root).isDir())
        return QString();
    const QString where = root.isEmpty() ? QStringLiteral("The root game folder is not set.")
                                         : QStringLiteral("The root game folder\n%1\ndoes not "
                                                          "exist (is its drive mounted?).")
                                               .arg(root);
    return where + QStringLiteral("\n\nAn audit now would mark every disk it looks at as "
                                  "unavailable.");
}

QString auditedInText(quint32 milliseconds) {
    return QStringLiteral(" Audited in: ") + secondsText(milliseconds) + QStringLiteral(" secs");
}
