#include "DemoGroups.h"

#include "DemoData.h"
#include "DemoRandom.h"

#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <stdexcept>

namespace {

bool contains(const std::vector<QString>& list, const QString& name) {
    return std::find(list.begin(), list.end(), name) != list.end();
}

[[noreturn]] void unknown(const QString& file, const QString& name) {
    throw std::runtime_error(
        QStringLiteral("%1: \"%2\" is not in the group lists").arg(file, name).toStdString());
}

// A folder name any file system takes: letters, digits, spaces and hyphens.
QString folderFor(const QString& name) {
    QString folder = name;
    folder.replace(QLatin1Char('/'), QLatin1Char(' '));
    folder.remove(QRegularExpression(QStringLiteral("[^\\w\\s-]")));
    return folder.simplified();
}

QString randomStem(const QString& folder, DemoRandom& random) {
    const QStringList words =
        folder.split(QRegularExpression(QStringLiteral("[\\s-]+")), Qt::SkipEmptyParts);
    const int style = random.between(0, 9);
    if (words.size() >= 2 && style < 5) {
        QString initials;
        for (const QString& word : words)
            initials += word.front().toUpper();
        return initials;
    }
    if (style < 8) {
        QString letters = folder;
        letters.remove(QLatin1Char(' ')).remove(QLatin1Char('-'));
        return letters.left(4).toUpper();
    }
    static const std::vector<QString> generic = {QStringLiteral("Menu"), QStringLiteral("MENU"),
                                                 QStringLiteral("Disk"), QStringLiteral("DISK_")};
    return random.pick(generic);
}

// Chance picks a crew's habits; every crew draws the same number of values, so editing one
// crew's details leaves the others as they were.
void drawHabits(DemoGroup& group, DemoRandom& random) {
    static const std::vector<QString> words = {QStringLiteral("Menu"), QStringLiteral("Disk"),
                                               QStringLiteral("Pack"), QStringLiteral("Vol.")};
    static const std::vector<QString> extens = {QStringLiteral("st"), QStringLiteral("msa"),
                                                QStringLiteral("dim")};
    group.folder = folderFor(group.spellings.back());
    group.weight = random.between(2, 11);
    const QString& word = random.pick(words);
    group.word = random.chance(120) ? word : QString();
    const int digits = random.between(0, 19);
    group.titleDigits = digits < 15 ? 1 : digits < 18 ? 2 : 3;
    group.stem = randomStem(group.folder, random);
    group.padFileNumber = random.chance(400);
    group.exten = extens[random.weighted({60, 32, 8})];
}

void applyDetails(DemoGroup& group, const std::vector<QString>& columns) {
    const auto given = [](const QString& column) { return column != QStringLiteral("-"); };
    if (given(columns[1]))
        group.weight = std::max(1, columns[1].toInt());
    if (given(columns[2]))
        group.word = columns[2];
    if (given(columns[3]))
        group.stem = columns[3];
    if (given(columns[4]))
        group.titleDigits = std::clamp(columns[4].toInt(), 1, 4);
}

} // namespace

std::vector<DemoGroup> planGroups(const DemoData& data, DemoRandom& random) {
    const QString spellingsFile = QStringLiteral("group-spellings.txt");
    for (const auto& [diskSetName, groupBoxName] : data.spellings) {
        if (!contains(data.diskSet, diskSetName))
            unknown(spellingsFile, diskSetName);
        if (!contains(data.groupBox, groupBoxName))
            unknown(spellingsFile, groupBoxName);
    }

    std::vector<DemoGroup> groups;
    for (const QString& name : data.groupBox) {
        DemoGroup group;
        for (const auto& [diskSetName, groupBoxName] : data.spellings) {
            if (groupBoxName == name)
                group.spellings.push_back(diskSetName);
        }
        group.spellings.push_back(name);
        groups.push_back(std::move(group));
    }
    for (const QString& name : data.diskSet) {
        const bool variant = std::any_of(data.spellings.begin(), data.spellings.end(),
                                         [&](const auto& pair) { return pair.first == name; });
        if (!variant && !contains(data.groupBox, name)) {
            DemoGroup group;
            group.spellings.push_back(name);
            groups.push_back(std::move(group));
        }
    }

    for (DemoGroup& group : groups)
        drawHabits(group, random);
    for (const std::vector<QString>& columns : data.details) {
        const auto match = std::find_if(groups.begin(), groups.end(), [&](const DemoGroup& g) {
            return contains(g.spellings, columns[0]);
        });
        if (match == groups.end())
            unknown(QStringLiteral("group-details.txt"), columns[0]);
        applyDetails(*match, columns);
    }
    return groups;
}
