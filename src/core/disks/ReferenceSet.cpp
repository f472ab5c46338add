#include "core/disks/ReferenceSet.h"

#include "core/Failures.h"
#include "core/disks/DiskCheckStore.h"

#include <QFile>
#include <QXmlStreamReader>

#include <set>

ReferenceSet ReferenceSet::read(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw FileError(QStringLiteral("The reference set cannot be read:\n%1\n%2")
                            .arg(path, file.errorString()));
    ReferenceSet set;
    QXmlStreamReader xml(&file);
    QString game;
    bool inHeader = false;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) {
            if (xml.isEndElement() && xml.name() == QLatin1String("header"))
                inHeader = false;
            continue;
        }
        const QStringView element = xml.name();
        const QXmlStreamAttributes attributes = xml.attributes();
        if (element == QLatin1String("header")) {
            inHeader = true;
        } else if (inHeader && element == QLatin1String("name")) {
            set.name = xml.readElementText();
        } else if (element == QLatin1String("game") || element == QLatin1String("machine")) {
            game = attributes.value(QLatin1String("name")).toString();
        } else if (element == QLatin1String("rom")) {
            ReferenceRom rom;
            rom.game = game;
            rom.name = attributes.value(QLatin1String("name")).toString();
            bool numeric = false;
            const qint64 size = attributes.value(QLatin1String("size")).toLongLong(&numeric);
            rom.size = numeric ? size : -1;
            rom.crc32 = attributes.value(QLatin1String("crc")).toString().toLower();
            rom.sha1 = attributes.value(QLatin1String("sha1")).toString().toLower();
            set.roms.push_back(std::move(rom));
        }
    }
    if (xml.hasError())
        throw FileError(QStringLiteral("The reference set is not a DAT file:\n%1\nline %2: %3")
                            .arg(path)
                            .arg(xml.lineNumber())
                            .arg(xml.errorString()));
    if (set.roms.empty())
        throw FileError(QStringLiteral("The reference set lists no images:\n%1").arg(path));
    return set;
}

ReferenceMatches matchReferenceSet(Catalogue& catalogue, const ReferenceSet& set) {
    DiskCheckStore store(catalogue);
    std::vector<DiskCheck> checks = store.all();
    ReferenceMatches matches;
    std::set<size_t> found;
    store.begin();
    try {
        for (DiskCheck& check : checks) {
            if (check.missing || check.sha1.isEmpty())
                continue;
            QString reference;
            for (size_t i = 0; i < set.roms.size(); ++i) {
                const ReferenceRom& rom = set.roms[i];
                const bool same = rom.sha1.isEmpty()
                                      ? !rom.crc32.isEmpty() && rom.crc32 == check.crc32
                                      : rom.sha1 == check.sha1;
                if (!same)
                    continue;
                found.insert(i);
                if (reference.isEmpty()) {
                    reference = rom.game + u'/' + rom.name;
                    matches.matched.emplace_back(check, rom);
                }
            }
            if (reference != check.reference) {
                check.reference = reference;
                store.saveReference(check.disk, reference);
            }
        }
        store.commit();
    } catch (...) {
        store.rollback();
        throw;
    }
    for (size_t i = 0; i < set.roms.size(); ++i)
        if (!found.count(i))
            matches.unmatched.push_back(set.roms[i]);
    return matches;
}
