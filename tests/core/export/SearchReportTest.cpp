#include "common/TestRegistry.h"

#include "core/export/SearchReport.h"

#include <QTest>

namespace {

const QByteArray kRule(43, '-');

ReportFacts facts(bool nameMode, quint32 searchtime = 1500, qsizetype rows = 12) {
    ReportFacts f;
    f.nameMode = nameMode;
    f.criteria.searchText = QStringLiteral("dragon +demo");
    f.criteria.operatorText = QStringLiteral("starts with");
    f.criteria.letterText = QStringLiteral("d");
    f.criteria.groupText = QStringLiteral("Automation");
    f.criteria.diskText = QStringLiteral("All");
    f.searchtime = searchtime;
    f.rowCount = rows;
    f.compiledAt = QDateTime(QDate(2026, 3, 7), QTime(9, 5, 4));
    return f;
}

QByteArray head(const QByteArray& compiled) {
    return "\r\n" + kRule + "\r\nAtari ST Kestrel v1.2\r\n" + kRule +
           "\r\n<Search Report>\r\n\r\ncompiled at: [" + compiled + "]\r\n";
}

} // namespace

class SearchReportTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void blockByMode_data() {
        QTest::addColumn<bool>("nameMode");
        QTest::addColumn<QByteArray>("criteria");
        QTest::newRow("name search")
            << true
            << QByteArray("search string: [dragon +demo]\r\nsearch query: [starts with]\r\n");
        QTest::newRow("alphanumeric search") << false << QByteArray("starting with: [d]\r\n");
    }
    void blockByMode() {
        QFETCH(bool, nameMode);
        QFETCH(QByteArray, criteria);
        const QByteArray expected = head("09:05:04; 07/03/2026") + criteria +
                                    "Across: [Automation] Group\r\n"
                                    "Disk(s): [All]\r\n"
                                    "found in: 1.5 secs\r\n"
                                    "produced: 12 results\r\n" +
                                    kRule;
        QCOMPARE(reportBlock(facts(nameMode), QLocale(QLocale::English, QLocale::UnitedKingdom))
                     .toUtf8(),
                 expected);
    }

    // Time, date and seconds are written as the locale writes them.
    void localeFormats_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<quint32>("ms");
        QTest::addColumn<QString>("compiled");
        QTest::addColumn<QString>("seconds");
        const QLocale us(QLocale::English, QLocale::UnitedStates);
        const QLocale de(QLocale::German, QLocale::Germany);
        QTest::newRow("US, 1500 ms") << us << 1500u << "9:05:04 AM; 3/7/26"
                                     << "1.5";
        QTest::newRow("US, 2000 ms") << us << 2000u << "9:05:04 AM; 3/7/26"
                                     << "2";
        QTest::newRow("US, 16 ms") << us << 16u << "9:05:04 AM; 3/7/26"
                                   << "0.016";
        QTest::newRow("German, 1500 ms") << de << 1500u << "09:05:04; 07.03.26"
                                         << "1,5";
        QTest::newRow("German, 16 ms") << de << 16u << "09:05:04; 07.03.26"
                                       << "0,016";
        QTest::newRow("German, no group separator") << de << 1234567u << "09:05:04; 07.03.26"
                                                    << "1234,567";
    }
    void localeFormats() {
        QFETCH(QLocale, locale);
        QFETCH(quint32, ms);
        QFETCH(QString, compiled);
        QFETCH(QString, seconds);
        const QStringList lines =
            reportBlock(facts(true, ms), locale).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.value(6), QStringLiteral("compiled at: [") + compiled + u']');
        QCOMPARE(lines.value(11), QStringLiteral("found in: ") + seconds + QStringLiteral(" secs"));
    }

    void criteriaAsTheyStand() {
        ReportFacts f = facts(true, 0, 0);
        f.criteria.searchText = QString();
        f.criteria.groupText = QStringLiteral("Deep Thought's");
        f.criteria.diskText = QStringLiteral("Deep Thought's 4#x");
        const QStringList lines = reportBlock(f, QLocale::c()).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.mid(7, 6),
                 (QStringList{"search string: []", "search query: [starts with]",
                              "Across: [Deep Thought's] Group", "Disk(s): [Deep Thought's 4#x]",
                              "found in: 0 secs", "produced: 0 results"}));
    }

    void timeFormatHasSecondsAndNoZone_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("format");
        QTest::newRow("C") << QLocale::c() << "HH:mm:ss";
        QTest::newRow("US") << QLocale(QLocale::English, QLocale::UnitedStates) << "h:mm:ss AP";
        QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany) << "HH:mm:ss";
    }
    void timeFormatHasSecondsAndNoZone() {
        QFETCH(QLocale, locale);
        QFETCH(QString, format);
        QCOMPARE(reportTimeFormat(locale), format);
    }
};

KESTREL_TEST(SearchReportTest)
#include "SearchReportTest.moc"
