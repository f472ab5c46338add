#include "DemoData.h"

#include <QDir>
#include <QFile>
#include <QStringList>

#include <stdexcept>
#include <utility>

namespace {

[[noreturn]] void fail(const QString& path, const QString& what) {
    throw std::runtime_error(
        QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), what).toStdString());
}

QStringList readLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail(path, file.errorString());
    QString text = QString::fromUtf8(file.readAll());
    text.remove(QLatin1Char('\r'));
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// A group list is taken exactly as written: every line is a name, spaces and all.
std::vector<QString> readNames(const QString& path) {
    const QStringList lines = readLines(path);
    std::vector<QString> names;
    for (const QString& line : lines) {
        if (line.isEmpty())
            fail(path, QStringLiteral("blank line"));
        names.push_back(line);
    }
    if (names.empty())
        fail(path, QStringLiteral("no names"));
    return names;
}

// Word lists may carry comments ("#") and blank lines so that they stay easy to review.
std::vector<QString> readWords(const QString& path) {
    std::vector<QString> words;
    for (const QString& line : readLines(path)) {
        const QString word = line.trimmed();
        if (!word.isEmpty() && !word.startsWith(QLatin1Char('#')))
            words.push_back(word);
    }
    if (words.empty())
        fail(path, QStringLiteral("no entries"));
    return words;
}

std::vector<QString> splitColumns(const QString& path, const QString& row, int count) {
    std::vector<QString> columns;
    for (const QString& column : row.split(QLatin1Char('|')))
        columns.push_back(column.trimmed());
    if (int(columns.size()) != count)
        fail(path, QStringLiteral("\"%1\" should have %2 columns").arg(row).arg(count));
    return columns;
}

} // namespace

DemoData DemoData::load(const QString& dataFolder) {
    const QDir data(dataFolder);
    DemoData result;
    result.groupBox = readNames(data.filePath(QStringLiteral("groups/group-box.txt")));
    result.diskSet = readNames(data.filePath(QStringLiteral("groups/disk-set.txt")));

    const QDir demo(data.filePath(QStringLiteral("demo")));
    const QString spellingsPath = demo.filePath(QStringLiteral("group-spellings.txt"));
    for (const QString& row : readWords(spellingsPath)) {
        const auto columns = splitColumns(spellingsPath, row, 2);
        result.spellings.emplace_back(columns[0], columns[1]);
    }
    const QString detailsPath = demo.filePath(QStringLiteral("group-details.txt"));
    for (const QString& row : readWords(detailsPath))
        result.details.push_back(splitColumns(detailsPath, row, 5));

    static const std::pair<const char*, const char*> lists[] = {
        {"adjective", "adjectives.txt"},
        {"noun", "nouns.txt"},
        {"place", "places.txt"},
        {"hero", "heroes.txt"},
        {"number", "numbers.txt"},
        {"sequel", "sequels.txt"},
        {"title-patterns", "title-patterns.txt"},
        {"extras", "extras.txt"},
    };
    for (const auto& [name, file] : lists)
        result.words[QString::fromLatin1(name)] =
            readWords(demo.filePath(QString::fromLatin1(file)));
    return result;
}
