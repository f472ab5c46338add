// The .mdb import on any file: the reading process may crash, stall or send garbage, but the
// import ends in success or a refusal and leaves nothing behind. The first byte chooses between
// a whole import (through the reading process) and the importer's decoding of the frames it
// receives (in this process, fast).
#include "core/Failures.h"
#include "core/catalogue/MdbFrames.h"
#include "core/catalogue/MdbImport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

// The reading process lies in the build's top folder, one above the fuzz programs and the
// replays of the kept inputs.
void findReader() {
    if (qEnvironmentVariableIsSet("KESTREL_MDB_READER"))
        return;
    const QString here = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    qputenv("KESTREL_MDB_READER", QFile::encodeName(QFileInfo(here).dir().filePath(
                                      QStringLiteral("../kestrel-mdb-reader"))));
}

void decode(const QByteArray& payload) {
    std::vector<MdbTableHeader> tables;
    if (decodeMdbHeader(payload, tables)) {
        for (const MdbTableHeader& table : tables) {
            std::vector<MdbValue> values;
            decodeMdbRow(payload, table.columns.size(), values);
        }
    }
    std::vector<MdbValue> values;
    decodeMdbRow(payload, payload.isEmpty() ? 0 : size_t(uint8_t(payload[0]) % 16), values);
}

void import(const QByteArray& file) {
    QTemporaryDir folder;
    const QString mdb = folder.filePath(QStringLiteral("fuzzed.mdb"));
    const QString target = folder.filePath(QStringLiteral("catalogue.sqlite"));
    QFile out(mdb);
    if (!out.open(QIODevice::WriteOnly))
        return;
    out.write(file);
    out.close();
    bool imported = true;
    try {
        importMdb(mdb, target);
    } catch (const CatalogueError&) {
        imported = false;
    }
    QStringList left = QDir(folder.path()).entryList(QDir::Files | QDir::Hidden);
    left.removeOne(QStringLiteral("fuzzed.mdb"));
    if (left != (imported ? QStringList{QStringLiteral("catalogue.sqlite")} : QStringList{})) {
        std::fprintf(stderr, "the import left: %s\n", qPrintable(left.join(u' ')));
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    findReader();
    const QByteArray rest(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    if (data[0] & 1)
        import(rest);
    else
        decode(rest);
    return 0;
}
