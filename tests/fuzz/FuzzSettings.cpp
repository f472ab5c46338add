// The settings store on any file: reading never fails, and a write sets its key and leaves
// every other key as it read before.
#include "core/Failures.h"
#include "core/settings/SettingsStore.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("Rummage.ini"));
    {
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        out.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    // Names the fuzzer is likely to build: short sections and keys of the input's own letters.
    const QString sections[] = {QStringLiteral("a"), QStringLiteral("Settings"),
                                QStringLiteral("b c")};
    const QString keys[] = {QStringLiteral("a"), QStringLiteral("x"), QStringLiteral("Key1")};
    QStringList before;
    for (const QString& section : sections)
        for (const QString& key : keys)
            before << readini(section, key, QStringLiteral("<none>"), file);

    // A value a line can hold as it is.
    QString value =
        QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(qMin<size_t>(size, 24)))
            .remove(u'\r')
            .remove(u'\n')
            .remove(QChar(0))
            .trimmed();
    try {
        writeini(QStringLiteral("Fuzzed"), QStringLiteral("Written"), value, file);
    } catch (const FileError&) {
        return 0; // refused as a whole; the file stays as it was
    }
    const QString read = readini(QStringLiteral("Fuzzed"), QStringLiteral("Written"),
                                 QStringLiteral("<none>"), file);
    // A value between matching quotes reads back without them, as profile strings always have.
    const bool quoted = value.size() >= 2 && value.front() == value.back() &&
                        (value.front() == u'"' || value.front() == u'\'');
    if (read != (quoted ? value.sliced(1, value.size() - 2) : value)) {
        std::fprintf(stderr, "wrote \"%s\", read \"%s\"\n", qPrintable(value), qPrintable(read));
        std::abort();
    }
    QStringList after;
    for (const QString& section : sections)
        for (const QString& key : keys)
            after << readini(section, key, QStringLiteral("<none>"), file);
    if (after != before) {
        std::fprintf(stderr, "a write changed other keys\n");
        std::abort();
    }
    return 0;
}
