#include "DemoTitles.h"

#include "DemoData.h"
#include "DemoRandom.h"

#include <QSet>
#include <QStringList>

#include <stdexcept>

namespace {

QString fill(const QString& pattern, const DemoData& data, DemoRandom& random) {
    QString title;
    qsizetype at = 0;
    while (at < pattern.size()) {
        const qsizetype open = pattern.indexOf(QLatin1Char('{'), at);
        const qsizetype close = open < 0 ? -1 : pattern.indexOf(QLatin1Char('}'), open);
        if (close < 0) {
            title += pattern.mid(at);
            break;
        }
        title += pattern.mid(at, open - at);
        const QString slot = pattern.mid(open + 1, close - open - 1);
        const auto list = data.words.find(slot);
        if (list == data.words.end())
            throw std::runtime_error(
                QStringLiteral("title-patterns.txt: unknown slot {%1}").arg(slot).toStdString());
        title += random.pick(list->second);
        at = close + 1;
    }
    return title;
}

// "Ninja Ninja" and the like read as mistakes rather than titles.
bool repeatsWord(const QString& title) {
    const QStringList words = title.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (qsizetype i = 1; i < words.size(); ++i) {
        if (words[i].compare(words[i - 1], Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

} // namespace

std::vector<QString> makeGameTitles(const DemoData& data, int count, DemoRandom& random) {
    const std::vector<QString>& patterns = data.words.at(QStringLiteral("title-patterns"));
    std::vector<QString> titles;
    QSet<QString> seen;
    const long long attempts = 20LL * count + 100;
    for (long long i = 0; i < attempts && int(titles.size()) < count; ++i) {
        const QString title = fill(random.pick(patterns), data, random);
        if (repeatsWord(title) || seen.contains(title))
            continue;
        seen.insert(title);
        titles.push_back(title);
    }
    return titles;
}
