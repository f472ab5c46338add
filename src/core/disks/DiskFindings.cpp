#include "core/disks/DiskFindings.h"

#include "core/Failures.h"
#include "core/catalogue/Catalogue.h"
#include "core/catalogue/JetLike.h"
#include "core/disks/DiskCheckStore.h"

#include <QFileInfo>

#include <map>

std::vector<FileOnDisk> findFilesOnDisks(Catalogue& catalogue, const QString& pattern) {
    QString error;
    const std::optional<JetPattern> compiled = JetPattern::compile(pattern, &error);
    if (!compiled)
        throw Refusal{error};
    DiskCheckStore store(catalogue);
    std::map<qlonglong, QString> images;
    for (const DiskCheck& check : store.all())
        images[check.disk] = check.path;
    std::vector<FileOnDisk> found;
    for (DiskCheckStore::StoredFile& stored : store.allFiles()) {
        const QString& path = stored.entry.path;
        if (compiled->matches(QStringView(path).sliced(path.lastIndexOf(u'\\') + 1)))
            found.push_back({stored.disk, images[stored.disk], std::move(stored.entry)});
    }
    return found;
}

std::vector<std::vector<DiskCheck>> identicalDisks(Catalogue& catalogue) {
    std::map<QString, std::vector<DiskCheck>> bySum;
    for (DiskCheck& check : DiskCheckStore(catalogue).all())
        if (!check.missing && !check.sha1.isEmpty())
            bySum[check.sha1].push_back(std::move(check));
    std::vector<std::vector<DiskCheck>> groups;
    for (auto& [sum, checks] : bySum)
        if (checks.size() > 1)
            groups.push_back(std::move(checks));
    return groups;
}

QString VerifiedDisk::summary() const {
    QString text = QFileInfo(check.path).fileName() + QStringLiteral(": ") + check.stateText();
    if (!check.sha1.isEmpty())
        text += QStringLiteral(", %1 %2 sides x %3 tracks x %4 sectors, %5 files")
                    .arg(check.format)
                    .arg(check.geometry.sides)
                    .arg(check.geometry.tracks)
                    .arg(check.geometry.sectorsPerTrack)
                    .arg(check.files);
    if (!check.reference.isEmpty())
        text += QStringLiteral(", matches ") + check.reference;
    return text;
}

std::optional<VerifiedDisk> verifiedDiskOfEntry(Catalogue& catalogue, const QString& nummer) {
    bool numeric = false;
    const qlonglong number = nummer.toLongLong(&numeric);
    if (!numeric)
        return std::nullopt;
    RowStream rows = catalogue.stream(
        QStringLiteral("SELECT F_ID FROM Compilations WHERE Nummer = %1").arg(number));
    if (!rows.next() || rows.isNull(0))
        return std::nullopt;
    DiskCheckStore store(catalogue);
    std::optional<DiskCheck> check = store.load(rows.integer(0));
    if (!check)
        return std::nullopt;
    return VerifiedDisk{*check, store.files(check->disk)};
}
