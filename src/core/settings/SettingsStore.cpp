#include "core/settings/SettingsStore.h"

#include "core/Failures.h"
#include "core/export/ExportFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringList>

#include <optional>

namespace {

// Windows hands out at most this many characters (a 2048-character buffer less its terminator);
// longer values are cut the same way so the program sees what it always saw.
constexpr qsizetype MaxValueLength = 2047;

constexpr QByteArrayView Utf8Bom = "\xEF\xBB\xBF";

// The file as a list of lines plus what is needed to write it back the way it came.
struct IniText {
    QStringList lines;
    QByteArray lineEnd = "\r\n"; // what Windows editors write, so a new file gets it too
    bool bom = false;
    bool finalLineEnd = true;
};

struct Entry {
    QString key;
    QString value;
};

// Where a key is, or would go, in the lines of a file; -1 for "not there".
struct Location {
    qsizetype section = -1;
    qsizetype key = -1;
    qsizetype insertAt = -1;
};

// Files written by older Windows tools are in the ANSI code page. Qt has no Windows-1252 codec
// without ICU, and it differs from Latin-1 only in 0x80-0x9F.
QString fromWindows1252(QByteArrayView bytes) {
    static constexpr char16_t C1[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    QString text = QString::fromLatin1(bytes);
    for (QChar& c : text) {
        if (c.unicode() >= 0x80 && c.unicode() < 0xA0)
            c = QChar(C1[c.unicode() - 0x80]);
    }
    return text;
}

// Decided line by line, so a hand edit in one encoding does not garble the rest of the file.
// Stateless, so that a line ending in a lone lead byte ("Caf\xE9") counts as invalid instead of
// being held back as the start of a character still to come.
QString decodeLine(QByteArrayView bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = utf8.decode(bytes);
    return utf8.hasError() ? fromWindows1252(bytes) : text;
}

// Nothing when the file cannot be read, which includes a missing file.
std::optional<IniText> load(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.readAll();

    IniText ini;
    if (bytes.startsWith(Utf8Bom)) {
        ini.bom = true;
        bytes.remove(0, Utf8Bom.size());
    }
    const qsizetype firstBreak = bytes.indexOf('\n');
    if (firstBreak >= 0 && (firstBreak == 0 || bytes.at(firstBreak - 1) != '\r'))
        ini.lineEnd = "\n";

    QList<QByteArray> raw = bytes.split('\n');
    if (raw.constLast().isEmpty())
        raw.removeLast();
    else
        ini.finalLineEnd = false;
    for (QByteArray& line : raw) {
        if (line.endsWith('\r'))
            line.chop(1);
        ini.lines.append(decodeLine(line));
    }
    return ini;
}

QString cannotSave(const QString& path, const QString& reason) {
    return QStringLiteral("The settings could not be saved:\n%1\n\n%2").arg(path, reason);
}

void save(const IniText& ini, const QString& path) {
    QString text;
    if (ini.bom)
        text += QChar(0xFEFF); // written as the UTF-8 byte order mark
    const QString lineEnd = QString::fromLatin1(ini.lineEnd);
    for (qsizetype i = 0; i < ini.lines.size(); ++i) {
        text += ini.lines.at(i);
        if (i + 1 < ini.lines.size() || ini.finalLineEnd)
            text += lineEnd;
    }
    // The old file is replaced only once everything is written; on any failure it stays.
    try {
        saveTextFile(path, text);
    } catch (const FileError& error) {
        throw FileError(cannotSave(path, error.message()));
    }
}

// The name of a "[name]" line, or nothing for any other line.
std::optional<QString> sectionName(const QString& line) {
    const QString text = line.trimmed();
    const qsizetype close = text.lastIndexOf(u']');
    if (!text.startsWith(u'[') || close < 0)
        return std::nullopt;
    return text.sliced(1, close - 1).trimmed();
}

// The key and value of a "key=value" line, or nothing for a section, comment or other line.
std::optional<Entry> entry(const QString& line) {
    const QString text = line.trimmed();
    const qsizetype equals = text.indexOf(u'=');
    if (equals < 0 || text.startsWith(u';') || sectionName(text))
        return std::nullopt;
    return Entry{text.first(equals).trimmed(), text.sliced(equals + 1).trimmed()};
}

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// The first matching section and, within it, the first matching key. A new key belongs after the
// section's last key or, in a section without keys, after its last non-blank line, so that
// blank lines separating it from the next section stay where they are.
Location locate(const QStringList& lines, const QString& section, const QString& key) {
    const QString sectionWanted = section.trimmed();
    const QString keyWanted = key.trimmed();
    Location where;
    qsizetype lastKey = -1;
    qsizetype lastNonBlank = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (const auto name = sectionName(lines.at(i))) {
            if (where.section >= 0)
                break;
            if (sameName(*name, sectionWanted))
                where.section = lastNonBlank = i;
            continue;
        }
        if (where.section < 0)
            continue;
        if (const auto found = entry(lines.at(i))) {
            lastKey = i;
            if (where.key < 0 && sameName(found->key, keyWanted))
                where.key = i;
        }
        if (!lines.at(i).trimmed().isEmpty())
            lastNonBlank = i;
    }
    if (where.section >= 0)
        where.insertAt = (lastKey >= 0 ? lastKey : lastNonBlank) + 1;
    return where;
}

QString unquoted(const QString& value) {
    const bool quoted = value.size() >= 2 && value.front() == value.back() &&
                        (value.front() == u'"' || value.front() == u'\'');
    return quoted ? value.sliced(1, value.size() - 2) : value;
}

} // namespace

QString readini(const QString& section, const QString& key, const QString& defaultValue,
                const QString& file) {
    const std::optional<IniText> ini = load(file);
    if (!ini)
        return defaultValue;
    const Location where = locate(ini->lines, section, key);
    if (where.key < 0)
        return defaultValue;
    return unquoted(entry(ini->lines.at(where.key))->value).left(MaxValueLength);
}

namespace {

// Sets `key` in `[section]` of the lines, adding the key or the section as needed.
void setKey(QStringList& lines, const QString& section, const QString& key, const QString& value) {
    const Location where = locate(lines, section, key);
    if (where.key >= 0) {
        lines[where.key] = entry(lines.at(where.key))->key + u'=' + value;
    } else if (where.section >= 0) {
        lines.insert(where.insertAt, key.trimmed() + u'=' + value);
    } else {
        if (!lines.isEmpty() && !lines.constLast().trimmed().isEmpty())
            lines.append(QString());
        lines.append(u'[' + section.trimmed() + u']');
        lines.append(key.trimmed() + u'=' + value);
    }
}

} // namespace

void writeini(const QString& section, const QString& key, const QString& value, const QString& file,
              std::span<const IniDefault> defaults) {
    std::optional<IniText> ini = load(file);
    if (!ini) {
        // A file that is there but cannot be read must not be replaced by a one-key file.
        if (QFileInfo::exists(file))
            throw FileError(cannotSave(file, QStringLiteral("The file cannot be read.")));
        ini.emplace();
    }
    QStringList& lines = ini->lines;
    for (const IniDefault& d : defaults) {
        const Location where = locate(lines, d.section, d.key);
        const bool missing =
            where.key < 0 ||
            (d.emptyIsMissing && unquoted(entry(lines.at(where.key))->value).isEmpty());
        if (missing)
            setKey(lines, d.section, d.key, d.value);
    }
    setKey(lines, section, key, value);
    save(*ini, file);
}
