#include "images/DiskAudit.h"

#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueError.h"
#include "catalogue/SqlText.h"
#include "images/ImageLocator.h"
#include "images/ImagePath.h"
#include "search/Listing.h"

#include <QDir>
#include <QElapsedTimer>

#include <cmath>

namespace {

// Codes are written in batches: one transaction per this many milliseconds of walking, so a
// crash loses at most that much work and the catalogue stays whole.
constexpr int kBatchMs = 250;

class BatchedWrites {
public:
    explicit BatchedWrites(Catalogue& catalogue) : m_catalogue(catalogue) { begin(); }
    ~BatchedWrites() {
        try {
            m_catalogue.execute(u"COMMIT");
        } catch (const CatalogueError&) {
        }
    }
    BatchedWrites(const BatchedWrites&) = delete;
    BatchedWrites& operator=(const BatchedWrites&) = delete;

    void writeCode(qlonglong fId, int code) {
        // A failed write leaves that disk's code as it was; the audit goes on.
        try {
            m_catalogue.execute(
                QStringLiteral("UPDATE Dnames SET got = %1 WHERE (F_ID = %2)").arg(code).arg(fId));
        } catch (const CatalogueError&) {
        }
        if (m_since.elapsed() >= kBatchMs) {
            try {
                m_catalogue.execute(u"COMMIT");
            } catch (const CatalogueError&) {
            }
            begin();
        }
    }

private:
    void begin() {
        m_catalogue.execute(u"BEGIN");
        m_since.start();
    }

    Catalogue& m_catalogue;
    QElapsedTimer m_since;
};

// Undumped disks and disks without a code are looked at but never written.
bool keepsItsCode(const QVariant& got) {
    return got.isNull() || got.toLongLong() == 2;
}

struct Walk {
    Catalogue& catalogue;
    QString rootAndSeparator;
    ImageLocator locator;
    BatchedWrites writes;

    Walk(Catalogue& c, const QString& root)
        : catalogue(c), rootAndSeparator(root + QDir::separator()), writes(c) {}

    void audit(const ResultSet& rows) {
        const qlonglong fId = rows.field(u"F_ID").toLongLong();
        const DiskFiles files = DiskFiles::fromCurrentRow(rows);
        const int code = locator.present(rootAndSeparator + relativeImagePath(files)) ? 1 : 0;
        const QVariant got = rows.field(u"got");
        // Writing the code a disk already has changes nothing, so it is not written.
        if (!keepsItsCode(got) && got.toLongLong() != code)
            writes.writeCode(fId, code);
    }
};

void advance(AuditProgress& progress, float step, const AuditObserver& observer) {
    --progress.disksLeft;
    progress.percentage = auditPercentage(progress.barValue);
    if (observer)
        observer(progress);
    if (progress.barValue + step <= kAuditBarMaximum)
        progress.barValue += step;
}

} // namespace

int auditPercentage(float barValue) {
    return int(std::nearbyint(double(barValue) / 100.0));
}

qlonglong auditAllDisks(Catalogue& catalogue, const QString& root, const AuditObserver& observer) {
    const qlonglong count =
        catalogue.query(u"SELECT COUNT(F_ID) FROM Dnames").row(0)[0].toLongLong();
    if (count == 0)
        throw AuditRefused{QStringLiteral("There are no disks to audit.")};
    AuditProgress progress;
    progress.disksLeft = count;
    const float step = float(kAuditBarMaximum) / float(count);

    ResultSet& rows = catalogue.query(u"SELECT * FROM Dnames WHERE F_ID < 25000");
    Walk walk(catalogue, root);
    qlonglong visited = 0;
    for (rows.moveFirst(); !rows.atEnd(); rows.moveNext()) {
        walk.audit(rows);
        ++visited;
        advance(progress, step, observer);
    }
    return visited;
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
        throw AuditRefused{QStringLiteral("There are no disks to audit.")};
    AuditProgress progress;
    progress.disksLeft = count;
    const float step = float(std::nearbyint(double(kAuditBarMaximum) / double(count)));

    Walk walk(catalogue, root);
    qlonglong visited = 0;
    previous.clear();
    bool first = true;
    for (rows.moveFirst(); !rows.atEnd(); rows.moveNext()) {
        const QString key = keyOf();
        if (first || key != previous) {
            walk.audit(rows);
            ++visited;
            advance(progress, step, observer);
        }
        first = false;
        previous = key;
    }
    return visited;
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

QString auditedInText(quint32 milliseconds) {
    return QStringLiteral(" Audited in: ") + secondsText(milliseconds) + QStringLiteral(" secs");
}
