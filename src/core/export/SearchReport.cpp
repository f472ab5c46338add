#include "core/export/SearchReport.h"

#include "core/export/ExportText.h"
#include "core/search/Listing.h"

namespace {

const QString kRule(43, u'-');

QString bracketed(const char* label, const QString& value) {
    return QLatin1String(label) + QStringLiteral(": [") + value + QStringLiteral("]");
}

} // namespace

QString reportTimeFormat(const QLocale& locale) {
    // The long format is the one with seconds; it also names the time zone ("t" runs),
    // which a time stamp on a report does not need. Quoted literals are left as they are.
    const QString format = locale.timeFormat(QLocale::LongFormat);
    QString kept;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (c == u'\'')
            quoted = !quoted;
        if (!quoted && c == u't') {
            while (i + 1 < format.size() && format[i + 1] == u't')
                ++i;
            while (!kept.isEmpty() && kept.back().isSpace())
                kept.chop(1);
            continue;
        }
        kept += c;
    }
    return kept.trimmed();
}

QString reportBlock(const ReportFacts& facts, const QLocale& locale) {
    const SearchCriteria& c = facts.criteria;
    const QString time = locale.toString(facts.compiledAt.time(), reportTimeFormat(locale));
    const QString date = locale.toString(facts.compiledAt.date(), QLocale::ShortFormat);

    QStringList lines{QString(),
                      kRule,
                      QStringLiteral("Atari ST Kestrel v1.2"),
                      kRule,
                      QStringLiteral("<Search Report>"),
                      QString(),
                      bracketed("compiled at", time + QStringLiteral("; ") + date)};
    if (facts.nameMode)
        lines << bracketed("search string", c.searchText)
              << bracketed("search query", c.operatorText);
    else
        lines << bracketed("starting with", c.letterText);
    lines << bracketed("Across", c.groupText) + QStringLiteral(" Group")
          << bracketed("Disk(s)", c.diskText)
          << QStringLiteral("found in: ") + secondsText(facts.searchtime, locale) +
                 QStringLiteral(" secs")
          << QStringLiteral("produced: ") + QString::number(facts.rowCount) +
                 QStringLiteral(" results")
          << kRule;
    return lines.join(kLineEnd);
}
